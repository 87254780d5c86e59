// The Import commands: files of the older models, built here byte by byte,
// opened as documents in their windows; what is refused, and the flags and
// menus afterwards.
#include <QDirIterator>
#include <map>

#include "../library/librarytest.h"
#include "library/frmStyUN.h"
#include "platform/Dialogs.h"

namespace {

// Byte p (1-based) of the test files: varies with the position, so a wrong
// offset shows.
char fill(long p) { return static_cast<char>((p * 31 + p / 251) & 0xFF); }
std::string filled(long len) {
    std::string s(static_cast<std::size_t>(len), '\0');
    for (long p = 1; p <= len; ++p) s[static_cast<std::size_t>(p - 1)] = fill(p);
    return s;
}

// An i30 arrangement file: "KORG", a header of its own, 128 records.
std::string arrI30File(long len = ArrI30Len) {
    std::string f = filled(len);
    putMid(f, 1, "KORG");
    return f;
}

// An i30 style file with the given item sizes per table (tables 0-2),
// `cut` bytes short.
std::string styI30File(const std::array<std::vector<unsigned>, 3>& sizes, long cut = 0) {
    long data = 0;
    for (const auto& t : sizes)
        for (unsigned n : t) data += n;
    std::string f = filled(224 + data - cut);
    putMid(f, 1, bytesOf({'K', 'O', 'R', 'G', 0x49, 0x05, 0x04, 0x00}));
    for (std::size_t k = 0; k < 3; ++k)
        for (std::size_t j = 0; j < 16; ++j)
            put16lo(f, 25 + 64L * static_cast<long>(k) + 4L * static_cast<long>(j),
                    j < sizes[k].size() ? sizes[k][j] : 0);
    return f;
}

// The native style file of group k of an i30 file, as the window must hold it.
std::string styImageOf(const std::string& file, int k) {
    std::string img = bytesOf({'K', 'O', 'R', 'G', 0x4D, 0, 0x04, 0x01}) + std::string(8, '\0') + "\xE0" +
                      std::string(4, '\0') + "\x30" + mid(file, 23, 64) + std::string(138, '\0');
    const auto len = [&](int g) {
        long n = 0;
        for (int j = 0; j < 16; ++j) n += get16lo(file, 25 + 64L * g + 4L * j);
        return n;
    };
    long start = 225;
    for (int g = 0; g < k; ++g) start += len(g);
    for (int j = 0; j < 16; ++j) putMid(img, 25 + 4L * j, mid(file, 25 + 64L * k + 4L * j, 2));
    return img + mid(file, start, len(k));
}

// Stands in for the program windows: what each window's load would find.
struct PrgShows : PrgWindowLinkT {
    std::vector<std::tuple<int, int, std::string, bool>> shows;  // kind, slot, buffer, flag
    PrgShows() { RegisterLink<PrgWindowLinkT>(this); }
    ~PrgShows() override { UnregisterLink<PrgWindowLinkT>(this); }
    void showPrgWindow(int kind, int slot) override { shows.emplace_back(kind, slot, PrgFileBuf, ImpPrgI30); }
};

class ImportsTest : public LibraryTest {
protected:
    bool anyFlag() const { return ImpArrI30 || ImpArrI5 || ImpPrgI30 || ImpPcgI5 || ImpStyI30; }
    std::vector<std::string> boxes() const {
        std::vector<std::string> v;
        for (const auto& b : dialogs.shown) v.push_back(b.title + "|" + b.text);
        return v;
    }
    // Chooses `file` (written first when given) and runs the command.
    void import(MenuId id, const std::string& name, const std::string& file = "") {
        if (!file.empty()) writeFileBytes(song(name), file);
        dialogs.chooseFile(song(name));
        RunMenuCommand(id);
    }
    std::vector<frmStyUN*> styWindows() {
        std::vector<frmStyUN*> v;
        for (int s = 1; s <= 8; ++s)
            if (frmStyUN* w = StyUNForms()[static_cast<std::size_t>(s)]) v.push_back(w);
        return v;
    }
};

std::map<std::string, std::string> folderBytes(const std::string& dir) {
    std::map<std::string, std::string> m;
    QDirIterator it(QString::fromStdString(dir), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::string p = it.next().toStdString();
        m[p] = readFileBytes(p);
    }
    return m;
}

TEST_F(ImportsTest, OldSeriesCommandsOnlySayTheyCannotConvertProgramsNeedTheirWindows) {
    start();
    const auto before = std::tuple(folderBytes(startDir()), folderBytes(sysDir()));
    const struct { MenuId id; int base; std::string title, text; } cases[] = {
        {MenuId::mnuImportaArri5, 200, "arr (old i-series)",
         "Velmora cannot convert files of the old i-series: their data format is not known."},
        {MenuId::mnuImportaPcgi5, 0, "pcg (old i-series)",
         "Velmora non pu\xC3\xB2 convertire i file della vecchia serie i: il loro formato dati non \xC3\xA8 noto."},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        LangBase = c.base;
        RunMenuCommand(c.id);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].style, vbOKOnly | vbExclamation);
        EXPECT_EQ(boxes()[0], c.title + "|" + c.text);
    }
    // Without program windows the program import is off and does nothing.
    EXPECT_FALSE(frame->mnuImportaPrgi30->isEnabled());
    RunMenuCommand(MenuId::mnuImportaPrgi30);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_FALSE(anyFlag());
    EXPECT_TRUE(frame->Forms().empty());
    EXPECT_EQ(std::tuple(folderBytes(startDir()), folderBytes(sysDir())), before);
}

TEST_F(ImportsTest, I30ArrangementsOpenBothBanks) {
    start();
    // Cancelled, one byte short, not "KORG": nothing opens (the reader says why).
    std::string foreign = arrI30File();
    putMid(foreign, 1, "GROK");
    dialogs.cancelFile();
    RunMenuCommand(MenuId::mnuImportaArri30);
    dialogs.answers = {vbOK, vbOK};
    import(MenuId::mnuImportaArri30, "short.arr", arrI30File(ArrI30Len - 1));
    import(MenuId::mnuImportaArri30, "foreign.arr", foreign);
    EXPECT_EQ(std::tuple(dialogs.shown.size(), frame->Forms().size(), anyFlag()), std::tuple(2u, 0u, false));

    dialogs.shown.clear();
    const std::string file = arrI30File();
    import(MenuId::mnuImportaArri30, "song.arr", file);
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_TRUE(ArrUForms()[1] && ArrUForms()[2]);
    const std::string hdr = bytesOf({'K', 'O', 'R', 'G', 0x4D, 0x00, 0x03, 0x01}) + std::string(8, '\0') + "\x20" +
                            std::string(4, '\0') + "\x01" + '\0' + "\x40" + '\0' + "\x29" + std::string(6, '\0');
    const std::string banks[] = {hdr + mid(file, 33, 10496), hdr + mid(file, 10529, 10496)};
    for (int s = 1; s <= 2; ++s) {
        const std::string& img = ArrUForms()[static_cast<std::size_t>(s)]->Tag();
        EXPECT_EQ(mid(img, ImgFile, ArrFileLen), banks[s - 1]) << s;
        EXPECT_EQ(std::tuple(at(img, ImgKind), at(img, ImgChanged), at(img, ImgSaveAs), at(img, ImgPrgPresent),
                             at(img, ImgStyPart), ImgPathOf(img)),
                  std::tuple(19, 1, 1, 0, 0, song("song")));
    }
    EXPECT_FALSE(frame->mnuSalva->isEnabled());
    EXPECT_TRUE(frame->mnuSalvaAs->isEnabled() && frame->mnuApriArr->isEnabled());
    EXPECT_EQ(MruTable[1].Path, "");
    EXPECT_FALSE(anyFlag());

    // The same file again while its windows are open.
    dialogs.answer(vbOK);
    import(MenuId::mnuImportaArri30, "song.arr");
    EXPECT_EQ(boxes(), std::vector<std::string>{"Opening song.arr|File already open"});
    EXPECT_FALSE(anyFlag());

    // Closed without saving: the file stays as it was.
    for (int s : {1, 2}) {
        dialogs.answer(vbNo);
        EXPECT_TRUE(ArrUForms()[static_cast<std::size_t>(s)]->Unload());
    }
    EXPECT_EQ(readFileBytes(song("song.arr")), file);
}

TEST_F(ImportsTest, I30ArrangementsWithOneFreeWindow) {
    start();
    for (int s = 1; s <= 7; ++s) ArrSlotUsed[static_cast<std::size_t>(s)] = 1;
    dialogs.answer(vbOK);
    import(MenuId::mnuImportaArri30, "song.arr", arrI30File());
    EXPECT_EQ(boxes(),
              std::vector<std::string>{"Opening song.arr|No free window left: part of song.arr was not imported."});
    ASSERT_TRUE(ArrUForms()[8] && !ArrUForms()[1]);
    const auto menus = [&] {
        return std::vector<bool>{frame->mnuApriArr->isEnabled(), frame->mnuImportaArri30->isEnabled(),
                                 frame->mnuImportaArri5->isEnabled()};
    };
    EXPECT_EQ(menus(), std::vector<bool>(3, false));
    EXPECT_FALSE(anyFlag());

    dialogs.answer(vbNo);
    EXPECT_TRUE(ArrUForms()[8]->Unload());
    EXPECT_EQ(menus(), std::vector<bool>(3, true));
    writeSong("plain", arrFileOf({{0, "Plain"}}));
    frmArrU* w = openArr("plain");
    ASSERT_TRUE(w);
    EXPECT_EQ(std::tuple(at(w->Tag(), ImgChanged), at(w->Tag(), ImgSaveAs)), std::tuple(0, 0));
}

TEST_F(ImportsTest, I30ProgramsOpenBothBanks) {
    std::string tmpl = PrgNativeHeader() + std::string(PrgFileLen - PrgHdrLen, '\0');
    putMid(tmpl, 9, "template header");
    writeFileBytes(startFile("i40Prg"), tmpl);
    PrgShows prg;
    start();
    EXPECT_TRUE(frame->mnuImportaPrgi30->isEnabled());
    std::string file = filled(PrgI30Len);
    putMid(file, 1, "KORG");
    const int count = PrgWinCount;
    import(MenuId::mnuImportaPrgi30, "song.prg", file);
    ASSERT_EQ(prg.shows.size(), 2u);
    const std::string first = tmpl.substr(0, 48) + file.substr(48);
    const std::string second = first.substr(0, 48) + file.substr(11056, 11008) + first.substr(11056);
    EXPECT_EQ(prg.shows[0], std::tuple(21, 1, first, true));
    EXPECT_EQ(prg.shows[1], std::tuple(21, 2, second, true));
    EXPECT_EQ(std::tuple(PrgWinKind, PrgWinCount - count, ImpPrgI30), std::tuple(21, 2, false));

    // One window left: the first bank only.
    for (int s = 3; s <= 7; ++s) PrgSlotUsed[static_cast<std::size_t>(s)] = 1;
    prg.shows.clear();
    dialogs.answer(vbOK);
    import(MenuId::mnuImportaPrgi30, "other.prg", file);
    EXPECT_EQ(prg.shows.size(), 1u);
    EXPECT_EQ(boxes(),
              std::vector<std::string>{"Opening other.prg|No free window left: part of other.prg was not imported."});
    for (MenuItem* m : {frame->mnuApriPrg, frame->mnuImportaPrgi30, frame->mnuImportaPcgi5})
        EXPECT_FALSE(m->isEnabled());
    EXPECT_FALSE(anyFlag());
}

TEST_F(ImportsTest, I30StylesOneWindowPerGroup) {
    const std::vector<unsigned> a = {40, 50}, b = {60}, c = {70, 80, 90};
    const std::vector<unsigned> big = {20000, 20000};          // group 0 across two records
    const std::vector<unsigned> full = {32748, 32748};  // a group of four reaching the limit
    const struct {
        const char* what;
        std::array<std::vector<unsigned>, 3> sizes;
        long cut;
        int freeSlots;
        std::vector<int> groups;  // the groups shown, in slot order
        std::vector<std::string> boxes;
    } cases[] = {
        {"three groups", {a, b, c}, 0, 8, {0, 1, 2}, {}},
        {"empty middle", {a, {}, c}, 0, 8, {0, 2}, {}},
        {"all empty", {}, 0, 8, {}, {}},
        {"over a record", {big, b, c}, 0, 8, {0, 1, 2}, {}},
        {"truncated", {a, b, c}, 1, 8, {}, {"Opening i30.sty|Data format error"}},
        {"group too long", {a, full, c}, 0, 8, {0, 2},
         {"Opening i30.sty|The lenght of a 4 Styles group must be less than 65496 bytes"}},
        {"two windows", {a, b, c}, 0, 2, {0, 1},
         {"Opening i30.sty|No free window left: part of i30.sty was not imported."}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        if (frame) {
            delete frame.data();
            InstanceLockRelease();
        }
        start();
        StySlotUsed = {};
        StySlots = {};
        for (int s = 1; s <= 8 - t.freeSlots; ++s) StySlotUsed[static_cast<std::size_t>(s)] = 1;
        const std::string file = styI30File(t.sizes, t.cut);
        for (std::size_t i = 0; i < t.boxes.size(); ++i) dialogs.answer(vbOK);
        import(MenuId::mnuImportaStyi30, "i30.sty", file);
        EXPECT_EQ(boxes(), t.boxes);
        const std::vector<frmStyUN*> ws = styWindows();
        ASSERT_EQ(ws.size(), t.groups.size());
        for (std::size_t i = 0; i < ws.size(); ++i) {
            const std::string& img = ws[i]->Tag();
            EXPECT_EQ(mid(img, ImgStyStyPart), styImageOf(file, t.groups[i])) << i;
            const int slot = at(img, ImgSlot);
            EXPECT_EQ(std::tuple(at(img, ImgKind), at(img, ImgStyChanged), at(img, ImgSaveAs), ImgPathOf(img),
                                 StySlots[static_cast<std::size_t>(slot)].Extra),
                      std::tuple(23, 1, 5, song("i30"), 0));
        }
        EXPECT_EQ(frame->mnuApriSty->isEnabled(), t.freeSlots > static_cast<int>(t.groups.size()));
        EXPECT_FALSE(anyFlag());
    }
}

TEST_F(ImportsTest, UnsavedStyleImportIsNotReopenedAnOpenedFileIs) {
    start();
    dialogs.cancelFile();
    RunMenuCommand(MenuId::mnuImportaStyi30);
    EXPECT_FALSE(anyFlag());
    writeFileBytes(song("own.sty"), styFileOf({"Own"}));
    dialogs.chooseFile(song("own.sty"));
    RunMenuCommand(MenuId::mnuApriSty);
    import(MenuId::mnuImportaStyi30, "i30.sty", styI30File({std::vector<unsigned>{40}, {}, {}}));
    ASSERT_EQ(styWindows().size(), 2u);
    EXPECT_EQ(at(styWindows()[0]->Tag(), ImgSaveAs), 0);
    dialogs.answer(vbNo);
    frame->mnuExit->trigger();
    EXPECT_EQ(std::tuple(StySlots[1].State, StySlots[2].State), std::tuple(1, 0));
}

}  // namespace
