#include "library/ArrNewView.h"

#include "files/Clipboard.h"
#include "files/FileFormats.h"
#include "files/WindowImage.h"
#include "library/ArrUView.h"
#include "platform/bytes.h"

std::string ArrNewDocument(const std::string& bankFile) {
    std::string doc = bankFile;
    doc.resize(static_cast<std::size_t>(ArrFileLen), '\0');
    for (std::size_t p = ArrHdrLen; p < doc.size(); ++p) doc[p] = '\0';
    return doc;
}

std::string ArrNewTitle(int slot) { return "Untitled (" + std::to_string(slot) + ")"; }

std::string ArrNewImage(const std::string& document, const std::string& styleGroups, int slot) {
    std::string img = WindowImageNew(20, document);
    put(img, ImgStyPart, styleGroups.compare(0, 4, "KORG") == 0 ? ImgStyTemplate : ImgStyNone);
    put(img, ImgSlot, static_cast<unsigned>(slot));
    ImgTitleSet(img, ArrNewTitle(slot));
    for (int i = 0; i < 64; ++i) {
        const long p = RowPos(ImgArrRows, i);
        put(img, p, 0);
        putMid(img, p + 1, RowCode(i));
    }
    return img + styleGroups;
}

bool ArrAnyRowHolds(const std::string& image) {
    for (int i = 0; i < 64; ++i)
        if (!ArrRowEmpty(ArrRowText(image, i))) return true;
    return false;
}
