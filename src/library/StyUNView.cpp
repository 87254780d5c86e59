#include "library/StyUNView.h"

#include "files/StyGroups.h"
#include "files/WindowImage.h"
#include "platform/bytes.h"

std::string StyUNImageNew(int kind, const std::string& file, const std::string& path, int slotOrNumber, int rdOnly,
                          int openState, bool importing) {
    std::string img = WindowImageNew(kind, file);
    if (img.empty()) return img;
    ImgTitleSet(img, kind == 24 ? StyNewTitle(slotOrNumber) : path);
    ImgSet(img, ImgSlot, static_cast<unsigned>(slotOrNumber));
    if (kind == 23) {
        ImgSet(img, ImgRdOnly, rdOnly ? 1 : 0);
        ImgSet(img, ImgOpenState, static_cast<unsigned>(openState));
        ImgSet(img, ImgSaveAs, importing ? ImgSaveAsStyI30 : 0);
        ImgSet(img, ImgStyChanged, importing ? 1 : 0);
    }
    return img;
}

std::string StyNewTitle(int n) { return "Untitled (" + std::to_string(n) + ")"; }

bool StyRowNamesStyle(const std::string& row) {
    const std::string r = rtrim(cutAtNul(row));
    return r.size() > 2 && (r.size() < 4 || r.substr(4) != "- empty -");
}

int StyGroupsInUse(const std::string& block) {
    for (int k = 15; k >= 0; --k) {
        const std::string n = StyBlkName(k, block);
        if (!n.empty() && n != "- empty -") return k / 4 + 1;
    }
    return 0;
}
