#include "app/Settings.h"

#include <algorithm>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

long recPos(int rec, int pos) { return static_cast<long>(rec - 1) * IniRecLen + pos; }

int clampCoord(int v) { return std::clamp(v, -16000, 16000); }
unsigned clampSize(int v) { return static_cast<unsigned>(std::clamp(v, 0, 32767)); }

bool bankKind(int kind) { return kind >= 4 && kind <= 10; }

// A path field as stored: blank-padded, or all zero bytes for a closed slot.
std::string pathField(const std::string& img, long pos) { return rtrim(cutAtNul(mid(img, pos, PathFieldLen))); }

void readSlot(const std::string& img, int rec, SlotRec& s, bool prg) {
    long b = recPos(rec, 0);
    s.Path = pathField(img, b + 1);
    s.Height = static_cast<int>(get16hi(img, b + 239));
    s.State = at(img, b + 241);
    s.Chan = prg ? at(img, b + 242) : 0;
    s.Top = static_cast<int>(get16hi(img, b + 243)) - 16000;
    s.Left = static_cast<int>(get16hi(img, b + 245)) - 16000;
    s.RdOnly = at(img, b + 247);
    s.Type = prg ? at(img, b + 248) : 0;
    s.Width = static_cast<int>(get16hi(img, b + 249));
    s.DBID = 0;
    // Style slots keep their companion mark in the byte other slots leave 0.
    s.Extra = !prg && at(img, b + 248) == 1 ? 1 : 0;
}

void readMru(const std::string& img, int rec, MruRec& m) {
    long b = recPos(rec, 0);
    m.Path = pathField(img, b + 1);
    m.Height = static_cast<int>(get16hi(img, b + 239));
    m.Kind = at(img, b + 242);
    m.Top = static_cast<int>(get16hi(img, b + 243)) - 16000;
    m.Left = static_cast<int>(get16hi(img, b + 245)) - 16000;
    m.RdOnly = at(img, b + 247);
    m.Width = static_cast<int>(get16hi(img, b + 249));
}

// Fills the slot part of the record buffer (the caller cleared it).
void slotRecord(std::string& buf, const SlotRec& s, const std::string& path, bool prg) {
    putField(buf, 1, PathFieldLen, path);
    put16hi(buf, 239, clampSize(s.Height));
    put(buf, 241, s.State);
    put(buf, 242, prg ? s.Chan : 0);
    put16hi(buf, 243, static_cast<unsigned>(clampCoord(s.Top) + 16000));
    put16hi(buf, 245, static_cast<unsigned>(clampCoord(s.Left) + 16000));
    put(buf, 247, s.RdOnly);
    put(buf, 248, prg ? s.Type : s.Extra == 1 ? 1 : 0);
    put16hi(buf, 249, clampSize(s.Width));
}

template <std::size_t N>
void writeSlots(std::string& img, std::string& buf, std::array<SlotRec, N>& table, int firstRec, int rec9,
                const std::string& userFile, bool prg, SlotRec& work) {
    for (int i = 1; i <= 9; ++i) {
        buf.assign(IniRecLen, '\0');
        work = table[static_cast<std::size_t>(i)];
        if (work.State > 0 || i == 9) slotRecord(buf, work, i == 9 ? userFile : work.Path, prg);
        putMid(img, recPos(i == 9 ? rec9 : firstRec + i - 1, 1), buf);
    }
}

}  // namespace

std::string IniWinEntryEncode(int kind, const WinState& w) {
    std::string e(9, '\0');
    put16hi(e, 1, static_cast<unsigned>(clampCoord(w.Top) + 16000));
    put16hi(e, 3, static_cast<unsigned>(clampCoord(w.Left) + 16000));
    put16hi(e, 5, clampSize(w.Height));
    put16hi(e, 7, clampSize(w.Width));
    put(e, 9, bankKind(kind) ? (w.Chan & 15u) * 16u + (w.State & 15u) : w.State);
    return e;
}

void IniWinEntryDecode(int kind, const std::string& e, WinState& w) {
    w.Top = static_cast<int>(get16hi(e, 1)) - 16000;
    w.Left = static_cast<int>(get16hi(e, 3)) - 16000;
    w.Height = static_cast<int>(get16hi(e, 5));
    w.Width = static_cast<int>(get16hi(e, 7));
    unsigned s = at(e, 9);
    if (bankKind(kind)) {
        w.State = static_cast<uint8_t>(s & 15u);
        w.Chan = static_cast<uint8_t>(s >> 4);
    } else {
        w.State = static_cast<uint8_t>(s);
    }
}

bool IniImageParse(const std::string& img) {
    if (img.size() < static_cast<std::size_t>(IniRecLen) * IniRecCount) return false;
    if (mid(img, 1, 9) != IniSignatureText) return false;
    uint8_t lang = at(img, 25);
    if (lang != 1 && lang != 2) return false;

    IniSignature = mid(img, 1, 9);
    RdOnlyOpt = at(img, 17) != 0;
    CaricaStyNuovoArrOpt = at(img, 20) != 0;
    CaricaStyOpt = at(img, 21) != 0;
    ApriPrgOpt = at(img, 22) != 0;
    CaricaPrgOpt = at(img, 23) != 0;
    LangSel = lang;
    AutoDBArrOpt = at(img, 26) != 0;
    StatusBarOpt = at(img, 27) != 0;
    CaricaArrOpt = at(img, 28) != 0;
    KbdSettings = mid(img, 30, 16);
    MidiThruOn = at(img, 46) != 0;
    ModeNow = at(img, 47) <= 4 ? at(img, 47) : 0;
    GblInstrSet = at(img, 49);

    for (int n = 0; n < 20; ++n) {
        int kind = IniWinKinds[n];
        IniWinEntryDecode(kind, mid(img, 51 + 9 * n, 9), WinEntry(kind));
    }
    int* chans[11] = {&GlobalChannel, &ArrChannel, &LowChannel, &Up2Channel, &Up1Channel, &DrmChannel,
                      &PerChannel,    &BasChannel, &Ac1Channel, &Ac2Channel, &Ac3Channel};
    for (int i = 0; i < 11; ++i) *chans[i] = at(img, 240 + i) & 15;

    IniWinEntryDecode(34, mid(img, recPos(2, 1), 9), WinEntry(34));
    DirLast = rtrim(cutAtNul(mid(img, recPos(3, 1), IniRecLen)));
    DirLastPrg = rtrim(cutAtNul(mid(img, recPos(4, 1), IniRecLen)));
    if (DirLast.empty()) DirLast = StartDir();
    if (DirLastPrg.empty()) DirLastPrg = StartDir();

    for (int i = 1; i <= 9; ++i) {
        auto k = static_cast<std::size_t>(i);
        readSlot(img, i == 9 ? 50 : 5 + i, PrgSlots[k], true);
        readSlot(img, i == 9 ? 48 : 13 + i, ArrSlots[k], false);
        readSlot(img, i == 9 ? 49 : 21 + i, StySlots[k], false);
    }
    PrgUFile = PrgSlots[9].Path;
    ArrUFile = ArrSlots[9].Path;
    StyUFile = StySlots[9].Path;

    if (GblInstrSet == 1) {
        GblInstr = mid(img, recPos(30, 1), IniRecLen) + mid(img, recPos(31, 1), 198);
        GblInstr.resize(448, '\0');
    }
    for (int i = 1; i <= 8; ++i) readMru(img, 39 + i, MruTable[static_cast<std::size_t>(i)]);
    return true;
}

std::string IniImageBuild(const std::string& old) {
    std::string img = old;
    if (img.size() < static_cast<std::size_t>(IniRecLen)) img.resize(IniRecLen, '\0');

    putMid(img, 1, IniSignatureText);
    put(img, 17, RdOnlyOpt ? 1 : 0);
    put(img, 20, CaricaStyNuovoArrOpt ? 1 : 0);
    put(img, 21, CaricaStyOpt ? 1 : 0);
    put(img, 22, ApriPrgOpt ? 1 : 0);
    put(img, 23, CaricaPrgOpt ? 1 : 0);
    put(img, 25, LangSel);
    put(img, 26, AutoDBArrOpt ? 1 : 0);
    put(img, 27, StatusBarOpt ? 1 : 0);
    put(img, 28, CaricaArrOpt ? 1 : 0);
    putField(img, 30, 16, KbdSettings, '\0');
    put(img, 46, MidiThruOn ? 1 : 0);
    put(img, 47, static_cast<unsigned>(ModeNow));
    put(img, 49, GblInstrSet);
    for (int n = 0; n < 20; ++n) {
        int kind = IniWinKinds[n];
        putMid(img, 51 + 9 * n, IniWinEntryEncode(kind, WinEntry(kind)));
    }
    const int chans[11] = {GlobalChannel, ArrChannel, LowChannel, Up2Channel, Up1Channel, DrmChannel,
                           PerChannel,    BasChannel, Ac1Channel, Ac2Channel, Ac3Channel};
    for (int i = 0; i < 11; ++i) put(img, 240 + i, static_cast<unsigned>(chans[i] & 15));

    // One record buffer, as the records are built one after the other: the
    // recent-file records leave two of its positions as the last record had them.
    std::string buf(IniRecLen, '\0');
    putMid(buf, 1, IniWinEntryEncode(34, WinEntry(34)));
    putMid(img, recPos(2, 1), buf);
    putMid(img, recPos(3, 1), padRight(DirLast, IniRecLen));
    putMid(img, recPos(4, 1), padRight(DirLastPrg, IniRecLen));

    writeSlots(img, buf, PrgSlots, 6, 50, PrgUFile, true, PrgSlotWork);
    writeSlots(img, buf, ArrSlots, 14, 48, ArrUFile, false, ArrSlotWork);
    writeSlots(img, buf, StySlots, 22, 49, StyUFile, false, StySlotWork);

    if (GblInstrSet == 1) {
        std::string g = GblInstr;
        g.resize(448, '\0');
        buf = g.substr(0, 250);
        putMid(img, recPos(30, 1), buf);
        buf = padRight(g.substr(250), IniRecLen);
        putMid(img, recPos(31, 1), buf);
    }
    for (int i = 1; i <= 8; ++i) {
        MruWork = MruTable[static_cast<std::size_t>(i)];
        putField(buf, 1, PathFieldLen, MruWork.Path);
        put16hi(buf, 239, clampSize(MruWork.Height));
        put(buf, 242, MruWork.Kind);
        put16hi(buf, 243, static_cast<unsigned>(clampCoord(MruWork.Top) + 16000));
        put16hi(buf, 245, static_cast<unsigned>(clampCoord(MruWork.Left) + 16000));
        put(buf, 247, MruWork.RdOnly);
        put16hi(buf, 249, clampSize(MruWork.Width));
        putMid(img, recPos(39 + i, 1), buf);
    }
    return img;
}

void IniDefaults() {
    AppSettings = {};
    IniSignature = IniSignatureText;
    AppChannels = {};
    KbdSettings = MidiLink().kbdDefaults();
    KbdSettings.resize(16, '\0');
    WinStateTableDefaults();
    DirLast = StartDir();
    DirLastPrg = StartDir();
    ArrSlots = {};
    StySlots = {};
    PrgSlots = {};
    ArrUFile.clear(); StyUFile.clear(); PrgUFile.clear();
}

bool IniRead() {
    std::string img;
    FileError e = ReadWholeFile(IniFile, img);
    if (e == FileError::NotFound) return false;
    if (e != FileError::None) {
        FileErrMsg(e, IniFile);
        return false;
    }
    return IniImageParse(img);
}

FileError IniWrite() {
    std::string old;
    FileError e = ReadWholeFile(IniFile, old);
    if (e != FileError::None && e != FileError::NotFound) old.clear();   // rebuilt from what the program knows
    e = WriteWholeFile(IniFile, IniImageBuild(old));
    if (e != FileError::None) FileErrMsg(e, IniFile);
    return e;
}
