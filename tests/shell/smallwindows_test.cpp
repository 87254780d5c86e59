// The About box, the user's guide and the notebook, opened from their menu
// items as a user does.
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QTest>
#include <sys/stat.h>

#include "app/Messages.h"
#include "platform/Files.h"
#include "shell/SmallFiles.h"
#include "shell/frmAbout.h"
#include "shell/frmAvviso2.h"
#include "shell/frmBloccoNote.h"
#include "shell/frmGuida.h"
#include "frametest.h"

namespace {
class SmallWindowsTest : public FrameTest {
protected:
    frmMain* start() {
        writeFileBytes(startFile("Velmora_UserGuide.txt"), "UserGuide.txt\r\nThe guide\r\nline 2");
        writeFileBytes(startFile("Velmora_GuidaUtente.txt"), "GuidaUtente.txt\r\nLa guida");
        frmMain* f = reopen();
        f->show();
        return f;
    }
    template <class F>
    F* window() { return dynamic_cast<F*>(ToolForm::Find(frame, F::Kind)); }
    QPlainTextEdit* text(ToolForm* w) { return FindControl<TextBox>(w, "Text1")->plainEdit(); }
    QPlainTextEdit* notes() { return text(window<frmBloccoNote>()); }
    // The notebook file's text; the file must be one record padded with blanks.
    std::string noteText() {
        const std::string file = readFileBytes(startFile("Velmora_Notebook.txt"));
        EXPECT_EQ(file.size(), static_cast<std::size_t>(NoteRecLen));
        return rtrim(file);
    }
    // Characters a test keyboard has no key for.
    void type(const QString& s) { QTest::sendKeyEvent(QTest::Click, notes(), Qt::Key_unknown, s, Qt::NoModifier); }
};
}  // namespace

TEST_F(SmallWindowsTest, EachWindowOpensOnceAndTheNoticeStandsCentred) {
    frmMain* f = start();
    for (MenuItem* item : {f->mnuInfo, f->mnuGuida, f->mnuBloccoNote}) {
        const int count = ChildWinCount;
        item->trigger();
        auto* t = dynamic_cast<ToolForm*>(f->ActiveForm());
        ASSERT_TRUE(t && t->Loaded());
        const int kind = t->kind();
        EXPECT_EQ(std::tuple(t->Tag(), item->isEnabled(), ChildWinCount, WinEntry(kind).State, t->Top() + t->Left()),
                  std::tuple(std::string(1, static_cast<char>(kind)) + '\0', false, count + 1, 1, 0));
        t->Unload(vbFormControlMenu);
        EXPECT_EQ(std::tuple(item->isEnabled(), ChildWinCount, WinEntry(kind).State), std::tuple(true, count, 0));
    }
    f->mnuInfo->trigger();
    EXPECT_EQ(window<frmAbout>()->Caption() + "|" + window<frmAbout>()->lblTitolo->Caption(),
              "About Velmora|" + Msg(129) + "\r\n  \r\nVersion 3.0, 2001 (release 11th March 2001)");
    // Integer halves, truncated.
    f->Move(0, 0, 12001, 9000);
    auto* notice = new frmAvviso2(f);
    notice->Move(0, 0, 4001, 1500);
    notice->Show();
    EXPECT_EQ(std::pair(notice->Left(), notice->Top()), std::pair(4000, 3750));
}

TEST_F(SmallWindowsTest, GuideFollowsTheLanguageAndTheFrameOrSaysWhyNot) {
    for (int tpp : {12, 15}) {
        OverrideTwipsPerPixel(tpp, tpp);
        frmMain* f = start();
        f->Move(0, 0, 12000, 9000);
        ASSERT_NEAR(f->Height(), 9000, tpp);
        f->mnuGuida->trigger();
        frmGuida* g = window<frmGuida>();
        ASSERT_NE(g, nullptr);
        EXPECT_NEAR(g->Height(), tpp == 12 ? 8000 : 7950, tpp);
        EXPECT_NEAR(g->Width(), tpp == 12 ? 8800 : 9600, tpp);
        EXPECT_EQ(text(g)->toPlainText().toStdString() + "|" + g->Caption(),
                  "The guide\nline 2|Velmora - Velmora v 3.0  - User's Guide");
        // Courier New, or what the machine has in its place.
        const QFont shown = text(g)->font();
        EXPECT_EQ(QFontInfo(shown).family(), QFontInfo(QFont("Courier New")).family());
        EXPECT_TRUE(text(g)->isReadOnly() && EqualAdvances(shown));
        g->Unload();
    }
    const std::string path = startFile("Velmora_UserGuide.txt"), most(GuideMaxChars, 'g');
    const std::pair<std::string, std::string> cases[] = {
        {"", "File not found"},
        {"UserGuide.tx\r\n" + most, "File not found"},
        {"UserGuide.txt\r\n" + most + "g", "Error reading Velmora_UserGuide.txt"},
    };
    for (const auto& [file, message] : cases) {
        DeleteFile(path);
        if (!file.empty()) writeFileBytes(path, file);
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        frame->mnuGuida->trigger();
        EXPECT_EQ(std::tuple(onlyBox(), dialogs.shown.at(0).title, window<frmGuida>()),
                  std::tuple(message, "Opening Velmora_UserGuide.txt", nullptr));
    }
    // Shown whole at the limit, and a shorter one after it.
    for (const std::string& t : {most, std::string(100, 'b')}) {
        writeFileBytes(path, "UserGuide.txt\r\n" + t);
        frame->mnuGuida->trigger();
        EXPECT_EQ(text(window<frmGuida>())->toPlainText().toStdString(), t);
        window<frmGuida>()->Unload();
    }
    // The other language's guide at once, although the texts change at the next start.
    dialogs.answer(vbOK);
    frame->mnuItaliano->trigger();
    frame->mnuGuida->trigger();
    EXPECT_EQ(text(window<frmGuida>())->toPlainText().toStdString() + "|" + window<frmGuida>()->Caption(),
              "La guida|Velmora - Velmora v 3.0  - Guida Utente");
}

TEST_F(SmallWindowsTest, NotebookKeepsWhatIsTypedWithinWhatItsFileHolds) {
    const std::string path = startFile("Velmora_Notebook.txt");
    writeFileBytes(path, "older");
    frmMain* f = start();
    f->mnuBloccoNote->trigger();
    frmBloccoNote* n = window<frmBloccoNote>();
    EXPECT_EQ(n->Caption(), "Velmora - Velmora v 3.0 - Notebook");
    QTest::keyClick(notes(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(notes(), " and newer");
    QTest::keyClick(notes(), Qt::Key_Return);
    type(u"citt\u00e0  "_qs);
    // The text follows only a normal window.
    n->Move(0, 0, 6000, 4500);
    EXPECT_NEAR(n->Text1->Height(), n->Height() - 400, 15);
    EXPECT_NEAR(n->Text1->Width(), n->Width() - 80, 15);
    const QSize normal = n->Text1->size();
    for (int state : {vbMaximized, vbMinimized, vbNormal}) {
        n->setWindowState(state);
        EXPECT_EQ(std::tuple(n->Text1->size(), WinEntry(33).State), std::tuple(normal, state == vbMinimized ? 2 : 1));
    }

    // A write that fails: one message naming the file, the window closes, the
    // text waits for the next close.
    SimulateWriteFailure(FileError::DiskFull);
    dialogs.answer(vbOK);
    n->Unload(vbFormControlMenu);
    SimulateWriteFailure(FileError::None);
    EXPECT_NE(onlyBox().find(path), std::string::npos);
    EXPECT_TRUE(window<frmBloccoNote>() == nullptr && readFileBytes(path) == "older");
    f->mnuBloccoNote->trigger();
    EXPECT_EQ(notes()->toPlainText(), u"older and newer\ncitt\u00e0"_qs);
    window<frmBloccoNote>()->Unload();
    EXPECT_EQ(noteText(), "older and newer\r\ncitt\xE0");

    // Lone line ends from elsewhere: shown whole, although they will not fit as CR LF.
    writeFileBytes(path, std::string(NoteRecLen - 4, 'n') + "\n\n\n\n");
    QApplication::setActiveWindow(f);
    f->mnuBloccoNote->trigger();
    ASSERT_EQ(notes()->toPlainText().size(), NoteRecLen);
    // Refused: a line break one short of the limit, what Latin-1 lacks, what goes beyond.
    const std::string almost(NoteRecLen - 1, 'n');
    notes()->selectAll();
    notes()->insertPlainText(QString::fromStdString(almost));
    QTest::keyClick(notes(), Qt::Key_Return);
    type(u"\u20ac"_qs);
    notes()->insertPlainText(u"a\u0100"_qs);
    QTest::keyClicks(notes(), "xy");
    EXPECT_EQ(notes()->toPlainText().toStdString(), almost + "x");

    // The editing keys are the text's own: Ctrl+X cuts and does not exit.
    notes()->setFocus();
    notes()->selectAll();
    QTest::keyClick(notes(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(notes()->toPlainText().isEmpty() && f->Loaded());
    QTest::keyClicks(notes(), "at exit");
    // Closed by the exit, the windows keep their marks: 1 open, 2 minimised, a maximised one 1.
    f->mnuInfo->trigger();
    f->mnuGuida->trigger();
    window<frmGuida>()->setWindowState(vbMaximized);
    window<frmBloccoNote>()->setWindowState(vbMinimized);
    f->mnuExit->trigger();
    EXPECT_FALSE(f->Loaded());
    EXPECT_EQ(std::tuple(WinEntry(29).State, WinEntry(28).State, WinEntry(33).State), std::tuple(1, 1, 2));
    EXPECT_EQ(noteText(), "at exit");

    // One that is not a notebook file (a folder, a pipe, more than one
    // record) is not read or opened: one message, and nothing replaces it.
    const std::string longer = std::string(NoteRecLen, 'n') + "more";
    start();
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        DeleteFile(path);
        switch (c) {
        case 0: ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path + "/keep"))); break;
        case 1: ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); break;
        default: writeFileBytes(path, longer);
        }
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        frame->mnuBloccoNote->trigger();
        EXPECT_EQ(onlyBox(), "Error reading " + path);
        EXPECT_EQ(window<frmBloccoNote>(), nullptr);
        if (c == 0) QDir(QString::fromStdString(path)).removeRecursively();
    }
    EXPECT_EQ(readFileBytes(path), longer);
}
