#include "editors/arrangement/ArrRec.h"

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/WindowJobs.h"
#include "app/state.h"
#include "editors/arrangement/ArrState.h"
#include "editors/arrangement/frmEditArr.h"
#include "files/Clipboard.h"
#include "files/StyGroups.h"
#include "library/BanksView.h"
#include "library/frmArrAB.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {
std::string field16(const std::string& s) { return padRight(s.substr(0, std::min<std::size_t>(s.size(), 16)), 16); }

// The style's name for style number s of kind k.
std::string styleName(const std::string& image, int s, int k) {
    if (k == 1) return at(image, ImgStyPart) == ImgStyOwn ? rtrim(StyItemName(s, image)) : "UserStyle" + std::to_string(s);
    if (k == 0 && s < 128) return rtrim(cutAtNul(StyRomNames[static_cast<std::size_t>(s)]));
    return {};
}

// The name of user program p of an arrangement file image.
std::string userProgramName(const std::string& image, int p) {
    if (at(image, ImgPrgPresent) != 1 || p > 63) return "UserPrg" + std::to_string(p);
    const long q = ImgCompanionBlock(p);
    if (at(image, q) <= 1) return {};
    const std::string name = rtrim(mid(image, q, 16));
    return name.empty() ? "UserPrg" + std::to_string(p) : name;
}

// "A " + " 1" + "1": the bank field as an assignment writes it.
std::string bankField(const std::string& prefix, int m) {
    return prefix + " " + std::to_string(m / 8 + 1) + std::to_string(m % 8 + 1);
}

ChildForm* sourceWindow(int kind, int slot) {
    if (kind == 2 || kind == 3) return ArrABForm(kind).data();
    if (kind == 19) return WindowOf(WinFamily::ArrU, slot);
    return nullptr;
}
}  // namespace

std::optional<std::string> ArrRecMake(const std::string& image, int index) {
    if (index < 0 || index > 63) return std::nullopt;
    const long from = ImgArrBlock(index);
    if (static_cast<long>(image.size()) < from + ArrRecBlockLen - 1) return std::nullopt;
    std::string rec(static_cast<std::size_t>(ArrRecLen), ' ');
    putMid(rec, 1, mid(image, from, ArrRecBlockLen));
    put(rec, ArrRecKind, at(image, ImgKind));
    put(rec, ArrRecIndex, static_cast<unsigned>(index));
    put(rec, ArrRecSlot, at(image, ImgSlot));
    putField(rec, ArrRecFileName, ArrRecFileNameLen, rtrim(PathName(ImgPathOf(image))));
    putField(rec, ArrRecStyleName, ArrRecTextLen,
             styleName(image, at(rec, ArrRecStyle), at(rec, ArrRecStyleKind)).substr(0, 16));
    for (int t = 0; t < ArrTracks; ++t)
        if (at(rec, ArrRecTrack(t) + 1) == 3)
            putField(rec, ArrRecPrgName(t), ArrRecTextLen, userProgramName(image, at(rec, ArrRecTrack(t))).substr(0, 16));
    return rec;
}

void ArrRecBuild(const std::string& image, int index) {
    const std::optional<std::string> rec = ArrRecMake(image, index);
    if (!rec) return;
    // The record goes back to the window only when it is that window's image.
    ChildForm* w = sourceWindow(WinKind(image), at(image, ImgSlot));
    if (!w || &w->Tag() != &image)
        ArrangementEdit.record.reset();
    else if (!ArrangementEdit.record.build(w, index))
        return;   // an empty slot: the record holds no arrangement
    ArrRec = *rec;
}

bool ArrRecStore() {
    // Into the window the arrangement came from, whatever name it was saved
    // under since; a read-only or closed window is said so.
    frmEditArr* ed = frmEditArr::Open();
    if (!ArrangementEdit.record.storeOrSay(ed ? ed->Caption() : std::string())) return false;
    // The window showed its rows again from the stored image, the renamed
    // one among them.
    ArrNameChanged = false;
    return true;
}

std::string ArrStyleLabel(int s, int k) {
    if (k == 1) return "Style (U" + std::to_string(s < 8 ? s + 11 : s + 13) + ")";
    if (s < 128) {
        const char* bank = s < 64 ? "A" : "B";
        const int m = s % 64;
        return std::string("Style (") + bank + std::to_string((m / 8 + 1) * 10 + m % 8 + 1) + ")";
    }
    return "Style (" + std::to_string(s) + ")";
}

std::string ArrRomProgram(int bank, int n) {
    if (bank < 0 || bank > 4 || n < 0 || n > 63) return {};
    const std::string& names = PrgRomNames[static_cast<std::size_t>(bank)];
    if (static_cast<long>(names.size()) < 16L * (n + 1)) return {};
    return mid(names, 16L * n + 1, 16);
}

std::string ArrKitName(int n) {
    if (n < 0 || n > 15 || static_cast<long>(DrumKitNames.size()) < 16L * (n + 1)) return {};
    return mid(DrumKitNames, 16L * n + 1, 16);
}

ArrTrackText ArrTrackTextOf(const std::string& rec, int t) {
    const int n = at(rec, ArrRecTrack(t));
    const int b = at(rec, ArrRecTrack(t) + 1);
    const int m = n > 63 ? n - 64 : n;
    std::string name, prefix;
    switch (b) {
    case 0: name = ArrRomProgram(n < 64 ? 0 : 1, m), prefix = n < 64 ? "A" : "B"; break;
    case 1: name = ArrRomProgram(n < 64 ? 2 : 3, m), prefix = n < 64 ? "C" : "D"; break;
    case 2: name = ArrRomProgram(4, m), prefix = "E"; break;
    case 3: name = mid(rec, ArrRecPrgName(t), 16), prefix = "F"; break;
    case 4: name = ArrKitName(n), prefix = "Dr"; break;
    default: break;
    }
    if (rtrim(name).empty()) return {name, {}};
    return {name, bankField(prefix, m)};
}

std::string NoteNameText(int n) {
    static const char* const letters[] = {"C", "C", "D", "D", "E", "F", "F", "G", "G", "A", "A", "B"};
    const int d = n - 36;
    const int k = d % 12;
    std::string text = (k >= 0 ? letters[k] : "") + std::to_string(d / 12 + 2);
    if (k == 1 || k == 3 || k == 6 || k == 8 || k == 10) text += "#";
    return text;
}

std::optional<ArrPrgAssignment> ArrPrgAssignOf(const std::string& image, int n) {
    if (n < 0 || n > 63) return std::nullopt;
    const int kind = WinKind(image);
    auto bank = [](int b, int r) -> ArrPrgAssignment {
        static const char* const prefixes[] = {"A ", "B ", "C ", "D ", "E "};
        const int table = b == 2 ? 4 : 2 * b + (r >= 64 ? 1 : 0);
        const int m = b == 2 ? r : r % 64;
        return {r, b, field16(ArrRomProgram(table, m)), bankField(prefixes[table], m)};
    };
    switch (kind) {
    case 4: return bank(0, n);
    case 5: return bank(0, n + 64);
    case 6: return bank(1, n);
    case 7: return bank(1, n + 64);
    case 8: return bank(2, n);
    case 9:
    case 10: return ArrPrgAssignment{n, 4, field16(ArrKitName(n)), bankField("Dr ", n)};
    case 21: {
        const long q = ImgPrgBlock(n);
        if (static_cast<long>(image.size()) < q + 171) return std::nullopt;
        if (at(image, q) != 1) return ArrPrgAssignment{n, 3, mid(image, q, 16), bankField("U ", n)};
        const int b = at(image, q + 1);
        const int r = at(image, q + 2);
        // Bank E's programs past its 64 names keep their number and no name.
        if (b <= 2 && r < 128) return bank(b, r);
        if (b == 4) return ArrPrgAssignment{r, 4, field16(ArrKitName(r)), bankField("Dr ", r)};
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

std::optional<ArrStyAssignment> ArrStyAssignOf(const std::string& image, int row) {
    const int kind = WinKind(image);
    int s, k, m;
    std::string text, prefix;
    if (kind == 17 || kind == 18) {
        if (row < 0 || row > 63) return std::nullopt;
        s = StyBankStyle(kind, row), k = 0, m = row;
        text = StyBankRow(kind, row);
        prefix = kind == 17 ? "Style (A" : "Style (B";
    } else if (kind == 23) {
        const int item = StyRowItem(row);
        if (item < 0) return std::nullopt;
        s = item, k = 1, m = item;
        text = StyListOf(StyPartOf(image)).rows[static_cast<std::size_t>(row)];
        prefix = "Style (U";
    } else {
        return std::nullopt;
    }
    text = rtrim(text);
    text = text.size() < 4 ? std::string() : text.substr(4);
    return ArrStyAssignment{s, k, text, prefix + std::to_string((m / 8 + 1) * 10 + m % 8 + 1) + ")"};
}
