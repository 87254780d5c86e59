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
#include "midi/MidiLink.h"
#include "midi/state.h"
#include "shell/frmMain.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "files/FileFormats.h"
#include "platform/bytes.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Holds the lock at `path` as another running copy does; the fd is closed by the caller.
int holdLock(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    EXPECT_GE(fd, 0);
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
    // Settings of an earlier run with other values, then damaged in three ways.
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
        // The damaged file is left alone until the settings are written at exit.
        EXPECT_EQ(readFileBytes(sysFile("Velmora.ini")), bad);
    }
    // The data-file paths are built from the current folder.
    EXPECT_EQ(std::tuple(ArrAFile, PrgSelAutoFile, MultisampleNames[518]),
              std::tuple(startFile("i40ArrA"), startFile("Velmora_PrgSelAuto"), "518Multisample "));
}

TEST_F(StartUpTest, FirstRunLeftWithoutALanguageStops) {
    choose(0);
    EXPECT_EQ(StartUp(), 1);
    EXPECT_TRUE(StartAbort);
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
        EXPECT_EQ(std::tuple(mid(rec, 1, 8), get32lo(rec, 9), at(rec, 13), at(rec, 14)),
                  std::tuple("Morvekan", c.savedOut, c.users, 1));
        // The rest of the record is kept; a new one is blank.
        EXPECT_EQ(mid(rec, 15), std::string(131, c.file.size() == 145 && c.file[0] == 'M' ? '#' : ' '));
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
    // A sibling that registered after the exit was allowed, when every
    // window is gone: this program counts itself out and closes its own.
    earlierRun(2);
    ASSERT_EQ(StartUp(), 0);
    writeFileBytes(sysFile("Morvekan"), devStateRecord(0x1234, 2, 1));
    EXPECT_TRUE(AppShutDown());
    EXPECT_EQ(std::tuple(at(readFileBytes(sysFile("Morvekan")), 13), calls.closes), std::tuple(1, 1));
    calls.reset();

    // Alone: record cleared, devices closed, settings written.
    writeFileBytes(sysFile("Morvekan"), devStateRecord(0x1234, 1, 1));
    EXPECT_TRUE(AppShutDown());
    std::string rec = readFileBytes(sysFile("Morvekan"));
    EXPECT_EQ(std::tuple(mid(rec, 9, 6), calls.closes, mid(readFileBytes(sysFile("Velmora.ini")), 1, 9)),
              std::tuple(std::string(6, '\0'), 1, "Velmora30"));

    // Sharer: counts itself out, never below 0, keeps the owner's record and
    // closes only its own connection (so its queued output still goes out).
    OwnsOut = false;
    writeFileBytes(sysFile("Morvekan"), devStateRecord(0x55, 0, 1));
    EXPECT_TRUE(AppShutDown());
    rec = readFileBytes(sysFile("Morvekan"));
    EXPECT_EQ(std::tuple(at(rec, 13), get32lo(rec, 9), calls.closes), std::tuple(0, 0x55u, 2));

    // Foreign file: deleted, devices and thru closed.
    MidiThruOn = true;
    writeFileBytes(sysFile("Morvekan"), "garbage");
    EXPECT_TRUE(AppShutDown());
    EXPECT_FALSE(FileExists(sysFile("Morvekan")));
    EXPECT_EQ(std::tuple(calls.closes, calls.thruOff), std::tuple(3, 1));
}

TEST_F(StartUpTest, ExitRefusedWhileWindowsAreOpenLeavesTheFrameUsableAndTheDevicesOpen) {
    InstallMidiLink();   // the real devices, on the capture back-end
    choose(2);
    ASSERT_EQ(StartUp(), 0);
    ASSERT_EQ(DevOpen, 1);
    writeFileBytes(StyGrpFile, StyTemplateImage());
    QPointer<frmMain> frame = new frmMain();
    frame->setAttribute(Qt::WA_DeleteOnClose);
    Starting = true;
    frame->Show();
    Starting = false;
    for (const char* name : {"A", "B"}) (new ChildForm(frame, name))->Show();
    ASSERT_EQ(frame->Forms().size(), 2u);

    // A sibling program has registered while this one owns the devices.
    const std::string shared = devStateRecord(SavedOut, 2, 1);
    writeFileBytes(DevStateFile, shared);
    dialogs.answer(vbOK);
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(onlyBox(), "Close before all other applications");
    EXPECT_EQ(std::tuple(frame->isVisible(), AppClosing, DevOpen, MidiOn), std::tuple(true, false, 1, 1));
    EXPECT_EQ(readFileBytes(DevStateFile), shared);
    EXPECT_FALSE(FileExists(IniFile)) << "nothing is saved";
    // Windows open in it again; once the sibling has gone, Exit ends it.
    auto* c = new ChildForm(frame, "C");
    c->Show();
    EXPECT_EQ(frame->ActiveForm(), c);
    writeFileBytes(DevStateFile, devStateRecord(SavedOut, 1, 1));
    frame->mnuExit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.isNull() && DevOpen == 0 && FileExists(IniFile));
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
    // A record left by an earlier run, as another user's run leaves it: this
    // run owns the devices and the file names no other user.
    const std::string stale = devStateRecord(0x55, 0, 0);
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"file that cannot be written",
         [&] {
             writeFileBytes(sysFile("Morvekan"), stale);
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
        EXPECT_EQ(calls.opens, 1);
        AppClosing = true;
        EXPECT_TRUE(DevStateExit() && AppClosing);
        EXPECT_EQ(std::tuple(dialogs.shown.size(), calls.closes), std::tuple(1u, 1)) << "reported once";
        SimulateWriteFailure(FileError::None);
    }
    EXPECT_TRUE(QFileInfo(qs(sysFile("Morvekan"))).isDir()) << "left as it is";
}

TEST_F(StartUpTest, UnwritableSystemFolderIsToldOnceAndASecondCopyIsStillRefused) {
    // A system folder that cannot be made (a file stands where its parent
    // should be): nothing can be kept there.
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
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("already running"), std::string::npos);

    // Alone: one message, in both languages (none is known yet), with the
    // reason; nothing else about the files it cannot keep, now or at exit.
    dialogs.shown.clear();
    dialogs.answer(vbOK);
    ASSERT_EQ(StartUp(), 0);
    EXPECT_TRUE(InstanceLockHeld());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              MsgRaw(MsgSettingsUnkept) + "\nPercorso inesistente: " + blocked + "\n" +
                  MsgRaw(MsgSettingsUnkept + 200) + "\nPath not found: " + blocked);
    EXPECT_EQ(dialogs.shown[0].title, ProgramTitle);
    EXPECT_EQ(chooserRuns, 1);
    AppClosing = true;
    EXPECT_TRUE(AppShutDown());
    EXPECT_EQ(std::tuple(dialogs.shown.size(), calls.closes), std::tuple(1u, 1));
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

TEST_F(StartUpTest, MessagesBeforeALanguageIsKnownComeInBothAndCarryTheProgramsTitle) {
    // Settings that cannot be read: the first run's language window follows.
    QDir().mkpath(qs(sysFile("Velmora.ini")));
    dialogs.answer(vbOK);
    choose(2);
    ASSERT_EQ(StartUp(), 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const std::string ini = sysFile("Velmora.ini");
    EXPECT_EQ(dialogs.shown[0].text, "Accesso negato: le impostazioni del programma (" + ini +
                                         ")\nAccess denied: the program's settings (" + ini + ")");
    EXPECT_EQ(dialogs.shown[0].title, ProgramTitle);
    // Once the language is known, only that one.
    EXPECT_EQ(ErrMsgText(ErrReadOnly), "Read only file");
}

TEST_F(StartUpTest, ExitMessagesSayWhatFailedAndWhich) {
    earlierRun(2);
    ASSERT_EQ(StartUp(), 0);
    SimulateWriteFailure(FileError::DiskFull);
    dialogs.answer(vbOK);
    dialogs.answer(vbOK);
    EXPECT_TRUE(AppShutDown());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text + "|" + dialogs.shown[0].title,
              "Disk full: the program's MIDI device state (" + sysFile("Morvekan") + ")|Closing MIDI out device");
    EXPECT_EQ(dialogs.shown[1].text + "|" + dialogs.shown[1].title,
              "Disk full: the program's settings (" + sysFile("Velmora.ini") + ")|" + ProgramTitle);
}
