#pragma once
// Every test runs from the program's state at start, in fresh temporary system
// and start folders, with the capture MIDI back-end, scripted dialogs, a
// capture printer and the manual clock: no real home folder, printer or MIDI.
#include <gtest/gtest.h>

#include <QFont>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/Documents.h"
#include "platform/Dialogs.h"
#include "platform/MidiDevice.h"
#include "platform/Printer.h"

// Answers boxes from a script and records every one. A box that no answer
// was queued for, and any input box, fails the test.
class ScriptedDialogs : public DialogService {
public:
    struct Box {
        std::string text, title;
        int style = 0;
    };
    std::vector<Box> shown;               // every message box, in order
    std::deque<int> answers;              // answers for the next message boxes
    // Each answers one file dialog: fills req and returns true, or cancels.
    std::deque<std::function<bool(FileDialogRequest&)>> files;
    std::vector<FileDialogRequest> fileRequests;  // as the program asked them
    // Wait boxes run on the manual clock, 100 ms a step, recording their texts;
    // the next one is stopped at step stopWaitAt (-1: it ends by itself).
    struct Wait {
        std::string title;
        std::vector<std::string> texts;
    };
    std::vector<Wait> waits;
    int stopWaitAt = -1;

    void answer(int a) { answers.push_back(a); }
    void chooseFile(const std::string& path, int filterIndex = 0, bool readOnly = false);
    void cancelFile();

    int msgBox(const std::string& text, int style, const std::string& title) override;
    bool inputBox(const std::string& prompt, const std::string& title, const std::string& def,
                  std::string& answer) override;
    bool fileDialog(FileDialogRequest& req) override;
    bool waitBox(const std::string& title, const std::string& stopCaption,
                 const std::function<bool(std::string&)>& step) override;
};

// A window that holds files, as far as the document registry can tell:
// registered while the object lives.
struct TestHolder : DocumentT {
    TestHolder(WinFamily family, int slot, std::vector<std::string> files)
        : family_(family), slot_(slot), files_(std::move(files)), registered_(RegisterDocument(this)) {}
    ChildForm* docForm() override { return nullptr; }
    WinFamily docFamily() const override { return family_; }
    int docSlot() const override { return slot_; }
    std::vector<std::string> heldFiles() const override { return files_; }
    int save(bool) override { return 0; }

private:
    WinFamily family_;
    int slot_;
    std::vector<std::string> files_;
    Registration registered_;
};

class VelmoraTest : public ::testing::Test {
public:
    ~VelmoraTest() override;

protected:
    void SetUp() override;
    void TearDown() override;

    std::string sysDir() const { return sysTmp_.path().toStdString(); }
    std::string startDir() const { return startTmp_.path().toStdString(); }
    // Full path of a file in the system / start folder.
    std::string sysFile(const std::string& name) const { return sysDir() + "/" + name; }
    std::string startFile(const std::string& name) const { return startDir() + "/" + name; }
    // The text of the only box shown so far ("" when none, or more than one).
    std::string onlyBox() const { return dialogs.shown.size() == 1 ? dialogs.shown[0].text : std::string(); }

    QTemporaryDir sysTmp_, startTmp_;
    ScriptedDialogs dialogs;
    CapturePrinter printer;
    CaptureBackend* midi = nullptr;
};

// Every subsystem's state, the links, the start-up hooks and the instance lock as at a fresh start.
void ResetAllState();

// Whether every printable Latin-1 character of a font takes the same width:
// what columns of characters need, whatever the font says of itself.
bool EqualAdvances(const QFont& font);

// Small file helpers for tests.
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
// A device-state record as a sibling program or an earlier run leaves it:
// signature, shared output, user count and this program's run mark.
std::string devStateRecord(uint32_t savedOut, int users, int myRun);
