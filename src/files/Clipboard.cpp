#include "files/Clipboard.h"

#include <map>

#include "app/ImageLayout.h"
#include "app/Messages.h"
#include "files/FileFormats.h"
#include "files/StyGroups.h"
#include "files/state.h"
#include "platform/bytes.h"

namespace {

bool readOnly(const std::string& image) { return ImgIsRdOnly(image); }

long arrBlock(int i) { return ImgArrBlock(i); }
long prgBlock(int i) { return ImgPrgBlock(i); }

// The program file magic and type mark follow the records: any reference
// record makes it a ".pgg".
void prgTypeRefresh(std::string& image) {
    bool ref = false;
    for (int i = 0; i < 64 && !ref; ++i) ref = at(image, prgBlock(i)) == 1;
    put(image, ImgPrgType, ref ? 1 : 0);
    putMid(image, ImgFile, ref ? "KPGG" : "KORG");
}

// The style part of an arrangement image, ready to take styles: its own
// style file, else the template.
std::string arrStylePart(const std::string& image) {
    if (at(image, ImgStyPart) != 0) {
        std::string part = StyPartOf(image);
        if (StyFileCheck(part)) return part;
    }
    if (static_cast<long>(StyGrpBuf.size()) == StyTemplateLen && StyFileCheck(StyGrpBuf)) return StyGrpBuf;
    return StyTemplateImage();
}

void styRefusal(StyEditStatus s) {
    ErrMsg(s == StyEditGroupFull ? ErrStyleGroupLength : ErrStylesPerFile, Msg(74));
}

}  // namespace

void RowTableWrite(std::string& image, const std::vector<std::string>& rows, const std::vector<bool>& selected) {
    int kind = WinKind(image);
    long base = RowTableBase(kind);
    for (int i = 0; i < RowTableRows(kind); ++i) {
        long p = RowPos(base, i);
        if (i < static_cast<int>(rows.size())) putMid(image, p + 1, rows[static_cast<std::size_t>(i)].substr(0, 20));
        put(image, p, i < static_cast<int>(selected.size()) && selected[static_cast<std::size_t>(i)] ? 1 : 0);
    }
}

bool RowMarked(const std::string& image, int row) {
    long base = RowTableBase(WinKind(image));
    return base != 0 && at(image, RowPos(base, row)) == 1;
}

std::string ArrRowText(const std::string& image, int i) {
    long b = arrBlock(i);
    if (at(image, b) == 0) return RowCode(i);
    return RowCode(i) + (at(image, b + 18) == 1 ? " +" : "  ") + NameField(image, b);
}

std::string PrgRowText(const std::string& image, int i) {
    long b = prgBlock(i);
    unsigned first = at(image, b);
    if (first == 0) return RowCode(i) + "  ";
    if (first == 1) return RowCode(i) + " *" + NameField(image, b + 3);
    return RowCode(i) + "  " + NameField(image, b);
}

bool ClipPasteArr(std::string& image, int destRow) {
    ClipKind = WinKind(ClipBuf);
    ActiveKind = WinKind(image);
    if ((ActiveKind != 19 && ActiveKind != 20) || readOnly(image) || destRow < 0 || destRow > 63) return false;
    if (ClipKind != 2 && ClipKind != 3 && ClipKind != 19 && ClipKind != 20) return false;
    const bool withStyles = ClipKind == 19 || ClipKind == 20;
    const std::string clipPart = withStyles && at(ClipBuf, ImgStyPart) == ImgStyOwn ? StyPartOf(ClipBuf) : std::string();
    std::string part;       // the destination's style part, once a style comes along
    bool stylesAdded = false, changed = false;
    int t = destRow;
    for (int i = 0; i < 64 && t <= 63; ++i) {
        if (at(ClipBuf, RowPos(ImgArrRows, i)) != 1) continue;
        std::string rec = mid(ClipBuf, arrBlock(i), ArrBlkLen);
        rec.resize(ArrBlkLen, '\0');
        if (withStyles && at(rec, 1) != 0 && at(rec, 19) == 1) {
            std::string item = StyItemBytes(at(rec, 18), clipPart);
            if (item.empty() || StyItemFree(at(rec, 18), clipPart)) {
                ErrMsg(ErrFileNotFoundName, Msg(74), ".sty");
                break;
            }
            if (part.empty()) part = arrStylePart(image);
            int k = StyFindItem(part, item);
            if (k < 0) {
                k = StyFirstFree(part);
                StyEditStatus s = k < 0 ? StyEditNoRoom : StyItemPut(part, k, item);
                if (s != StyEditOk) {
                    styRefusal(s);
                    break;
                }
                stylesAdded = true;
            }
            put(rec, 18, static_cast<unsigned>(k));
        }
        putMid(image, arrBlock(t), rec);
        changed = true;
        ++t;
    }
    if (stylesAdded) {
        StyPartSet(image, part);
        put(image, ImgStyPart, ImgStyOwn);
        put(image, ImgStyChanged, 1);
    }
    if (changed) {
        put(image, ImgChanged, 1);
        put(image, ImgConst, ImgConstValue);
    }
    return changed;
}

bool ClipPastePrg(std::string& image, int destRow) {
    ClipKind = WinKind(ClipBuf);
    ActiveKind = WinKind(image);
    if ((ActiveKind != 21 && ActiveKind != 22) || readOnly(image) || destRow < 0 || destRow > 63) return false;
    const bool fromFile = ClipKind == 21 || ClipKind == 22;
    const bool fromBank = ClipKind >= 4 && ClipKind <= 8;
    if (!fromFile && !fromBank) return false;
    const long base = fromFile ? ImgPrgRows : ImgPcgRows;
    bool changed = false;
    int t = destRow;
    for (int i = 0; i < 64 && t <= 63; ++i) {
        long p = RowPos(base, i);
        if (at(ClipBuf, p) != 1) continue;
        std::string rec;
        if (fromFile) {
            rec = mid(ClipBuf, prgBlock(i), PrgBlkLen);
            rec.resize(PrgBlkLen, '\0');
        } else {
            // A reference to the instrument's own program: bank select LSB
            // and program number as the bank window selects it, its name.
            static const unsigned lsb[5] = {0, 0, 1, 1, 2};
            static const unsigned add[5] = {0, 64, 0, 64, 0};
            rec.assign(PrgBlkLen, '\0');
            put(rec, 1, 1);
            put(rec, 2, lsb[ClipKind - 4]);
            put(rec, 3, static_cast<unsigned>(i) + add[ClipKind - 4]);
            putMid(rec, 4, NameField(ClipBuf, p + 5));
        }
        putMid(image, prgBlock(t), rec);
        changed = true;
        ++t;
    }
    if (changed) {
        prgTypeRefresh(image);
        put(image, ImgPrgChanged, 1);
        put(image, ImgPrgPresent, 2);
    }
    return changed;
}

bool ClipPasteSty(std::string& image, int destRow) {
    ClipKind = WinKind(ClipBuf);
    ActiveKind = WinKind(image);
    if ((ActiveKind != 23 && ActiveKind != 24) || readOnly(image)) return false;
    if (ClipKind != 23 && ClipKind != 24) return false;
    int k = StyRowItem(destRow);
    if (k < 0) return false;
    const std::string clipPart = StyPartOf(ClipBuf);
    std::string part = StyPartOf(image);
    bool changed = false;
    for (int r = 0; r < 19; ++r) {
        int src = StyRowItem(r);
        if (src < 0 || at(ClipBuf, RowPos(ImgStyRows, r)) != 1 || StyItemFree(src, clipPart)) continue;
        std::string item = StyItemBytes(src, clipPart);
        if (item.empty()) continue;
        while (k <= 15 && !StyItemFree(k, part)) ++k;
        StyEditStatus s = k > 15 ? StyEditNoRoom : StyItemPut(part, k, item);
        if (s != StyEditOk) {
            styRefusal(s);
            break;
        }
        changed = true;
        ++k;
    }
    if (changed) {
        StyPartSet(image, part);
        put(image, ImgStyChanged, 1);
    }
    return changed;
}

PrgSelAutoPaste ClipPastePrgSelAuto() {
    ClipKind = WinKind(ClipBuf);
    ActiveKind = 34;
    PrgSelAutoPaste r;
    long base = ClipKind == 19 ? ImgArrRows : ClipKind == 21 ? ImgPrgRows : 0;
    if (base == 0) return r;
    for (int i = 0; i < 64; ++i) {
        long p = RowPos(base, i);
        if (at(ClipBuf, p) != 1) continue;
        const std::string row = NameField(ClipBuf, p + 1, 20);
        r.list = ClipKind == 19 ? 1 : 2;
        r.text = ClipKind == 19 ? row.substr(4) : row;
        break;
    }
    return r;
}

CutArrResult CutArr(std::string& image) {
    CutArrResult r;
    ActiveKind = WinKind(image);
    if ((ActiveKind != 19 && ActiveKind != 20) || readOnly(image)) return r;
    for (int i = 0; i < 64; ++i) {
        if (at(image, RowPos(ImgArrRows, i)) != 1) continue;
        putMid(image, arrBlock(i), std::string(ArrBlkLen, '\0'));
        r.changed = true;
    }
    if (!r.changed) return r;
    put(image, ImgChanged, 1);
    put(image, ImgConst, ImgConstValue);
    if (at(image, ImgStyPart) != ImgStyOwn) return r;
    // Styles of the file that no arrangement uses any longer are dropped.
    bool used[16] = {};
    for (int i = 0; i < 64; ++i) {
        long b = arrBlock(i);
        if (at(image, b) != 0 && at(image, b + 18) == 1 && at(image, b + 17) < 16) used[at(image, b + 17)] = true;
    }
    std::string part = StyPartOf(image);
    for (int k = 0; k < 16; ++k) {
        if (used[k] || StyItemFree(k, part)) continue;
        StyItemRemove(part, k);
        r.droppedStyles.push_back(k);
    }
    if (!r.droppedStyles.empty()) {
        StyPartSet(image, part);
        put(image, ImgStyChanged, 1);
    }
    return r;
}

bool CutPrg(std::string& image) {
    ActiveKind = WinKind(image);
    bool left = false;
    if ((ActiveKind != 21 && ActiveKind != 22) || readOnly(image)) {
        for (int i = 0; i < 64 && !left; ++i) left = at(image, prgBlock(i)) != 0;
        return left;
    }
    bool changed = false;
    for (int i = 0; i < 64; ++i) {
        long p = RowPos(ImgPrgRows, i);
        if (at(image, p) != 1) continue;
        putMid(image, prgBlock(i), std::string(PrgBlkLen, '\0'));
        put(image, p, 0);
        putMid(image, p + 1, std::string(20, ' '));
        changed = true;
    }
    for (int i = 0; i < 64 && !left; ++i) left = at(image, prgBlock(i)) != 0;
    if (changed) {
        put(image, ImgPrgChanged, 1);
        if (!left) put(image, ImgPrgPresent, 0);
        prgTypeRefresh(image);
    }
    return left;
}

bool CutSty(std::string& image) {
    ActiveKind = WinKind(image);
    if ((ActiveKind != 23 && ActiveKind != 24) || readOnly(image)) return false;
    std::string part = StyPartOf(image);
    bool changed = false;
    for (int r = 0; r < 19; ++r) {
        int k = StyRowItem(r);
        if (k < 0 || at(image, RowPos(ImgStyRows, r)) != 1 || StyItemFree(k, part)) continue;
        StyItemRemove(part, k);
        changed = true;
    }
    if (changed) {
        StyPartSet(image, part);
        put(image, ImgStyChanged, 1);
    }
    return changed;
}

void CutPrgSelAuto(int focus, std::string& arrName, std::string& prgText) {
    if (focus == 1 || focus == 3) arrName.assign(16, ' ');
    prgText.assign(20, ' ');
}
