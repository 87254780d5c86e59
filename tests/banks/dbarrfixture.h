#pragma once
// A database test: the program started with the library and the database
// installed, a song folder F and builders of its files.
#include "../library/librarytest.h"
#include "banks/Banks.h"
#include "banks/DBArr.h"
#include "banks/DBArrFormat.h"
#include "banks/DBArrState.h"
#include "banks/frmEditDBArr.h"
#include "banks/frmFindID.h"
#include "dbarrtest.h"
#include "app/Messages.h"
#include "platform/Dialogs.h"
#include <QLineEdit>

// Runs `during` while the next message box is up, then answers it.
struct DialogsDuring : ScriptedDialogs {
    std::function<void()> during;
    int msgBox(const std::string& text, int style, const std::string& title) override {
        if (auto d = std::exchange(during, nullptr)) d();
        return ScriptedDialogs::msgBox(text, style, title);
    }
};

// The database file holds exactly db(F; entries).
#define EXPECT_DB(...)                                                                  \
    do {                                                                                \
        const std::string want_ = dbOf(F(), __VA_ARGS__), got_ = db();                  \
        EXPECT_TRUE(got_ == want_) << described(got_) << "\n  wanted " << described(want_); \
    } while (0)

class DBArrTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        InstallBanks();
    }
    frmMain* startDb(const std::vector<std::pair<std::string, int>>& entries) {
        return start([&] { writeDb(entries); });
    }
    void writeDb(const std::vector<std::pair<std::string, int>>& entries) {
        writeFileBytes(DBArrFile, dbOf(songs, entries));
    }
    std::string db() const { return readFileBytes(DBArrFile); }
    bool dbExists() const { return FileLen(DBArrFile) >= 0; }
    // A valid arrangement file in F (without ".arr": name.arr).
    void arr(const std::string& file, const std::string& bytes = arrFileOf({{28, "Found"}})) {
        writeFileBytes(song(file), bytes);
    }
    // "text|title" of every box shown, then forgets them.
    std::string boxes() {
        std::string s = boxesShown();
        dialogs.shown.clear();
        return s;
    }
    // The three database items of the View and Edit menus, on or off.
    std::string dbItems() const {
        std::string s;
        for (MenuItem* m : {frame->mnuWEditDBArr, frame->mnuWFindID, frame->mnuAggArr}) s += m->isEnabled() ? '1' : '0';
        return s;
    }
    std::vector<std::string> rows(frmEditDBArr* e) const {
        std::vector<std::string> r;
        for (int i = 0; i < e->List1->ListCount(); ++i) r.push_back(e->List1->List(i));
        return r;
    }
    frmEditDBArr* openEditor() {
        RunMenuCommand(MenuId::mnuWEditDBArr);
        return EditDBArrForm();
    }
    frmFindID* openFind() {
        RunMenuCommand(MenuId::mnuWFindID);
        return dynamic_cast<frmFindID*>(ToolForm::Find(frame, frmFindID::Kind));
    }
    // Types a number in the find window and presses Enter; the search runs.
    void find(frmFindID* w, const std::string& typed) {
        w->Text1->setText(typed);
        QTest::keyClick(w->Text1->lineEdit(), Qt::Key_Return);
        Timer::Advance(20);
    }
    std::string F() const { return songs; }
    // The editor's list again from the file (its reload timer).
    void reload(frmEditDBArr* e) {
        e->Timer1->setEnabled(true);
        Timer::Advance(20);
    }
    // The file's entries as rows, to compare where the bytes differ.
    std::string described(const std::string& img) const {
        std::string s = DBArrFolderOf(img) + (DBArrSound(img) ? "" : " (unsound)");
        for (const std::string& r : DBArrRows(img)) s += " | " + r;
        return s;
    }
};
