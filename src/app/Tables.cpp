#include "app/Tables.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/state.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

void TwipsYTake() {
    TwipsY = QCoreApplication::instance() ? TwipsPerPixelY() : 15;
    if (TwipsY <= 0) TwipsY = 15;
}

void FormSizesSet() {
    const bool large = TwipsY == 12;
    const int listH = large ? 4600 : 4810;
    auto& f = FormSizes;
    f.ArrABHeight = f.ArrNewHeight = f.StyABHeight = f.PcgAEHeight = f.PrgUNHeight = listH;
    f.ArrABWidth = f.ArrNewWidth = f.StyABWidth = f.PcgAEWidth = f.PrgUNWidth = 7780;
    f.ArrUHeight = listH;
    f.ArrUWidth = 9040;
    f.StyUNHeight = large ? 5280 : 5560;
    f.StyUNWidth = 4200;
    f.DrumHeight = large ? 1840 : 1920;
    f.DrumWidth = 7780;
    f.BsqHeight = 2760; f.BsqWidth = 5664;
    f.EditPrgHeight = 5720; f.EditPrgWidth = 9330;
    f.PrgSelAutoHeight = 5280; f.PrgSelAutoWidth = 4440;
    f.MultisampleHeight = 5030; f.MultisampleWidth = 9090;
    f.EditPerfHeight = 2602; f.EditPerfWidth = 8280;
    f.EditBSQHeight = 5000; f.EditBSQWidth = 7000;
}

namespace {
// The standard size a window kind keeps in FormSizes (nullptr where the
// size is fixed).
std::pair<int*, int*> sizeFields(int kind) {
    auto& f = FormSizes;
    switch (kind) {
    case 2: case 3: return {&f.ArrABHeight, &f.ArrABWidth};
    case 4: case 5: case 6: case 7: case 8: return {&f.PcgAEHeight, &f.PcgAEWidth};
    case 9: case 10: return {&f.DrumHeight, &f.DrumWidth};
    case 17: case 18: return {&f.StyABHeight, &f.StyABWidth};
    case 19: return {&f.ArrUHeight, &f.ArrUWidth};
    case 20: return {&f.ArrNewHeight, &f.ArrNewWidth};
    case 21: case 22: case 31: return {&f.PrgUNHeight, &f.PrgUNWidth};
    case 23: case 24: return {&f.StyUNHeight, &f.StyUNWidth};
    case 26: return {&f.BsqHeight, &f.BsqWidth};
    case 30: return {&f.EditBSQHeight, &f.EditBSQWidth};
    case 32: return {&f.EditPrgHeight, &f.EditPrgWidth};
    case 34: return {&f.PrgSelAutoHeight, &f.PrgSelAutoWidth};
    case 35: return {&f.MultisampleHeight, &f.MultisampleWidth};
    case 36: return {&f.EditPerfHeight, &f.EditPerfWidth};
    default: return {nullptr, nullptr};
    }
}
}  // namespace

void StandardSize(int kind, int& h, int& w) {
    h = w = 0;
    if (auto [fh, fw] = sizeFields(kind); fh) {
        h = *fh;
        w = *fw;
        return;
    }
    switch (kind) {
    case 1: h = 7200; w = 9600; break;   // the frame's normal size before the user sets one
    case 12: h = 6072; w = 4308; break;
    case 13: h = 5870; w = 9170; break;
    case 14: case 25: h = 5640; w = 9072; break;
    case 15: h = 5532; w = 9288; break;
    case 16: h = 5760; w = 8000; break;
    default: break;
    }
}

void StandardSizeAtLeast(int kind, int h, int w) {
    auto [fh, fw] = sizeFields(kind);
    if (!fh) return;
    const int oldH = *fh, oldW = *fw;
    *fh = std::max(*fh, h);
    *fw = std::max(*fw, w);
    if (*fh == oldH && *fw == oldW) return;
    // The kinds that share this size and still stand at the old standard
    // open at the new one, as this kind does.
    for (int k = 1; k <= WinKinds; ++k) {
        WinState& e = WinEntry(k);
        if (k != kind && sizeFields(k).first == fh && e.Height == oldH && e.Width == oldW) {
            e.Height = *fh;
            e.Width = *fw;
        }
    }
}

void WinStateTableDefaults() {
    for (int k = 1; k <= WinKinds; ++k) {
        WinState w;
        StandardSize(k, w.Height, w.Width);
        WinEntry(k) = w;
    }
    WinEntry(1).State = 2;
}

namespace {

template <std::size_t N>
int firstFree(const std::array<int, N>& used) {
    for (int i = 1; i <= 8; ++i)
        if (used[static_cast<std::size_t>(i)] == 0) return i;
    return 0;
}

template <std::size_t N>
int findOpen(const std::array<SlotRec, N>& table, const std::string& path) {
    for (int i = 1; i <= 8; ++i) {
        const SlotRec& s = table[static_cast<std::size_t>(i)];
        if ((s.State == 1 || s.State == 2) && SamePath(s.Path, path)) return 1;
    }
    return 0;
}

}  // namespace

int ArrSlotFree() { return firstFree(ArrSlotUsed); }
int StySlotFree() { return firstFree(StySlotUsed); }
int PrgSlotFree() { return firstFree(PrgSlotUsed); }

int BsqSlotFree() {
    for (int i = 1; i <= 8; ++i) {
        uint8_t s = BsqSlots[static_cast<std::size_t>(i)].State;
        if (s == 0 || s == ' ') return i;
    }
    return 0;
}

void GblSlotFree() {
    GblSlotCur = 0;
    for (int i = 1; i <= 8; ++i)
        if (GblSlots[static_cast<std::size_t>(i)].State == 0) {
            GblSlotCur = i;
            return;
        }
}

int ArrSlotFind(const std::string& path) { return findOpen(ArrSlots, path); }
int StySlotFind(const std::string& path) { return findOpen(StySlots, path); }
int PrgSlotFind(const std::string& path) { return findOpen(PrgSlots, path); }
int BsqSlotFind(const std::string& path) { return findOpen(BsqSlots, path); }
int GblSlotFind(const std::string& path) {
    std::string p = path;
    if (p.size() >= 4 && p[p.size() - 4] == '.') p.resize(p.size() - 4);
    return findOpen(GblSlots, p);
}

void PrgWinShow(int kind) {
    PrgWindowLink().showPrgWindow(kind, PrgSlotCur);
    PrgWinCount += 1;
}

int PrgWinOpen(const std::string& path) {
    int slot = PrgSlotFree();
    if (slot == 0) return 1;
    int r = ProgramFileLink().readProgramFile(path + ".prg");
    if (r != 0 && r != 4) return r == 1 ? 2 : r;
    PrgSlotUsed[static_cast<std::size_t>(slot)] = 1;
    PrgSlotCur = slot;
    PrgWinKind = 21;
    PrgDir = PathDir(path);
    PrgName = PathName(path);
    PrgWinShow(21);
    return 0;
}

void ArrABWinShow() {
    MainWindowLink().enableMenu(MenuId::mnuWindow, true);
    MainWindowLink().enableMenu(MenuId::mnuChiudi, true);
    ArrWindowLink().showArrAB(ArrABKind);
}

void ArrUserBankSet(const std::string& image) {
    ArrUFile = rtrim(mid(image, ImgPath, ImgPathLen));
    if ((ArrSlots[9].State == 1 || ArrSlots[9].State == 2)) ArrWindowLink().unloadArrU(9);
    MainWindowLink().enableMenu(MenuId::mnuArrU, true);
}

void StyUserBankSet(const std::string& image) {
    StyUFile = rtrim(mid(image, ImgPath, ImgPathLen));
    if ((StySlots[9].State == 1 || StySlots[9].State == 2)) StyWindowLink().unloadStyUN(9);
    MainWindowLink().enableMenu(MenuId::mnuStyU, true);
}
