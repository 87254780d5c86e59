// The About box, the user's guide, the notebook and the notice window,
// opened from their menu items as a user does.
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QTest>

#include "app/Messages.h"
#include "app/ToolForm.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/bytes.h"
#include "shell/SmallFiles.h"
#include "shell/frmAbout.h"
#include "shell/frmAvviso2.h"
#include "shell/frmBloccoNote.h"
#include "shell/frmGuida.h"
#include "shelltest.h"

namespace {
const std::string enGuide = "UserGuide.txt\r\nThe guide\r\nsecond line\r\n";
const std::string itGuide = "GuidaUtente.txt\r\nLa guida\r\n";

class SmallWindowsTest : public ShellTest {
protected:
    frmMain* start(uint8_t lang = 2) {
        writeFileBytes(startFile("Velmora_UserGuide.txt"), enGuide);
        writeFileBytes(startFile("Velmora_GuidaUtente.txt"), itGuide);
        frmMain* f = open([lang] {
            LangSel = lang;
            LangBase = (lang - 1) * 200;
        });
        f->show();
        return f;
    }
    template <class F>
    F* window() {
        return dynamic_cast<F*>(ToolForm::Find(frame, F::Kind));
    }
    QPlainTextEdit* notes() { return window<frmBloccoNote>()->Text1->plainEdit(); }
    std::string noteFile() { return readFileBytes(startFile("Velmora_Notebook.txt")); }
    // The notebook file's text, when the file is one record padded with blanks.
    std::string noteText() {
        const std::string file = noteFile();
        EXPECT_EQ(file.size(), static_cast<std::size_t>(NoteRecLen));
        return rtrim(file);
    }
    // Types characters that have no key of their own on a test keyboard.
    static void type(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(w, &press);
        }
    }
};
}  // namespace

TEST_F(SmallWindowsTest, EachWindowOpensOnceAndKeepsItsMark) {
    struct Win {
        MenuId item;
        int kind;
    } wins[] = {{MenuId::mnuInfo, 29}, {MenuId::mnuGuida, 28}, {MenuId::mnuBloccoNote, 33}};
    frmMain* f = start();
    for (const Win& w : wins) {
        SCOPED_TRACE(w.kind);
        MenuItem* item = f->item(w.item);
        const int count = ChildWinCount;
        item->trigger();
        ToolForm* t = ToolForm::Find(f, w.kind);
        ASSERT_TRUE(t && t->Loaded());
        EXPECT_EQ(t->Tag(), std::string(1, static_cast<char>(w.kind)) + '\0');
        EXPECT_FALSE(item->isEnabled());
        EXPECT_EQ(ChildWinCount, count + 1);
        EXPECT_EQ(WinEntry(w.kind).State, 1);
        EXPECT_EQ(t->Top(), 0);
        EXPECT_EQ(t->Left(), 0);
        EXPECT_TRUE(f->mnuChiudi->isEnabled()) << "the menus follow the window";
        t->Unload(vbFormControlMenu);
        EXPECT_TRUE(item->isEnabled());
        EXPECT_EQ(ChildWinCount, count);
        EXPECT_EQ(WinEntry(w.kind).State, 0);
    }
    // Closed by the program's exit: open 1, minimised 2, maximised as it was.
    for (const Win& w : wins) f->item(w.item)->trigger();
    window<frmGuida>()->setWindowState(vbMaximized);
    window<frmBloccoNote>()->setWindowState(vbMinimized);
    WinEntry(28).State = 1;
    f->mnuExit->trigger();
    EXPECT_FALSE(f->Loaded());
    EXPECT_EQ(WinEntry(29).State, 1);
    EXPECT_EQ(WinEntry(28).State, 1);
    EXPECT_EQ(WinEntry(33).State, 2);
    EXPECT_EQ(dialogs.shown.size(), 0u);
}

TEST_F(SmallWindowsTest, AboutInEitherLanguage) {
    struct Case {
        uint8_t lang;
        const char *caption, *version;
    } cases[] = {{2, "About Velmora", "Version 3.0, 2001 (release 11th March 2001)"},
                 {1, "Informazioni su Velmora", "Versione 3.0, 2001 (rilascio dell'11 marzo 2001)"}};
    for (const Case& c : cases) {
        delete frame.data();
        InstanceLockRelease();
        frmMain* f = start(c.lang);
        f->mnuInfo->trigger();
        frmAbout* a = window<frmAbout>();
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Caption(), c.caption);
        EXPECT_EQ(a->lblTitolo->Caption(), Msg(129) + "\r\n  \r\n" + c.version);
        EXPECT_NE(Msg(129).find("KORG i40M, iS35, iS40, iS50"), std::string::npos);
        a->cmdOK->click();
        EXPECT_FALSE(a->Loaded());
        EXPECT_TRUE(f->mnuInfo->isEnabled());
    }
}

TEST_F(SmallWindowsTest, GuideFollowsTheLanguageAndTheFrame) {
    frmMain* f = start(2);
    f->mnuGuida->trigger();
    frmGuida* g = window<frmGuida>();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Text1->plainEdit()->toPlainText(), "The guide\nsecond line\n");
    EXPECT_TRUE(g->Text1->plainEdit()->isReadOnly());
    EXPECT_TRUE(QFontInfo(g->Text1->plainEdit()->font()).fixedPitch());
    EXPECT_EQ(g->Text1->plainEdit()->font().pointSize(), 10);
    EXPECT_EQ(g->Caption(), "Velmora - Velmora v 3.0  - User's Guide");
    g->Unload();
    // The guide of the new language at once; the texts change at the next start.
    dialogs.answer(vbOK);
    f->mnuItaliano->trigger();
    f->mnuGuida->trigger();
    g = window<frmGuida>();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Text1->plainEdit()->toPlainText(), "La guida\n");
    EXPECT_EQ(g->Caption(), "Velmora - Velmora v 3.0  - User's Guide");

    // The window's size from the frame's, at either screen resolution.
    struct Size {
        int twips, height, width;
    } sizes[] = {{12, 8000, 8800}, {15, 7950, 9600}};
    for (const Size& s : sizes) {
        SCOPED_TRACE(s.twips);
        delete frame.data();
        InstanceLockRelease();
        OverrideTwipsPerPixel(s.twips, s.twips);
        f = start(2);
        f->Move(0, 0, 12000, 9000);
        ASSERT_NEAR(f->Height(), 9000, s.twips);
        f->mnuGuida->trigger();
        g = window<frmGuida>();
        ASSERT_NE(g, nullptr);
        EXPECT_NEAR(g->Height(), s.height, s.twips);
        EXPECT_NEAR(g->Width(), s.width, s.twips);
        EXPECT_NEAR(g->Text1->Height(), g->Height() - 380, s.twips);
    }
}

TEST_F(SmallWindowsTest, GuideThatCannotBeShown) {
    const std::string path = startFile("Velmora_UserGuide.txt");
    const std::string most(GuideMaxChars, 'g');
    struct Case {
        const char* what;
        std::string file;  // empty: no file
        std::string message;
    } cases[] = {
        {"missing", "", "File not found"},
        {"another program's guide", "UserGuide.tx\r\n" + most, "File not found"},
        {"too long", "UserGuide.txt\r\n" + most + "g", "Error reading " + path},
    };
    frmMain* f = start(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFile(path);
        if (!c.file.empty()) writeFileBytes(path, c.file);
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        f->mnuGuida->trigger();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, c.message);
        EXPECT_EQ(dialogs.shown[0].title, "Opening Velmora_UserGuide.txt");
        EXPECT_EQ(window<frmGuida>(), nullptr);
        EXPECT_TRUE(f->mnuGuida->isEnabled());
    }
    // The longest guide is shown whole; a shorter one after it leaves nothing behind.
    for (const std::string& text : {most, std::string(5000, 'a'), std::string(100, 'b')}) {
        writeFileBytes(path, "UserGuide.txt\r\n" + text);
        f->mnuGuida->trigger();
        ASSERT_NE(window<frmGuida>(), nullptr);
        EXPECT_EQ(window<frmGuida>()->Text1->plainEdit()->toPlainText().toStdString(), text);
        EXPECT_EQ(GuidaText, text);
        window<frmGuida>()->Unload();
    }
}

TEST_F(SmallWindowsTest, NotebookKeepsWhatIsTyped) {
    frmMain* f = start();
    f->mnuBloccoNote->trigger();
    EXPECT_EQ(window<frmBloccoNote>()->Caption(), "Velmora - Velmora v 3.0 - Notebook");
    EXPECT_EQ(notes()->toPlainText(), "");
    QTest::keyClicks(notes(), "first");
    QTest::keyClick(notes(), Qt::Key_Return);
    type(notes(), QString::fromUtf8("citt\xC3\xA0  "));
    window<frmBloccoNote>()->Unload(vbFormControlMenu);
    EXPECT_EQ(noteText(), "first\r\ncitt\xE0");
    f->mnuBloccoNote->trigger();
    EXPECT_EQ(notes()->toPlainText(), QString::fromUtf8("first\ncitt\xC3\xA0"));

    // Ctrl+X cuts inside the text; it does not end the program.
    QApplication::setActiveWindow(f);
    notes()->setFocus();
    notes()->selectAll();
    int exits = 0;
    RegisterMenuCommand(MenuId::mnuExit, [&] { ++exits; });
    QTest::keyClick(notes(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(notes()->toPlainText(), "");
    QTest::keyClicks(notes(), "at exit");
    RegisterMenuCommand(MenuId::mnuExit, [f] { f->mnuExit_Click(); });
    f->mnuExit->trigger();
    EXPECT_FALSE(f->Loaded());
    EXPECT_EQ(noteText(), "at exit");
}

TEST_F(SmallWindowsTest, NotebookRefusesWhatTheFileCannotHold) {
    const std::string almost(NoteRecLen - 1, 'n');
    // Lone line ends from elsewhere: two bytes each once saved, over the limit.
    writeFileBytes(startFile("Velmora_Notebook.txt"), std::string(NoteRecLen - 4, 'n') + "\n\n\n\n");
    frmMain* f = start();
    f->mnuBloccoNote->trigger();
    ASSERT_EQ(notes()->toPlainText().size(), NoteRecLen) << "shown whole";
    notes()->selectAll();
    notes()->insertPlainText(QString::fromStdString(almost));
    QTextCursor end = notes()->textCursor();
    end.movePosition(QTextCursor::End);
    notes()->setTextCursor(end);
    QTest::keyClick(notes(), Qt::Key_Return);
    EXPECT_EQ(notes()->toPlainText().size(), NoteRecLen - 1) << "a line break takes two bytes";
    type(notes(), QString::fromUtf8("\xE2\x82\xAC"));  // the euro sign
    notes()->insertPlainText(QString::fromUtf8("a\xC4\x80"));
    EXPECT_EQ(notes()->toPlainText().size(), NoteRecLen - 1) << "outside Latin-1";
    QTest::keyClicks(notes(), "xy");
    EXPECT_EQ(notes()->toPlainText().toStdString(), almost + "x");
    window<frmBloccoNote>()->Unload();
    EXPECT_EQ(noteText(), almost + "x");
}

TEST_F(SmallWindowsTest, NotebookTextFollowsOnlyANormalWindow) {
    frmMain* f = start();
    f->mnuBloccoNote->trigger();
    frmBloccoNote* n = window<frmBloccoNote>();
    n->Move(0, 0, 6000, 4500);
    EXPECT_NEAR(n->Text1->Height(), n->Height() - 400, 15);
    EXPECT_NEAR(n->Text1->Width(), n->Width() - 80, 15);
    const QSize normal = n->Text1->size();
    n->setWindowState(vbMaximized);
    EXPECT_EQ(n->Text1->size(), normal);
    EXPECT_EQ(WinEntry(33).State, 1);
    n->setWindowState(vbMinimized);
    EXPECT_EQ(n->Text1->size(), normal);
    EXPECT_EQ(WinEntry(33).State, 2);
    n->setWindowState(vbNormal);
    EXPECT_EQ(WinEntry(33).State, 1);
}

TEST_F(SmallWindowsTest, NotebookThatCannotBeWrittenOrRead) {
    writeFileBytes(startFile("Velmora_Notebook.txt"), "older");
    frmMain* f = start();
    f->mnuBloccoNote->trigger();
    QTest::keyClick(notes(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(notes(), " and newer");
    SimulateWriteFailure(FileError::DiskFull);
    dialogs.answer(vbOK);
    window<frmBloccoNote>()->Unload(vbFormControlMenu);
    SimulateWriteFailure(FileError::None);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find(startFile("Velmora_Notebook.txt")), std::string::npos);
    EXPECT_EQ(window<frmBloccoNote>(), nullptr);
    EXPECT_EQ(noteFile(), "older");
    f->mnuBloccoNote->trigger();
    EXPECT_EQ(notes()->toPlainText(), "older and newer");
    window<frmBloccoNote>()->Unload();
    EXPECT_EQ(noteText(), "older and newer");

    // A notebook file that cannot be read is not replaced.
    DeleteFile(startFile("Velmora_Notebook.txt"));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(startFile("Velmora_Notebook.txt/keep"))));
    dialogs.shown.clear();
    dialogs.answer(vbOK);
    f->mnuBloccoNote->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find(startFile("Velmora_Notebook.txt")), std::string::npos);
    EXPECT_EQ(window<frmBloccoNote>(), nullptr);
    EXPECT_TRUE(f->mnuBloccoNote->isEnabled());
}

TEST_F(SmallWindowsTest, NoticeCentresOnTheFrameAndCloses) {
    frmMain* f = start();
    f->Move(600, 300, 12000, 9000);
    QPointer<frmAvviso2> n = new frmAvviso2(f);
    n->Move(0, 0, 4005, 1500);
    n->Show();
    EXPECT_EQ(n->Left(), f->Left() + f->Width() / 2 - 2002);
    EXPECT_EQ(n->Top(), f->Top() + f->Height() / 2 - 750);
    EXPECT_EQ(n->CommClose->Caption(), "&Close");
    n->CommClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(n.isNull());
}
