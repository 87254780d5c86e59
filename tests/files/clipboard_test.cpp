// The clipboard's work on window images.
#include "files/Clipboard.h"
#include "files/StyGroups.h"
#include "filestest.h"

namespace {
// An arrangement file whose arrangement i is named `name` and uses user style
// `style` (-1: a factory style).
void setArr(std::string& img, int i, const std::string& name, int style = -1) {
    long b = 303 + 164L * i;
    putField(img, b, 16, name);
    put(img, b + 17, style < 0 ? 5 : static_cast<unsigned>(style));
    put(img, b + 18, style < 0 ? 0 : 1);
}
std::string emptyArrFile() {
    std::string f = ArrBankImage(0);
    putMid(f, 33, std::string(64 * 164, '\0'));
    return f;
}
}  // namespace

TEST_F(FilesTest, ArrangementPasteBringsUserStylesAndStopsAtRow63) {
    const std::string style = styItem("MyGroove", 500);
    std::string src = arrImage(emptyArrFile(), "src", styFile({styItem("Other", 40), style}));
    setArr(src, 0, "Plain"), setArr(src, 1, "Groovy", 1), setArr(src, 2, "Groovy too", 1), setArr(src, 3, "Tail");
    markRows(src, 10799, {0, 1, 2, 3});
    ClipBuf = src;

    std::string dest = arrImage(emptyArrFile(), "dest", StyTemplateImage());
    put(dest, 9, 1);   // template appended: no style file of its own yet
    ASSERT_TRUE(ClipPasteArr(dest, 61));
    EXPECT_EQ(ClipKind, 19);
    EXPECT_EQ(ArrRowText(dest, 60) + "|" + ArrRowText(dest, 61) + "|" + ArrRowText(dest, 62) + "|" +
                  ArrRowText(dest, 63),
              "85|86  Plain           |87 +Groovy          |88 +Groovy too      ") << "from the destination row on";
    // The style took the first free item, and is brought once.
    const long styleByte = 303 + 164 * 62 + 17;
    EXPECT_EQ(std::tuple(at(dest, styleByte), at(dest, styleByte + 164), StyItemBytes(0, StyPartOf(dest))),
              std::tuple(0, 0, style));
    EXPECT_EQ(mid(dest, 9, 2) + mid(dest, 4, 1), bytesOf({2, 1, 1})) << "own styles, changed";
}

TEST_F(FilesTest, ArrangementPasteWithAMissingStyleSaysSo) {
    std::string src = arrImage(emptyArrFile(), "src");   // no style part at all
    setArr(src, 0, "Lost", 3);
    markRows(src, 10799, {0});
    ClipBuf = src;
    std::string dest = arrImage(emptyArrFile(), "dest");
    dialogs.answer(vbOK);
    EXPECT_FALSE(ClipPasteArr(dest, 0));
    EXPECT_EQ(std::tuple(onlyBox(), at(dest, 4)), std::tuple(ErrMsgText(ErrFileNotFoundName, ".sty"), 0));
}

TEST_F(FilesTest, StylePasteLimits) {
    std::string src = styImage(styFile({styItem("A", 100), styItem("B", 100)}), "src");
    markRows(src, 271, {0, 1});
    ClipBuf = src;

    std::string dest = styImage(StyTemplateImage(), "dest", 24);
    ASSERT_TRUE(ClipPasteSty(dest, 2));
    EXPECT_EQ(std::tuple(StyListOf(StyPartOf(dest)).rows[3], at(dest, 10)), std::tuple("14  B", 1));

    // No free item left after the destination: message 82.
    dialogs.answer(vbOK);
    std::string full = styImage(styFile(std::vector<std::string>(16, styItem("S", 4))), "full");
    put(full, 1, 23);
    std::string fullPart = StyPartOf(full);
    StyItemRemove(fullPart, 15);   // one free item: room for A, not for B
    StyPartSet(full, fullPart);
    EXPECT_TRUE(ClipPasteSty(full, 18));
    EXPECT_EQ(std::tuple(onlyBox(), StyListOf(StyPartOf(full)).rows[18]),
              std::tuple(ErrMsgText(ErrStylesPerFile), "28  A"));

    // A group reaching 65496 bytes: message 119, nothing changes.
    dialogs.shown.clear();
    const std::string huge = styImage(StyTemplateImage(), "h");
    std::string edited = huge;
    ClipBuf = styImage(styFile({styItem("Big", 64000)}), "b");
    markRows(ClipBuf, 271, {0});
    dialogs.answer(vbOK);
    EXPECT_FALSE(ClipPasteSty(edited, 0));
    EXPECT_EQ(std::tuple(onlyBox(), edited), std::tuple(ErrMsgText(ErrStyleGroupLength), huge));
}

TEST_F(FilesTest, ProgramPasteOfReferencesAndFiles) {
    std::string bankA = std::string(20, '\0') + padRight("Prg B", 10);
    bankA.resize(1373, '\0');
    put(bankA, 1, 5);   // bank B: programs 64-127 of LSB 0
    putMid(bankA, 30 + 21 * 2 + 1, "13  Warm Pad        ");
    markRows(bankA, 30, {2});
    ClipBuf = bankA;
    std::string dest = prgImage(PrgTemplateImage(), "d", 22);
    ASSERT_TRUE(ClipPastePrg(dest, 63));
    long b = 319 + 172 * 63;
    EXPECT_EQ(std::tuple(mid(dest, b, 19), PrgRowText(dest, 63), at(dest, 19), at(dest, 7), mid(dest, 271, 4)),
              std::tuple(bytesOf({1, 0, 66}) + "Warm Pad        ", "88 *Warm Pad        ", 1, 1, "KPGG"));

    // Cutting the reference makes the file a .prg again; cutting the last
    // program clears the programs-present mark.
    markRows(dest, 30751, {63});
    EXPECT_FALSE(CutPrg(dest));
    EXPECT_EQ(std::tuple(at(dest, 19), mid(dest, 271, 4), at(dest, 6), mid(dest, 30751 + 21 * 63, 21)),
              std::tuple(0, "KORG", 0, chr(0) + std::string(20, ' ')));

    // From a program file: the records themselves.
    std::string src = prgImage(PrgTemplateImage(), "s");
    putField(src, 319, 16, "Piano");
    putField(src, 319 + 172, 16, "Organ");
    markRows(src, 30751, {0, 1});
    ClipBuf = src;
    ASSERT_TRUE(ClipPastePrg(dest, 10));
    EXPECT_EQ(std::tuple(mid(dest, 319 + 172 * 10, 344), mid(dest, 271, 4), at(dest, 6)),
              std::tuple(mid(src, 319, 344), "KORG", 2));
    markRows(dest, 30751, {10});
    EXPECT_TRUE(CutPrg(dest)) << "one program left";
}

TEST_F(FilesTest, ArrangementCutDropsStylesNoLongerUsed) {
    std::string img = arrImage(emptyArrFile(), "f", styFile({styItem("Used", 50), styItem("Dropped", 60)}));
    setArr(img, 0, "Keeps", 0);
    setArr(img, 1, "Goes", 1);
    markRows(img, 10799, {1});
    CutArrResult r = CutArr(img);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(r.droppedStyles, std::vector<int>{1});
    EXPECT_EQ(std::tuple(ArrRowText(img, 1), StyBlkName(0, StyPartOf(img)), StyBlkName(1, StyPartOf(img))),
              std::tuple("12", "Used", "- empty -"));
    EXPECT_EQ(std::tuple(at(img, 4), at(img, 10)), std::tuple(1, 1)) << "changed marks";
}

TEST_F(FilesTest, StyleCutAndAutomaticSelection) {
    std::string img = styImage(styFile({styItem("A", 10), styItem("B", 10)}), "s");
    markRows(img, 271, {1, 4});
    ASSERT_TRUE(CutSty(img));
    StyListView v = StyListOf(StyPartOf(img));
    EXPECT_EQ(v.rows[0] + "/" + v.rows[1], "11  A/12  - empty -");

    std::string arr = arrImage(emptyArrFile(), "a");
    putMid(arr, 10799 + 21 * 5 + 1, "16  Ballad          ");
    putMid(arr, 10799 + 21 * 9 + 1, "22  Second          ");
    markRows(arr, 10799, {5, 9});
    ClipBuf = arr;
    PrgSelAutoPaste p = ClipPastePrgSelAuto();
    EXPECT_EQ(std::pair(p.list, p.text), std::pair(1, std::string("Ballad          ")));
    ClipBuf = std::string(1, static_cast<char>(34)) + chr(0);
    EXPECT_EQ(ClipPastePrgSelAuto().list, 0);
}

TEST_F(FilesTest, NamesEndAtTheirFirstZeroByte) {
    const std::string tail = std::string("Tail") + std::string(4, '\0') + "junk" + std::string(4, '\0');
    const std::string shown = "Tail" + std::string(12, ' ');
    std::string arr = arrImage(emptyArrFile(), "a");
    putMid(arr, 303, tail);
    std::string prg = prgImage(PrgTemplateImage(), "p");
    putMid(prg, 319, tail);
    put(prg, 319 + 172, 1);                 // a reference, its name from the fourth byte
    putMid(prg, 319 + 172 + 3, tail);
    EXPECT_EQ(std::tuple(ArrRowText(arr, 0), PrgRowText(prg, 0), PrgRowText(prg, 1)),
              std::tuple("11  " + shown, "11  " + shown, "12 *" + shown));

    std::string styles = styFile({styItem("A", 20), styItem("B", 20)});
    putMid(styles, 225, tail);
    putMid(styles, 225 + 36, std::string("- empty -") + std::string(7, '\0'));
    EXPECT_EQ(StyBlkName(0, styles), "Tail");
    EXPECT_TRUE(StyItemFree(1, styles)) << "the placeholder, zero-filled";

    // Names taken from a copied row table: the automatic selection and a
    // reference pasted from a bank window.
    putMid(arr, 10799 + 1, "11  " + tail);
    markRows(arr, 10799, {0});
    ClipBuf = arr;
    EXPECT_EQ(ClipPastePrgSelAuto().text, shown);
    std::string bankRows = imageOf(4, "Prg A", "");
    putMid(bankRows, 30 + 1, "11  " + tail);
    markRows(bankRows, 30, {0});
    ClipBuf = bankRows;
    ASSERT_TRUE(ClipPastePrg(prg, 5));
    EXPECT_EQ(PrgRowText(prg, 5), "16 *" + shown);
}
