// The Import commands: files of the older models, built here byte by byte,
// opened as documents in their windows; what is refused, and the flags and
// menus afterwards.
#include <QDirIterator>

#include "../library/librarytest.h"
#include "library/frmStyUN.h"

namespace {

// `len` bytes that vary with the position, so a wrong offset shows, starting with `head`.
std::string filled(long len, const std::string& head) {
    std::string s(static_cast<std::size_t>(len), '\0');
    for (long p = 1; p <= len; ++p) s[static_cast<std::size_t>(p - 1)] = static_cast<char>((p * 31 + p / 251) & 0xFF);
    return s.replace(0, head.size(), head);
}

// An i30 style file with the given item sizes per table (tables 0-2), `cut` bytes short.
std::string styI30File(const std::array<std::vector<unsigned>, 3>& sizes, long cut = 0) {
    long data = 0;
    for (const auto& t : sizes)
        for (unsigned n : t) data += n;
    std::string f = filled(224 + data - cut, bytesOf({'K', 'O', 'R', 'G', 0x49, 0x05, 0x04, 0x00}));
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
    long start = 225, len = 0;
    for (int g = 0; g <= k; ++g) {  // group k's data follows the groups before it
        start += len, len = 0;
        for (int j = 0; j < 16; ++j) len += get16lo(file, 25 + 64L * g + 4L * j);
    }
    for (int j = 0; j < 16; ++j) putMid(img, 25 + 4L * j, mid(file, 25 + 64L * k + 4L * j, 2));
    return img + mid(file, start, len);
}

// Stands in for the program windows: what each window's load would find.
struct PrgShows : FakePrgWindows {
    std::vector<std::tuple<int, int, std::string, bool>> shows;  // kind, slot, buffer, flag
    void showPrgWindow(int kind, int slot) override { shows.emplace_back(kind, slot, PrgFileBuf, ImpPrgI30); }
};

// Every file under `dir`, path and bytes.
std::string filesUnder(const std::string& dir) {
    std::string all;
    for (QDirIterator it(QString::fromStdString(dir), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const std::string p = it.next().toStdString();
        all += p + '\n' + readFileBytes(p) + '\n';
    }
    return all;
}

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
    std::vector<bool> enabled(std::initializer_list<MenuItem*> items) {
        std::vector<bool> v;
        for (MenuItem* m : items) v.push_back(m->isEnabled());
        return v;
    }
    static std::string tooFew(const char* file) {
        return std::string("Opening ") + file + "|No free window left: part of " + file + " was not imported.";
    }
};

TEST_F(ImportsTest, OldSeriesRefusedI30ArrangementsOpenBothBanksOrBankAOnly) {
    start();
    // The old i-series: one box that says why, nothing else; without program
    // windows the program import is off and does nothing.
    const std::string before = filesUnder(startDir()) + filesUnder(sysDir());
    const struct { MenuId id; int base; std::string box; } cases[] = {
        {MenuId::mnuImportaPcgi5, 0, "pcg (old i-series)|Velmora non pu\xC3\xB2 convertire i file della vecchia "
                                     "serie i: il loro formato dati non \xC3\xA8 noto."},
        {MenuId::mnuImportaArri5, 200,
         "arr (old i-series)|Velmora cannot convert files of the old i-series: their data format is not known."},
    };
    for (const auto& c : cases) {
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        LangBase = c.base;
        RunMenuCommand(c.id);
        EXPECT_EQ(boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(dialogs.shown[0].style, vbOKOnly | vbExclamation);
    }
    EXPECT_FALSE(frame->mnuImportaPrgi30->isEnabled());
    RunMenuCommand(MenuId::mnuImportaPrgi30);
    EXPECT_TRUE(dialogs.fileRequests.empty() && frame->Forms().empty() && !anyFlag());
    EXPECT_EQ(filesUnder(startDir()) + filesUnder(sysDir()), before);

    // Cancelled, one byte short, not "KORG": nothing opens (the reader says why).
    dialogs.shown.clear();
    dialogs.cancelFile();
    RunMenuCommand(MenuId::mnuImportaArri30);
    dialogs.answers = {vbOK, vbOK};
    import(MenuId::mnuImportaArri30, "short.arr", filled(ArrI30Len - 1, "KORG"));
    import(MenuId::mnuImportaArri30, "foreign.arr", filled(ArrI30Len, "GROK"));
    EXPECT_EQ(std::tuple(dialogs.shown.size(), frame->Forms().size(), anyFlag()), std::tuple(2u, 0u, false));

    dialogs.shown.clear();
    const std::string file = filled(ArrI30Len, "KORG");
    import(MenuId::mnuImportaArri30, "song.arr", file);
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
    EXPECT_EQ(enabled({frame->mnuSalva, frame->mnuSalvaAs, frame->mnuApriArr}), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(std::tuple(MruTable[1].Path, anyFlag()), std::tuple("", false));

    // The same file again while its windows are open.
    dialogs.answer(vbOK);
    import(MenuId::mnuImportaArri30, "song.arr");
    EXPECT_EQ(boxes(), std::vector<std::string>{"Opening song.arr|File already open"});

    // Closed without saving: the file stays as it was.
    dialogs.answers = {vbNo, vbNo};
    EXPECT_TRUE(ArrUForms()[1]->Unload() && ArrUForms()[2]->Unload());
    EXPECT_EQ(readFileBytes(song("song.arr")), file);

    // One window free: bank A only, and the commands that need a window are off until one closes.
    for (int s = 1; s <= 7; ++s) ArrSlotUsed[static_cast<std::size_t>(s)] = 1;
    dialogs.shown.clear();
    dialogs.answer(vbOK);
    import(MenuId::mnuImportaArri30, "song.arr");
    EXPECT_EQ(boxes(), std::vector<std::string>{tooFew("song.arr")});
    ASSERT_TRUE(ArrUForms()[8] && !ArrUForms()[1]);
    EXPECT_EQ(mid(ArrUForms()[8]->Tag(), ImgFile, ArrFileLen), banks[0]);
    const auto menus = [&] { return enabled({frame->mnuApriArr, frame->mnuImportaArri30, frame->mnuImportaArri5}); };
    EXPECT_EQ(std::tuple(menus(), anyFlag()), std::tuple(std::vector<bool>(3, false), false));
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
    const std::string file = filled(PrgI30Len, "KORG");
    import(MenuId::mnuImportaPrgi30, "song.prg", file);
    const std::string first = tmpl.substr(0, 48) + file.substr(48);
    const std::string second = first.substr(0, 48) + file.substr(11056, 11008) + first.substr(11056);
    EXPECT_EQ(prg.shows, (std::vector<std::tuple<int, int, std::string, bool>>{{21, 1, first, true},
                                                                               {21, 2, second, true}}));
    EXPECT_EQ(std::tuple(PrgWinKind, PrgWinCount, ImpPrgI30), std::tuple(21, 2, false));

    // One window left: the first bank only.
    for (int s = 3; s <= 7; ++s) PrgSlotUsed[static_cast<std::size_t>(s)] = 1;
    prg.shows.clear();
    dialogs.answer(vbOK);
    import(MenuId::mnuImportaPrgi30, "other.prg", file);
    EXPECT_EQ(std::tuple(prg.shows.size(), boxes(), anyFlag()),
              std::tuple(1u, std::vector<std::string>{tooFew("other.prg")}, false));
    EXPECT_EQ(enabled({frame->mnuApriPrg, frame->mnuImportaPrgi30, frame->mnuImportaPcgi5}), std::vector<bool>(3, false));
}

TEST_F(ImportsTest, I30StylesOneWindowPerGroup) {
    const std::vector<unsigned> a = {40, 50}, b = {60}, c = {70, 80, 90};
    const std::vector<unsigned> full = {32748, 32748};  // a group of four reaching the limit
    const std::vector<unsigned> big = {40000};           // data over more than one 32,200-byte record
    const struct {  // groups: those shown, in slot order
        const char* what;
        std::array<std::vector<unsigned>, 3> sizes;
        long cut, freeSlots;
        std::vector<int> groups;
        std::vector<std::string> boxes;
    } cases[] = {
        {"empty middle", {a, {}, c}, 0, 8, {0, 2}, {}},
        {"all empty", {}, 0, 8, {}, {}},
        {"truncated", {a, b, c}, 1, 8, {}, {"Opening i30.sty|Data format error"}},
        {"first group truncated", {a, {}, {}}, 1, 8, {}, {"Opening i30.sty|Data format error"}},
        {"long first group", {big, b, {}}, 0, 8, {0, 1}, {}},
        {"group too long", {a, full, c}, 0, 8, {0, 2},
         {"Opening i30.sty|The lenght of a 4 Styles group must be less than 65496 bytes"}},
        {"two windows", {a, b, c}, 0, 2, {0, 1}, {tooFew("i30.sty")}},
        {"three groups", {a, b, c}, 0, 8, {0, 1, 2}, {}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
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
            EXPECT_EQ(std::tuple(at(img, ImgKind), at(img, ImgStyChanged), at(img, ImgSaveAs), ImgPathOf(img),
                                 StySlots[static_cast<std::size_t>(at(img, ImgSlot))].Extra),
                      std::tuple(23, 1, 5, song("i30"), 0));
        }
        EXPECT_EQ(frame->mnuApriSty->isEnabled(), t.freeSlots > static_cast<long>(t.groups.size()));
        EXPECT_FALSE(anyFlag());
    }
    // After a cancelled import Open Sty opens an ordinary file. Closed unsaved
    // by the exit, the import windows are not reopened at the next start; the
    // ordinary one is.
    dialogs.cancelFile();
    RunMenuCommand(MenuId::mnuImportaStyi30);
    writeFileBytes(song("own.sty"), styFileOf({"Own"}));
    dialogs.chooseFile(song("own.sty"));
    RunMenuCommand(MenuId::mnuApriSty);
    ASSERT_EQ(styWindows().size(), 4u);
    EXPECT_EQ(at(styWindows()[3]->Tag(), ImgSaveAs), 0);
    dialogs.answers = {vbNo, vbNo, vbNo};
    frame->mnuExit->trigger();
    EXPECT_EQ(std::tuple(StySlots[1].State, StySlots[2].State, StySlots[3].State, StySlots[4].State),
              std::tuple(0, 0, 0, 1));
}

}  // namespace
