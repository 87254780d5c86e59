#include "apptest.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "app/Messages.h"
#include "app/Settings.h"
#include "app/frmLingua.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Holds the lock at `path` as another running copy does; the fd is closed by the caller.
int holdLock(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    return fd;
}

}  // namespace

class StartUpTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        RegisterLink<MidiLinkT>(&calls);
    }
    // A settings file of an earlier run in the given language.
    void earlierRun(int lang) {
        IniDefaults();
        LangSel = static_cast<uint8_t>(lang), ModeNow = 1, MidiThruOn = true;
        writeFileBytes(sysFile("Velmora.ini"), IniImageBuild(""));
        resetAppState();
    }
    int chooserRuns = 0;
    void choose(int lang) {
        LanguageChooser = [this, lang] {
            ++chooserRuns;
            if (lang == 0) StartAbort = true;
            else LangSel = static_cast<uint8_t>(lang);
        };
    }
    FakeMidiLink calls;
};

TEST_F(StartUpTest, FirstRunAsksTheLanguageAndSetsDefaults) {
    IniDefaults();
    LangSel = 1, ArrChannel = 3, StatusBarOpt = false;
    const std::string good = IniImageBuild("");
    std::string noLang = good;
    put(noLang, 25, 0);
    for (const std::string& bad : {std::string("something else entirely"), good.substr(0, 3000), noLang}) {
        SCOPED_TRACE(bad.size());
        InstanceLockRelease();
        chooserRuns = 0;
        writeFileBytes(sysFile("Velmora.ini"), bad);
        choose(2);
        ASSERT_EQ(StartUp(), 0);
        EXPECT_EQ(std::tuple(chooserRuns, LangBase, StatusBarOpt, ArrChannel, WinEntry(2).Height, DirLast),
                  std::tuple(1, 200, true, 15, FormSizes.ArrABHeight, startDir()));
        EXPECT_EQ(readFileBytes(sysFile("Velmora.ini")), bad) << "left alone until the exit writes it";
    }
    EXPECT_EQ(std::tuple(ArrAFile, MultisampleNames[518]), std::tuple(startFile("i40ArrA"), "518Multisample "));

    // Left without a language: it stops, having opened and kept nothing.
    InstanceLockRelease();
    calls.reset();
    DeleteFile(sysFile("Morvekan"));
    choose(0);
    EXPECT_EQ(StartUp(), 1);
    EXPECT_FALSE(calls.opens || FileExists(sysFile("Morvekan")) || InstanceLockHeld());
}

TEST_F(StartUpTest, LaterRunReadsTheSettingsPastALockFileLeftByACrash) {
    writeFileBytes(InstanceLockPath(), "12345\n");
    earlierRun(1);
    choose(2);
    ASSERT_EQ(StartUp(), 0);
    EXPECT_EQ(std::tuple(chooserRuns, LangBase, ModeNow, calls.thruOn, InstanceLockHeld()),
              std::tuple(0, 0, 1, 1, true));
    EXPECT_EQ(readFileBytes(sysFile("Telquorin")), std::string(1000, ' '));
}

// Qt's own texts (standard buttons, file dialogs) follow the language of
// the settings; the program's one-language texts do not depend on it.
TEST_F(StartUpTest, QtsOwnTextsSpeakTheChosenLanguage) {
    const struct { int lang; const char *yes, *readOnly; } cases[] = {
        {1, "&S\xC3\xAC", "Apri in sola lettura"}, {2, "&Yes", "Open as read-only"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lang);
        InstanceLockRelease();
        earlierRun(c.lang);
        ASSERT_EQ(StartUp(), 0);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), c.yes);
        EXPECT_EQ(QCoreApplication::translate("Platform", "Open as read-only").toStdString(), c.readOnly);
    }
}

TEST_F(StartUpTest, DeviceStateAtStartUp) {
    // The file before ("": missing); whether the devices are shared, and the output and users recorded.
    const struct { const char* what; std::string file; bool share; uint32_t savedOut; int users; } cases[] = {
        {"missing", "", false, 0x1234, 1},
        {"foreign", std::string(145, 'x'), false, 0x1234, 1},
        {"sibling holds the devices", devStateRecord(0x55, 1, 0), true, 0x55, 2},
        {"sibling record without a handle", devStateRecord(0, 2, 0), false, 0x1234, 1},
        {"our own copy crashed as owner", devStateRecord(0x77, 1, 1), false, 0x1234, 1},
        {"our own copy crashed as sharer", devStateRecord(0x55, 2, 1), true, 0x55, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InstanceLockRelease();
        calls.reset();
        earlierRun(2);
        RegisterLink<MidiLinkT>(&calls);
        if (c.file.empty()) DeleteFile(sysFile("Morvekan"));
        else writeFileBytes(sysFile("Morvekan"), c.file);
        ASSERT_EQ(StartUp(), 0);
        EXPECT_EQ(std::tuple(calls.opens, calls.share), std::tuple(1, c.share));
        const std::string rec = readFileBytes(sysFile("Morvekan"));
        ASSERT_EQ(rec.size(), 145u);
        // The rest of the record is kept; a new one is blank.
        EXPECT_EQ(std::tuple(mid(rec, 1, 8), get32lo(rec, 9), at(rec, 13), at(rec, 14), mid(rec, 15)),
                  std::tuple("Morvekan", c.savedOut, c.users, 1,
                             std::string(131, c.file.size() == 145 && c.file[0] == 'M' ? '#' : ' ')));
    }
}

TEST_F(StartUpTest, SecondCopyIsRefusedWithoutTouchingTheFiles) {
    const int fd = holdLock(InstanceLockPath());
    dialogs.answer(vbOK);
    choose(2);
    EXPECT_EQ(StartUp(), 2);
    ::close(fd);
    EXPECT_NE(onlyBox().find("already running"), std::string::npos);
    EXPECT_EQ(chooserRuns + calls.opens, 0);
    for (const char* f : {"Morvekan", "Telquorin", "Velmora.ini"}) EXPECT_FALSE(FileExists(sysFile(f))) << f;
}

TEST_F(StartUpTest, DeviceStateAtExit) {
    earlierRun(2);
    ASSERT_EQ(StartUp(), 0);
    // The record before exit; users and output after it, this run's mark gone (users -1: the file deleted).
    const struct { const char* what; std::string file; int users; uint32_t out; int thruOff; } cases[] = {
        {"a sibling registered late", devStateRecord(0x1234, 2, 1), 1, 0x1234, 0},
        {"alone: cleared", devStateRecord(0x1234, 1, 1), 0, 0, 0},
        {"sharer, never below 0", devStateRecord(0x55, 0, 1), 0, 0x55, 0},
        {"foreign", "garbage", -1, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        calls.reset();
        if (c.out == 0x55) OwnsOut = false;  // a sharer closes only its own connection
        MidiThruOn = c.thruOff;
        writeFileBytes(sysFile("Morvekan"), c.file);
        EXPECT_TRUE(AppShutDown());
        const std::string rec = readFileBytes(sysFile("Morvekan"));
        if (c.users < 0) EXPECT_FALSE(FileExists(sysFile("Morvekan")));
        else EXPECT_EQ(std::tuple(at(rec, 13), get32lo(rec, 9), at(rec, 14)), std::tuple(c.users, c.out, 0));
        EXPECT_EQ(std::tuple(calls.closes, calls.thruOff), std::tuple(1, c.thruOff));
    }
    EXPECT_EQ(mid(readFileBytes(sysFile("Velmora.ini")), 1, 9), "Velmora30");
}

TEST_F(AppTest, LanguageWindowNeedsAChoiceAndItsCloseBoxAborts) {
    frmLingua w;
    w.show();
    w.CommOK->click();
    EXPECT_TRUE(w.isVisible() && !StartAbort);
    w.Option1[1]->click();
    w.CommOK->click();
    EXPECT_TRUE(!w.isVisible() && !StartAbort && LangSel == 2);
    frmLingua w2;
    w2.show();
    w2.close();
    EXPECT_TRUE(StartAbort);
}

TEST_F(StartUpTest, DeviceStateFileThatCannotBeKeptIsReportedOnceAndNeverRefusesTheExit) {
    LangBase = 200;
    // A record an earlier run of another user left: this run owns the devices.
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"file that cannot be written",
         [&] {
             writeFileBytes(sysFile("Morvekan"), devStateRecord(0x55, 0, 0));
             SimulateWriteFailure(FileError::AccessDenied);
         }},
        {"a folder in its place", [&] {
             DeleteFile(sysFile("Morvekan"));
             QDir().mkpath(qs(sysFile("Morvekan")));
         }},
    };
    for (const auto& [what, spoil] : cases) {
        SCOPED_TRACE(what);
        AppRun = {};
        calls.reset(), dialogs.shown.clear();
        spoil();
        dialogs.answer(vbOK);
        DevStateStart();
        EXPECT_EQ(onlyBox(), "Access denied: the program's MIDI device state (" + sysFile("Morvekan") + ")");
        AppClosing = true;
        EXPECT_TRUE(DevStateExit() && AppClosing);
        EXPECT_EQ(std::tuple(dialogs.shown.size(), calls.opens, calls.closes), std::tuple(1u, 1, 1)) << "reported once";
        SimulateWriteFailure(FileError::None);
    }
    EXPECT_TRUE(QFileInfo(qs(sysFile("Morvekan"))).isDir()) << "left as it is";
}

TEST_F(StartUpTest, UnwritableSystemFolderIsToldOnceAndASecondCopyIsStillRefused) {
    // A file stands where the system folder's parent should be.
    QTemporaryDir runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    writeFileBytes(sysFile("file"), "x");
    const std::string blocked = sysFile("file") + "/Velmora";
    SetSystemDir(blocked);
    PathsBuild();

    // Another copy holds the lock in the runtime folder.
    const int fd = holdLock(RuntimeLockPath());
    EXPECT_EQ(RuntimeLockPath().rfind(runtime.path().toStdString(), 0), 0u);
    dialogs.answer(vbOK);
    choose(2);
    EXPECT_EQ(StartUp(), 2);
    ::close(fd);
    EXPECT_NE(onlyBox().find("already running"), std::string::npos);

    // Alone: one message, in both languages (none is known yet), with the
    // reason; nothing else about the files it cannot keep, now or at exit.
    dialogs.shown.clear();
    dialogs.answer(vbOK);
    ASSERT_EQ(StartUp(), 0);
    EXPECT_TRUE(InstanceLockHeld() && chooserRuns == 1);
    ASSERT_EQ(onlyBox(), MsgRaw(MsgSettingsUnkept) + "\nPercorso inesistente: " + blocked + "\n" +
                             MsgRaw(MsgSettingsUnkept + 200) + "\nPath not found: " + blocked);
    EXPECT_EQ(dialogs.shown[0].title, ProgramTitle);
    AppClosing = true;
    EXPECT_TRUE(AppShutDown());
    EXPECT_EQ(std::tuple(dialogs.shown.size(), calls.closes), std::tuple(1u, 1));
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

TEST_F(StartUpTest, MessagesSayWhatFailedInTheKnownLanguagesUnderAFittingTitle) {
    // Settings that cannot be read: before a language is chosen, both.
    QDir().mkpath(qs(sysFile("Velmora.ini")));
    dialogs.answer(vbOK);
    choose(2);
    ASSERT_EQ(StartUp(), 0);
    const std::string ini = sysFile("Velmora.ini");
    ASSERT_EQ(onlyBox(), "Accesso negato: le impostazioni del programma (" + ini +
                             ")\nAccess denied: the program's settings (" + ini + ")");
    EXPECT_EQ(dialogs.shown[0].title, ProgramTitle);
    QDir(qs(ini)).removeRecursively();

    // At exit, in the chosen language, each under its own title.
    dialogs.shown.clear();
    SimulateWriteFailure(FileError::DiskFull);
    dialogs.answer(vbOK);
    dialogs.answer(vbOK);
    EXPECT_TRUE(AppShutDown());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text + "|" + dialogs.shown[0].title,
              "Disk full: the program's MIDI device state (" + sysFile("Morvekan") + ")|Closing MIDI out device");
    EXPECT_EQ(dialogs.shown[1].text + "|" + dialogs.shown[1].title,
              "Disk full: the program's settings (" + ini + ")|" + ProgramTitle);
}
