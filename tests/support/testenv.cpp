#include "testenv.h"

#include <QFontMetricsF>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/DevState.h"
#include "app/Links.h"
#include "app/Main.h"
#include "app/state.h"
#include "files/state.h"
#include "midi/state.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "platform/Timer.h"
#include "platform/Files.h"
#include "platform/Translations.h"

void ResetAllState() {
    InstanceLockRelease();
    resetAppState();
    resetMidiState();
    resetFilesState();
    ResetLinks();
    AppHooks = {};
    UseQtLanguage("en");
}

void ScriptedDialogs::chooseFile(const std::string& path, int filterIndex, bool readOnly) {
    files.push_back([=](FileDialogRequest& r) {
        r.fileName = path;
        if (filterIndex > 0) r.filterIndex = filterIndex;
        r.readOnly = readOnly;
        return true;
    });
}

void ScriptedDialogs::cancelFile() {
    files.push_back([](FileDialogRequest&) { return false; });
}

int ScriptedDialogs::msgBox(const std::string& text, int style, const std::string& title) {
    shown.push_back({text, title, style});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
        return vbCancel;
    }
    int a = answers.front();
    answers.pop_front();
    return a;
}

bool ScriptedDialogs::inputBox(const std::string& prompt, const std::string&, const std::string&, std::string&) {
    ADD_FAILURE() << "unexpected input box: " << prompt;
    return false;
}

bool ScriptedDialogs::fileDialog(FileDialogRequest& req) {
    fileRequests.push_back(req);
    if (files.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << req.title;
        return false;
    }
    auto f = files.front();
    files.pop_front();
    return f(req);
}

bool ScriptedDialogs::waitBox(const std::string& title, const std::string&,
                              const std::function<bool(std::string&)>& step) {
    waits.push_back({title, {}});
    const std::size_t me = waits.size() - 1;
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        if (!step(text)) return false;
        waits[me].texts.push_back(text);
        if (i == stopWaitAt) { stopWaitAt = -1; return true; }
        Timer::Advance(100);
    }
    ADD_FAILURE() << "a wait box never ended: " << title;
    return true;
}

void VelmoraTest::SetUp() {
    ASSERT_TRUE(sysTmp_.isValid());
    ASSERT_TRUE(startTmp_.isValid());
    SetSystemDir(sysTmp_.path().toStdString());
    SetStartDir(startTmp_.path().toStdString());
    SetDialogService(&dialogs);
    SetPrinterService(&printer);
    SimulateWriteFailure(FileError::None);
    SimulateReadFailure(FileError::None);
    Timer::SetManualClock(true);
    midi = &MidiDev::UseCapture();
    ResetAllState();
}

void VelmoraTest::TearDown() {
    EXPECT_TRUE(dialogs.answers.empty()) << dialogs.answers.size() << " scripted answer(s) never asked for";
    EXPECT_TRUE(dialogs.files.empty()) << "a scripted file dialog was never shown";
    MidiDev::ClearQueue();
    SetDialogService(nullptr);
    SetPrinterService(nullptr);
    SimulateWriteFailure(FileError::None);
    SimulateReadFailure(FileError::None);
    ResetAllState();
}

VelmoraTest::~VelmoraTest() {
    // The folders go with every file a test left in them, once nothing of the
    // test can write there any more. QTemporaryDir would leave behind a file
    // whose name is not valid UTF-8 (it cannot name it), so they are removed
    // byte for byte here.
    for (const QTemporaryDir* d : {&sysTmp_, &startTmp_}) {
        std::error_code ec;
        std::filesystem::remove_all(d->path().toStdString(), ec);
        EXPECT_FALSE(ec) << d->path().toStdString() << ": " << ec.message();
    }
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string devStateRecord(uint32_t savedOut, int users, int myRun) {
    std::string r(145, '#');
    putMid(r, 1, "Morvekan");
    put32lo(r, 9, savedOut);
    put(r, 13, static_cast<unsigned>(users));
    put(r, 14, static_cast<unsigned>(myRun));
    return r;
}

bool EqualAdvances(const QFont& font) {
    const QFontMetricsF m(font);
    const qreal width = m.horizontalAdvance(QLatin1Char('M'));
    for (int c = 0x20; c <= 0xFF; ++c)
        if ((c < 0x7F || c >= 0xA0) && m.horizontalAdvance(QChar(c)) != width) return false;
    return true;
}
