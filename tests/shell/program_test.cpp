// The whole program: start-up to the main window, and a clean exit when the
// main window is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

#include "app/Captions.h"
#include "app/Main.h"
#include "app/Mru.h"
#include "app/Settings.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "midi/frmTastiera.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"
#include "testenv.h"

class ProgramTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        resetAppState();
        resetMidiState();
        InstallShell();
        writeFileBytes(startFile("i40Sty"), StyTemplateImage());
    }
    void TearDown() override {
        LanguageChooser = nullptr;
        VelmoraTest::TearDown();
    }
    // Closes the main window as soon as the event loop runs.
    static void closeSoon(bool* sawWindow) {
        QTimer::singleShot(0, [sawWindow] {
            frmMain* f = MainForm();
            *sawWindow = f && f->isVisible();
            if (f) f->close();
        });
    }
};

TEST_F(ProgramTest, StartsShowsTheMainWindowAndQuitsWhenItIsClosed) {
    LanguageChooser = [] { LangSel = 2; };
    bool sawWindow = false;
    closeSoon(&sawWindow);
    EXPECT_EQ(Main(0, nullptr), 0);
    EXPECT_TRUE(sawWindow);
    // The exit wrote the settings (with the language chosen) and the device state.
    const std::string ini = readFileBytes(sysFile("Velmora.ini"));
    ASSERT_GE(ini.size(), 250u);
    EXPECT_EQ(std::tuple(mid(ini, 1, 9), at(ini, 25), mid(readFileBytes(sysFile("Morvekan")), 1, 8)),
              std::tuple("Velmora30", 2, "Morvekan"));

    // The next start reads those settings: no language window.
    LanguageChooser = [] { ADD_FAILURE() << "language asked again"; };
    sawWindow = false;
    closeSoon(&sawWindow);
    EXPECT_EQ(Main(0, nullptr), 0);
    EXPECT_TRUE(sawWindow && LangBase == 200);

    // A first run left without a language ends without a window.
    DeleteFile(sysFile("Velmora.ini"));
    LanguageChooser = [] { StartAbort = true; };
    EXPECT_NE(Main(0, nullptr), 0);
    EXPECT_FALSE(MainForm() || FileExists(sysFile("Velmora.ini")));
}

// Every member of the main window's link does something on the frame that
// InstallShell makes, so no shared procedure talks to a do-nothing default.
TEST_F(ProgramTest, TheMainWindowAnswersEveryLinkMember) {
    ASSERT_TRUE(MainWindowFactory);
    PathsBuild();
    Starting = true;
    MainWindowFactory();
    Starting = false;
    frmMain* f = MainForm();
    ASSERT_TRUE(f && IsLinked<MainWindowLinkT>());
    MainWindowLinkT& link = MainWindowLink();
    auto recent = [f](int i) { return FindControl<MenuItem>(f, "mnuRecentFile", i); };
    struct Case { const char* member; std::function<void()> call; std::function<bool()> seen; };
    const Case cases[] = {
        {"setStatus", [&] { link.setStatus("Sending"); }, [&] { return f->Label1->Caption() == "Sending"; }},
        {"setBusyPointer", [&] { link.setBusyPointer(true); },
         [&] {
             bool on = QApplication::overrideCursor();
             link.setBusyPointer(false);
             return on && !QApplication::overrideCursor();
         }},
        {"modeDisplay", [&] { ModeNow = 4; link.modeDisplay(); }, [&] { return f->LabelMode->Caption() == ModeName(4); }},
        {"setLabelArr/Sty/Prg", [&] { link.setLabelArr("A"), link.setLabelSty("S"), link.setLabelPrg("P"); },
         [&] { return f->LabelArr->Caption() + f->LabelSty->Caption() + f->LabelPrg->Caption() == "ASP"; }},
        {"refreshRecentFiles", [&] { MruTable[1] = {"/songs/SONG", 0, 0, 0, 0, 1, 0}, link.refreshRecentFiles(); },
         [&] { return recent(1)->Visible() && recent(1)->Caption() == MruCaption(1) && !recent(2)->Visible(); }},
        {"enableMenu", [&] { link.enableMenu(MenuId::mnuTastiera, false); }, [&] { return !f->mnuTastiera->Enabled(); }},
        {"menuAgg", [&] { f->mnuWindow->setEnabled(true), link.menuAgg(); }, [&] { return !f->mnuWindow->Enabled(); }},
        {"show", [&] { f->hide(); link.show(); }, [&] { return f->isVisible(); }},
    };
    for (const Case& c : cases) {
        c.call();
        EXPECT_TRUE(c.seen()) << c.member;
    }

    // The MIDI windows, opened from the View menu, keep their items off while open.
    f->mnuTastiera->setEnabled(true);
    f->mnuTastiera->trigger();
    f->mnuMsgEx->trigger();
    ToolForm* kbd = ToolForm::Find(f, frmTastiera::Kind);
    ASSERT_TRUE(kbd && kbd->Loaded());
    EXPECT_FALSE(f->mnuTastiera->Enabled() || f->mnuMsgEx->Enabled());
    EXPECT_TRUE(MidiMonLogOn && f->mnuWindow->Enabled());
    EXPECT_TRUE(kbd->Unload(vbFormControlMenu) && f->mnuTastiera->Enabled());

    // Gone with the monitor still open: nothing of it stays registered.
    delete f;
    EXPECT_FALSE(MainForm() || IsLinked<MainWindowLinkT>() || IsLinked<MidiMonSinkT>() || MidiMonLogOn ||
                 ChildWinCount);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
