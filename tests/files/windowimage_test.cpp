// The window image of every kind. Positions are written out as numbers on
// purpose, so that a wrong named position fails here.
#include "files/Clipboard.h"
#include "files/StyGroups.h"
#include "files/WindowImage.h"
#include "filestest.h"

namespace {

// `len` bytes running through every value, 00 and 80-FF included.
std::string pattern(long len, unsigned seed = 0) {
    std::string s(static_cast<std::size_t>(len), '\0');
    for (long i = 0; i < len; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>((i * 7 + seed) & 0xFF);
    return s;
}

// The document's length (0: none), the image's, the title at 21 ("": blank), the header
// bytes 2, 3, 6, 17 and 18, the row table's base (0: none) and its bytes at creation.
struct KindCase { int kind; long fileLen, length; std::string title, header; long rows; char rowFill; };

}  // namespace

TEST_F(FilesTest, WindowImageSkeletonOfEveryKind) {
    const std::string ro = bytesOf({1, 2, 0, 1, 0});
    const KindCase cases[] = {
        {2, 10528, 12142, "Arr A", ro, 10799, ' '},
        {3, 10528, 12142, "Arr B", ro, 10799, ' '},
        {19, 10528, 42622, "", bytesOf({0, 2, 0, 0, 0}), 10799, ' '},
        {20, 10528, 42622, "", bytesOf({0, 2, 0, 0, 1}), 10799, ' '},
        {21, 30480, 32094, "", bytesOf({0, 0, 2, 0, 0}), 30751, '\0'},
        {22, 30480, 32094, "", bytesOf({0, 0, 2, 0, 1}), 30751, '\0'},
        {31, 30480, 32094, "", bytesOf({0, 0, 2, 0, 0}), 30751, '\0'},
        {23, 4928, 669 + 4928, "", bytesOf({0, 0, 0, 0, 0}), 271, '\0'},
        {24, 300, 669 + 300, "", bytesOf({0, 0, 0, 0, 1}), 271, '\0'},
        {4, 0, 1373, "Prg A", ro, 30, ' '},
        {8, 0, 1373, "Prg E", ro, 30, ' '},
        {9, 0, 300, "Drum", bytesOf({1, 0, 0, 0, 0}), 0, ' '},
        {10, 0, 300, "Percussion", bytesOf({1, 0, 0, 0, 0}), 0, ' '},
        {14, 448, 718, "Global Parameters", bytesOf({0, 0, 0, 0, 0}), 0, ' '},
        {25, 448, 718, "", bytesOf({0, 0, 0, 0, 0}), 0, ' '},
        {17, 0, 270, "Style A", bytesOf({1, 0, 0, 1, 0}), 0, ' '},
        {18, 0, 270, "Style B", bytesOf({1, 0, 0, 1, 0}), 0, ' '},
        {26, 5000, 5270, "", bytesOf({0, 0, 0, 0, 0}), 0, ' '},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind));
        const std::string file = pattern(c.fileLen, static_cast<unsigned>(c.kind));
        const std::string img = WindowImageNew(c.kind, file);
        ASSERT_EQ(static_cast<long>(img.size()), c.length);
        std::string header;
        for (long p : {2, 3, 6, 17, 18}) header += chr(at(img, p));
        EXPECT_EQ(chr(at(img, 1)) + header, chr(c.kind) + c.header);
        for (long p : {4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 20}) EXPECT_EQ(at(img, p), 0) << "position " << p;

        // The title, blank up to the row table or the end; the document from 271 (670 in style windows).
        const long fieldEnd = c.kind >= 4 && c.kind <= 8 ? 29 : c.kind == 9 || c.kind == 10 ? 44 : 270;
        EXPECT_EQ(mid(img, 21, fieldEnd - 20), padRight(c.title, static_cast<std::size_t>(fieldEnd - 20)));
        const long filePos = c.kind == 23 || c.kind == 24 ? 670 : 271;
        EXPECT_EQ(mid(img, filePos, c.fileLen), file);

        // An imported program bank carries the table but is no source for Copy.
        EXPECT_EQ(RowTableBase(c.kind), c.kind == 31 ? 0 : c.rows);
        if (c.rows) {
            const int n = c.rows == 271 ? 19 : 64;
            if (c.kind != 31) { EXPECT_EQ(RowTableRows(c.kind), n); }
            // Program bank rows: unselected, blank text; the others one fill throughout.
            const std::string entry = c.kind >= 4 && c.kind <= 8 ? chr(0) + std::string(20, ' ')
                                                                 : std::string(21, c.rowFill);
            for (int i = 0; i < n; ++i) ASSERT_EQ(mid(img, c.rows + 21L * i, 21), entry) << "row " << i;
            EXPECT_LE(c.rows + 21L * n - 1, c.length) << "the last row lies inside the image";
        }
    }
    // Arrangement files: the companion area is blank; the template as style part adds 4928.
    std::string arr = WindowImageNew(19, ArrBankImage(0));
    EXPECT_EQ(mid(arr, 12143), std::string(30480, ' '));
    StyPartSet(arr, StyTemplateImage());
    EXPECT_EQ(arr.size(), 47550u);

    // Tool windows: the kind and a code 0. Unknown kinds: nothing.
    for (int k : {11, 12, 13, 15, 16, 28, 29, 30, 32, 33, 34, 35, 36}) EXPECT_EQ(WindowImageNew(k), chr(k) + chr(0));
    for (int k : {0, 1, 27, 37, 255}) EXPECT_EQ(WindowImageNew(k), "");

    // A document of the wrong length keeps every later position in place.
    EXPECT_EQ(WindowImageNew(21, "KORG").size(), 32094u);
    EXPECT_EQ(WindowImageNew(2, pattern(20000)).size(), 12142u);
}

TEST_F(FilesTest, WindowImageBlocksLieWhereTheFormatsPutThem) {
    // Arrangement i of the file, program j of the companion file, the style size table.
    std::string arrFile = ArrBankImage(1);
    std::string img = WindowImageNew(19, arrFile);
    for (int i : {0, 1, 63}) EXPECT_EQ(mid(img, 303 + 164L * i, 164), mid(arrFile, 33 + 164L * i, 164));
    EXPECT_EQ(ArrRowText(img, 63), "88  Arrangement B88 ");
    const std::string prg = pattern(30480, 3);
    putMid(img, ImgCompanion, prg);
    EXPECT_EQ(mid(img, 12191, 172) + mid(img, ImgCompanionBlock(63), 172),
              mid(prg, 49, 172) + mid(prg, 49 + 172 * 63, 172));
    StyPartSet(img, StyTemplateImage());
    put(img, ImgStyPart, ImgStyTemplate);
    EXPECT_EQ(std::tuple(get16lo(img, 42647), StyItemName(0, img)), std::tuple(1176u, "- empty -"));

    // Programs of a program file and its channel byte.
    std::string pf = pattern(30480, 5);
    std::string pimg = WindowImageNew(21, pf);
    EXPECT_EQ(mid(pimg, 319, 172) + mid(pimg, 286, 1) + mid(pimg, 23367, 2104),
              mid(pf, 49, 172) + mid(pf, 16, 1) + mid(pf, 23097, 2104));

    // A style window's style file.
    std::string sf = StyTemplateImage();
    std::string simg = WindowImageNew(23, sf);
    EXPECT_EQ(std::tuple(get16lo(simg, 694), mid(simg, 894, 16), StyPartOf(simg)),
              std::tuple(1176u, padRight("- empty -", 16), sf));
}

TEST_F(FilesTest, HeaderAndTitleWritesKeepTheDocumentAndTheLength) {
    for (int kind : {2, 4, 9, 14, 19, 21, 23, 26, 12}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const long fileLen = kind == 19 || kind == 2 ? 10528 : kind == 21 ? 30480 : kind == 14 ? 448
                             : kind == 23 || kind == 26 ? 3000 : 0;
        const std::string file = pattern(fileLen, 0x80);
        std::string img = WindowImageNew(kind, file);
        const std::string before = img;
        for (long p = 2; p <= 20; ++p) ImgSet(img, p, 0xFF);
        ImgSet(img, static_cast<long>(img.size()) + 1, 1);
        ImgTitleSet(img, std::string(300, '\xE9'));
        ASSERT_EQ(img.size(), before.size());
        EXPECT_EQ(at(img, 1), kind);
        if (img.size() > 2) {
            EXPECT_EQ(at(img, 20), 0xFF);
            EXPECT_EQ(mid(img, 21, ImgTitleLen(kind)), std::string(static_cast<std::size_t>(ImgTitleLen(kind)), '\xE9'));
            const long after = 21 + ImgTitleLen(kind);
            EXPECT_EQ(mid(img, after), mid(before, after)) << "nothing after the title field changes";
        }
        ImgTitleSet(img, "Short");
        EXPECT_EQ(ImgPathOf(img), img.size() > 2 ? "Short" : "");
    }
}
