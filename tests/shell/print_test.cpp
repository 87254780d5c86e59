// Printing the list of a program or arrangement window: the lines composed,
// and the job on the printer.
#include <map>

#include "app/Messages.h"
#include "app/Names.h"
#include "files/StyGroups.h"
#include "shell/Print.h"
#include "shelltest.h"

namespace {

const std::string Date = "06/12/2026 17:57:03";

// Arrangement block i of an image: style, style kind, tempo byte and the
// program (number, bank kind) of the two upper tracks.
void setArr(std::string& img, int i, int style, int styKind, int tempo, int up1 = 0, int up2 = 1) {
    const long b = ImgArrBlock(i) - 1;
    put(img, b + 18, static_cast<unsigned>(style));
    put(img, b + 19, static_cast<unsigned>(styKind));
    put(img, b + 22, static_cast<unsigned>(tempo));
    put(img, b + 88, static_cast<unsigned>(up1));
    put(img, b + 96, static_cast<unsigned>(up2));
}

std::string arrImage(int kind, const std::string& path) {
    std::string img = WindowImageNew(kind, std::string(ArrFileLen, '\0'));
    ImgTitleSet(img, path);
    return img;
}

// Rows "11".."88" with a name where one is given.
std::vector<std::string> codeRows(const std::map<int, std::string>& names) {
    std::vector<std::string> rows;
    for (int i = 0; i < 64; ++i) {
        std::string r = std::to_string(i / 8 + 1) + std::to_string(i % 8 + 1);
        if (names.count(i)) r += "  " + names.at(i);
        rows.push_back(padRight(r, 20));
    }
    return rows;
}

std::string pad92(const std::string& s) { return padRight(s, 92); }

class PrintTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        NameTablesFill();
    }
    void TearDown() override {
        SetPrintClock(nullptr);
        ShellTest::TearDown();
    }
};

}  // namespace

TEST_F(PrintTest, ArrangementList) {
    std::string img = arrImage(19, "/home/u/song");
    setArr(img, 0, 0, 0, 90);
    const auto lines = PrintListLines(img, codeRows({{0, "Song One"}}), Date);
    ASSERT_EQ(lines.size(), 69u);
    EXPECT_EQ(lines[0], pad92("       File name: song.arr                                         06/12/2026 17:57:03"));
    EXPECT_EQ(lines[4], pad92("       11  Song One        A11 Style A11         120 A11 Ac. Grand Pi    A12 Bright Ac. P"));
    EXPECT_EQ(lines[2].size(), 89u);
    EXPECT_EQ(lines[2].substr(47, 5), "Tempo");
    for (std::size_t k : {1u, 3u, 36u}) EXPECT_EQ(lines[k], "") << k;
    // An empty slot prints its code alone; row 32 follows the gap.
    EXPECT_EQ(lines[5], pad92("       12"));
    EXPECT_EQ(lines[37], pad92("       51"));
    EXPECT_EQ(lines[68], pad92("       88"));
}

TEST_F(PrintTest, StyleTempoAndHeaderRules) {
    // A style part whose item 9 is named "Tango".
    std::string part = StyNativeHeader();
    part.resize(224, '\0');
    for (int k = 0; k <= 9; ++k) {
        put16lo(part, 25 + 4L * k, 16);
        part += padRight(k == 9 ? "Tango" : "S" + std::to_string(k), 16);
    }
    struct Case {
        int style, styKind, styPart, tempoByte;
        const char *style_, *tempo;  // columns 28-47 and 48-52
    } cases[] = {
        {9, 1, ImgStyOwn, 69, "U22 Tango", "   99"},
        {9, 1, ImgStyTemplate, 90, "U22 User", "  120"},
        {15, 1, ImgStyOwn, 0, "U28", "   40"},    // an item of size 0 has no name
        {16, 1, ImgStyOwn, 211, "U31", "   40"},  // past the file's 16 styles: the code alone
        {200, 0, ImgStyNone, 210, "200", "  240"},
        {127, 2, ImgStyNone, 10, "B88 Style B88", "   40"},
    };
    for (const Case& c : cases) {
        std::string img = arrImage(19, "/s/x");
        StyPartSet(img, part);
        put(img, ImgStyPart, static_cast<unsigned>(c.styPart));
        setArr(img, 3, c.style, c.styKind, c.tempoByte);
        const auto lines = PrintListLines(img, codeRows({{3, "A"}}), Date);
        EXPECT_EQ(lines[7].substr(27, 25), padRight(c.style_, 20) + c.tempo) << c.style << "/" << c.tempoByte;
    }
    // Only an arrangement file window names its extension.
    for (int kind : {2, 20}) {
        const auto lines = PrintListLines(arrImage(kind, "/s/bank"), codeRows({}), Date);
        EXPECT_EQ(lines[0].substr(0, 28), "       File name: bank      ") << kind;
    }
}

TEST_F(PrintTest, ProgramList) {
    std::vector<std::string> rows;
    for (int i = 0; i < 64; ++i) rows.push_back(padRight("P" + std::to_string(i), 20));
    std::string img = WindowImageNew(21, std::string(PrgFileLen, '\0'));
    ImgTitleSet(img, "/p/piano");
    const auto lines = PrintListLines(img, rows, Date);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[2].size(), 88u);
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[4], pad92("       P0                  P16                 P32                 P48"));
    EXPECT_EQ(lines[20], pad92("       P15                 P31                 P47                 P63"));

    struct Case {
        int kind, untitled, type;
        std::string path;
        const char* head;
    } cases[] = {
        {21, 0, 0, "/p/piano", "       File name: piano.prg "},
        {21, 0, 1, "/p/piano", "       File name: piano.pgg "},
        {22, 1, 0, "Untitled 1", "       File name: Untitled 1 "},
        {4, 0, 0, "Prg A", "       File name: Prg A "},
    };
    for (const Case& c : cases) {
        std::string im = WindowImageNew(c.kind, std::string(PrgFileLen, '\0'));
        ImgTitleSet(im, c.path);
        put(im, ImgUntitled, static_cast<unsigned>(c.untitled));
        put(im, ImgPrgType, static_cast<unsigned>(c.type));
        EXPECT_EQ(PrintListLines(im, rows, Date)[0].substr(0, std::string(c.head).size()), c.head) << c.kind;
    }
    // A long name is cut before the date, which keeps its place.
    ImgTitleSet(img, "/p/" + std::string(80, 'n'));
    const auto longDate = PrintListLines(img, rows, Date + "  and more");
    for (const auto& l : longDate) EXPECT_LE(l.size(), 92u);
    EXPECT_EQ(longDate[0].substr(87), "     ");
    const std::string head = PrintListLines(img, rows, Date)[0];
    EXPECT_EQ(head.substr(60, 32), "nnn.prg" + Date + "      ");
}

TEST_F(PrintTest, TheCommandPrintsTheActiveWindow) {
    frmMain* f = open();
    SetPrintClock([] { return Date; });
    std::string img = arrImage(19, "/home/u/song");
    setArr(img, 0, 0, 0, 90);
    auto* w = new TestChild(f, img);
    auto* list = new ListBox(w, "List1");
    for (const auto& r : codeRows({{0, "Song One"}})) list->AddItem(r);
    w->Show();

    RunMenuCommand(MenuId::mnuPrint);
    EXPECT_EQ(printer.fontName, "courier new");
    EXPECT_EQ(printer.fontSize, 10);
    EXPECT_TRUE(printer.ended);
    EXPECT_EQ(printer.lines, PrintListLines(img, codeRows({{0, "Song One"}}), Date));

    // No printer: the message, nothing printed.
    printer = CapturePrinter();
    printer.available = false;
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuPrint);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, Msg(31));
    EXPECT_TRUE(printer.lines.empty());

    // A job that cannot start says why.
    struct Refusing : CapturePrinter {
        bool begin(std::string& error) override {
            error = "the queue is paused";
            return false;
        }
    } refusing;
    SetPrinterService(&refusing);
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuPrint);
    SetPrinterService(&printer);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "The list could not be printed: the queue is paused");
    EXPECT_TRUE(refusing.lines.empty());

    // The notebook and other windows print nothing.
    printer.available = true;
    (new TestChild(f, chr(33)))->Show();
    RunMenuCommand(MenuId::mnuPrint);
    EXPECT_FALSE(printer.begun);
}
