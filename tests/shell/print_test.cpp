// Printing the list of a program or arrangement window.
#include <algorithm>

#include "app/Messages.h"
#include "app/Names.h"
#include "files/StyGroups.h"
#include "shell/Print.h"
#include "shelltest.h"

namespace {

const std::string Date = "06/12/2026 17:57:03";

// An arrangement window image whose arrangement i has the style (number,
// kind) and tempo byte given, and programs A11 and A12 on the upper tracks.
std::string arrImage(int kind, int i = 0, int style = 0, int styKind = 0, int tempo = 90) {
    std::string img = WindowImageNew(kind, std::string(ArrFileLen, '\0'));
    ImgTitleSet(img, "/home/u/song");
    const long b = ImgArrBlock(i);  // block byte k at b + k
    put(img, b + 17, static_cast<unsigned>(style));
    put(img, b + 18, static_cast<unsigned>(styKind));
    put(img, b + 21, static_cast<unsigned>(tempo));
    put(img, b + 95, 1);
    return img;
}

// Rows "11".."88", row i naming its arrangement.
std::vector<std::string> arrRows(int i, const std::string& name) {
    std::vector<std::string> rows;
    for (int r = 0; r < 64; ++r)
        rows.push_back(std::to_string(r / 8 + 1) + std::to_string(r % 8 + 1) + (r == i ? "  " + name : ""));
    return rows;
}

using PrintTest = ShellTest;

}  // namespace

TEST_F(PrintTest, AnArrangementListOnThePrinter) {
    frmMain* f = open();
    SetPrintClock([] { return Date; });
    ShowTestChild(f, arrImage(19), arrRows(0, "Song One"));
    RunMenuCommand(MenuId::mnuPrint);
    EXPECT_TRUE(printer.fontName == "Courier New" && printer.fontSize == 10 && printer.ended);
    const auto& lines = printer.lines;
    ASSERT_EQ(lines.size(), 69u);
    const auto pad92 = [](const std::string& s) { return padRight(s, 92); };
    EXPECT_EQ(lines[0], pad92("       File name: song.arr                                         06/12/2026 17:57:03"));
    EXPECT_EQ(lines[4], pad92("       11  Song One        A11 Style A11         120 A11 Ac. Grand Pi    A12 Bright Ac. P"));
    EXPECT_EQ(lines[5], pad92("       12"));  // an empty slot: its code alone
    EXPECT_TRUE(lines[1].empty() && lines[2].size() == 89 && lines[3].empty() && lines[36].empty());

    // No printer, a job that cannot start: a message, nothing printed.
    printer = CapturePrinter();
    printer.available = false;
    struct Refusing : CapturePrinter {
        bool begin(std::string& error) override { return (error = "the queue is paused").empty(); }
    } refusing;
    dialogs.answer(vbOK), dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuPrint);
    SetPrinterService(&refusing);
    RunMenuCommand(MenuId::mnuPrint);
    SetPrinterService(&printer);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text + "|" + dialogs.shown[1].text,
              Msg(31) + "|The list could not be printed: the queue is paused");
    EXPECT_TRUE(printer.lines.empty() && refusing.lines.empty());

    // The notebook prints nothing.
    printer.available = true;
    ShowTestChild(f, WindowImageNew(33));
    RunMenuCommand(MenuId::mnuPrint);
    EXPECT_FALSE(printer.begun);
    SetPrintClock(nullptr);  // the system's date, the time in seconds
    const std::string now = PrintDateText();
    EXPECT_TRUE(now.size() <= 20 && std::count(now.begin(), now.end(), ':') == 2) << now;
}

TEST_F(PrintTest, StyleAndTempoColumns) {
    NameTablesFill();
    std::string part = StyNativeHeader();  // item 9 of the file's own styles is "Tango"
    part.resize(224, '\0');
    for (int k = 0; k <= 9; ++k) {
        put16lo(part, 25 + 4L * k, 16);
        part += padRight(k == 9 ? "Tango" : "S", 16);
    }
    struct Case {
        int style, styKind, styPart, tempoByte;
        const char *text, *tempo;  // columns 28-47 and 48-52
    } cases[] = {
        {9, 1, ImgStyOwn, 69, "U22 Tango", "   99"},   {9, 1, ImgStyTemplate, 90, "U22 User", "  120"},
        {15, 1, ImgStyOwn, 0, "U28", "   40"},         {16, 1, ImgStyOwn, 211, "U31", "   40"},
        {200, 0, ImgStyNone, 210, "200", "  240"},     {127, 2, ImgStyNone, 10, "B88 Style B88", "   40"},
    };
    for (const Case& c : cases) {
        std::string img = arrImage(19, 3, c.style, c.styKind, c.tempoByte);
        StyPartSet(img, part);
        put(img, ImgStyPart, static_cast<unsigned>(c.styPart));
        const auto lines = PrintListLines(img, arrRows(3, "A"), Date);
        EXPECT_EQ(lines[7].substr(27, 25), padRight(c.text, 20) + c.tempo) << c.style << "/" << c.tempoByte;
    }
    for (int kind : {2, 20})  // only an arrangement file names its extension
        EXPECT_EQ(PrintListLines(arrImage(kind), arrRows(0, ""), Date)[0].substr(18, 6), "song  ") << kind;
}

TEST_F(PrintTest, AProgramList) {
    std::vector<std::string> rows;
    for (int i = 0; i < 64; ++i) rows.push_back("P" + std::to_string(i));
    struct Case {
        int kind, untitled, type;
        std::string path, head;
    } cases[] = {
        {21, 0, 0, "/p/piano", "piano.prg "}, {21, 0, 1, "/p/piano", "piano.pgg "},
        {22, 1, 0, "Untitled 1", "Untitled 1 "}, {4, 0, 0, "Prg A", "Prg A "},
        {21, 0, 0, "/p/" + std::string(80, 'n'), "nnn.prg06/12/2026 17:57:03X     "},  // cut before the date
    };
    for (const Case& c : cases) {
        std::string img = WindowImageNew(c.kind, std::string(PrgFileLen, '\0'));
        ImgTitleSet(img, c.path);
        put(img, ImgUntitled, static_cast<unsigned>(c.untitled));
        put(img, ImgPrgType, static_cast<unsigned>(c.type));
        const auto lines = PrintListLines(img, rows, Date + "XYZ");
        ASSERT_EQ(lines.size(), 21u);
        EXPECT_EQ(lines[0].substr(c.path.size() > 80 ? 60 : 18, c.head.size()), c.head) << c.kind;
        EXPECT_TRUE(lines[12].empty());
        EXPECT_EQ(lines[20], padRight("       P15                 P31                 P47                 P63", 92));
    }
}
