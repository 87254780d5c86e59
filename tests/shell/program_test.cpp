// The whole program: start-up to the main window, and a clean exit when the
// main window is closed.
#include <gtest/gtest.h>

#include <QTimer>

#include "app/Main.h"
#include "app/Settings.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "midi/state.h"
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
    std::string ini = readFileBytes(sysFile("Velmora.ini"));
    ASSERT_GE(ini.size(), 250u);
    EXPECT_EQ(mid(ini, 1, 9), "Velmora30");
    EXPECT_EQ(at(ini, 25), 2);
    EXPECT_EQ(mid(readFileBytes(sysFile("Morvekan")), 1, 8), "Morvekan");

    // The next start reads those settings: no language window.
    LanguageChooser = [] { ADD_FAILURE() << "language asked again"; };
    sawWindow = false;
    closeSoon(&sawWindow);
    EXPECT_EQ(Main(0, nullptr), 0);
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(LangBase, 200);
}

TEST_F(ProgramTest, FirstRunLeftWithoutALanguageEndsWithoutAWindow) {
    LanguageChooser = [] { StartAbort = true; };
    EXPECT_NE(Main(0, nullptr), 0);
    EXPECT_EQ(MainForm(), nullptr);
    EXPECT_FALSE(FileExists(sysFile("Velmora.ini")));
}
