#include "app/Captions.h"

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

std::string title(const std::string& img) { return ImgPathOf(img); }
// The file part of the document's file as it lies on disk ("SONG.ARR"), or
// with the extension of its kind when there is none yet.
std::string fileName(const std::string& img, const char* ext) { return PathName(FileWithExt(title(img), ext)); }
std::string readOnlyMark(const std::string& img) { return ImgIsRdOnly(img) ? " - " + Msg(122) : std::string(); }
std::string channelPart(int chan) { return " - MIDI Channel " + std::to_string(chan + 1); }

}  // namespace

std::string DocCaptionBuild(const std::string& img) {
    const int kind = WinKind(img);
    const int slot = at(img, ImgSlot);
    const bool user = slot == 9;
    const std::string ro = user ? std::string() : readOnlyMark(img);
    const std::string slotPart = " (" + std::to_string(slot) + ")";
    switch (kind) {
    case 2: case 3: case 14: case 17: case 18:
        return title(img) + readOnlyMark(img);
    case 4: case 5: case 6: case 7: case 8:
        return mid(img, ImgPath, ImgPrgBankTitleLen) + channelPart(at(img, ImgChannel)) + readOnlyMark(img);
    case 9: case 10:
        return rtrim(mid(img, ImgPath, ImgDrumTitleLen)) + channelPart(at(img, ImgChannel)) + readOnlyMark(img);
    case 19:
        if (user) return "Arr User (" + fileName(img, "arr") + ")";
        return "File Arr - " + fileName(img, "arr") + slotPart + ro;
    case 20:
        // Once saved, the new document names its file.
        if (at(img, ImgUntitled) == 0) return Msg(80) + " - " + fileName(img, "arr") + slotPart;
        return Msg(80) + " - " + Msg(81) + ".arr" + slotPart;
    case 21: case 31: {
        const char* ext = at(img, ImgPrgType) == 0 ? "prg" : "pgg";
        const std::string chan = channelPart(at(img, ImgPrgChannelByte));
        if (user) return "Prg F(User) (" + fileName(img, ext) + ")" + chan;
        return "File Prg - " + fileName(img, ext) + slotPart + chan + ro;
    }
    case 22: {
        const char* ext = at(img, ImgPrgType) == 0 ? "prg" : "pgg";
        return Msg(88) + " - " + PathName(title(img)) + "." + ext + slotPart + channelPart(at(img, ImgPrgChannelByte));
    }
    case 23:
        if (user) return "Sty User (" + fileName(img, "sty") + ")";
        return "File Sty - " + fileName(img, "sty") + slotPart + ro;
    case 24:
        if (at(img, ImgUntitled) == 0) return Msg(121) + " - " + fileName(img, "sty") + slotPart;
        return Msg(121) + " - " + Msg(81) + ".sty" + slotPart;
    case 25:
        return "File Gbl - " + fileName(img, "gbl") + ro;
    case 26:
        return "File Bsq - " + fileName(img, "bsq") + slotPart + ro;
    default:
        return title(img);
    }
}

std::string ModeName(int mode) {
    static const char* const names[5] = {"ARR PLAY", "SONG PLAY", "GLOBAL", "BACK.SEQ.", "PROGRAM"};
    return mode >= 0 && mode <= 4 ? names[mode] : "";
}

void ModeDisplaySet() {
    MainWindowLink().modeDisplay();
}
