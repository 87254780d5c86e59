// Style windows: New Sty and Open Sty, the list and sizes, the group and
// whole-file sends, the style picker and closing.
#include <QApplication>

#include "app/InfoFile.h"
#include "files/StyGroups.h"
#include "files/Writers.h"
#include "shell/MenuAgg.h"
#include "library/StyUNView.h"
#include "library/frmStyUN.h"
#include "librarytest.h"

namespace {

// Styles in groups 0 and 1 (items 0-7); the others of size 0.
std::vector<std::string> twoGroups() { return {"A0", "A1", "A2", "A3", "B0", "B1", "B2", "B3"}; }

class StyUNTest : public LibraryTest {
protected:
    frmStyUN* openSty(const std::string& name, bool readOnly = false) {
        const int slot = StySlotFree();
        dialogs.chooseFile(song(name + ".sty"), 0, readOnly);
        RunMenuCommand(MenuId::mnuApriSty);
        return slot ? StyUNForms()[static_cast<std::size_t>(slot)].data() : nullptr;
    }
    frmStyUN* newSty() {
        RunMenuCommand(MenuId::mnuNuovoSty);
        for (int n = 8; n >= 1; --n)
            if (StyNewForms()[static_cast<std::size_t>(n)]) return StyNewForms()[static_cast<std::size_t>(n)].data();
        return nullptr;
    }
    // Lets the paced queue empty, then forgets what went out.
    void drain() {
        Timer::Advance(5000);
        midi->clear();
    }
};

TEST_F(StyUNTest, NewStyleShowsTheTemplate) {
    frmMain* m = start();
    // A damaged template: the reader's box only, no window.
    writeFileBytes(StyGrpFile, std::string(100, 'x'));
    dialogs.answer(vbOK);
    RunMenuCommand(MenuId::mnuNuovoSty);
    EXPECT_EQ(std::tuple(dialogs.shown.size(), StyNewForms()[1].data(), StyWinCount),
              std::tuple(1u, static_cast<frmStyUN*>(nullptr), 0));

    writeFileBytes(StyGrpFile, StyTemplateImage());
    frmStyUN* w = newSty();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::vector<std::string>({w->List1->List(3), w->List1->List(18), w->Text1[3]->Text(), w->Text1[4]->Text(),
                                        w->Text2[0]->Text(), w->Text2[1]->Text(), w->Text3->Text(), w->Caption()}),
              std::vector<std::string>({"14  - empty -", "28  ", " 1176 ", " 0 ", " 4704 ", " 0 ", "4928",
                                        "New Style - Untitled.sty (1)"}));
    std::vector<bool> on;
    for (auto* b : w->CommLoadStyGrp) on.push_back(b->isEnabled());
    EXPECT_EQ(on, std::vector<bool>({true, false, false, false}));
    std::string header(20, '\0');
    for (auto [pos, v] : {std::pair{1, 24u}, {15, 1u}, {18, 1u}}) put(header, pos, v);
    EXPECT_EQ(w->Tag(), header + padRight("Untitled (1)", 250) + std::string(399, '\0') + StyTemplateImage());
    // Eight new documents use every number.
    for (int n = 2; n <= 8; ++n) newSty();
    EXPECT_FALSE(m->mnuNuovoSty->isEnabled());
}

TEST_F(StyUNTest, OpenStyle) {
    writeFileBytes(song("Name.sty"), styFileOf(twoGroups()));
    start();
    frmStyUN* w = openSty("Name", true);
    ASSERT_NE(w, nullptr);
    const SlotRec& r = StySlots[1];
    EXPECT_EQ(std::tuple(at(w->Tag(), 1), at(w->Tag(), 2), at(w->Tag(), 15), w->Caption(), w->List1->List(5)),
              std::tuple(23u, 1u, 1u, std::string("File Sty - Name.sty (1) - Read Only"), std::string("15  B0")));
    EXPECT_EQ(std::tuple(r.Path, r.State, r.Extra, MruTable[1].Path, midi->written()),
              std::tuple(song("Name"), uint8_t{1}, 0, song("Name"), std::string()));
}

TEST_F(StyUNTest, GroupSend) {
    writeFileBytes(song("Name.sty"), styFileOf(twoGroups()));
    writeFileBytes(song("Part.sty"), styFileOf({"A0", "A1", "A2", "A3", "B0"}));
    start();
    StySlotUsed[1] = StySlotUsed[2] = 1;   // the file goes to slot 3
    frmStyUN* w = openSty("Name");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->slot(), 3);
    StySlots[9] = {song("Bank"), 0, 1};   // an open user-bank window
    StySlotCur = 9;
    StyFileBuf = styFileOf({"U"});
    QPointer<frmStyUN> bank(new frmStyUN(frame, 23));
    bank->Show();

    const long long t0 = Timer::Now();
    w->CommLoadStyGrp[1]->press();
    const std::string shown = status();
    Timer::Advance(1000);
    EXPECT_EQ(std::tuple(messageTimes(t0), shown, midi->written(), status(), StyUFile),
              std::tuple(std::vector<long long>{11}, std::string("Loading Style"), StyleDumpOf(w->Tag(), 1),
                         std::string(), song("Name")));
    EXPECT_TRUE(!bank || bank->Discarded()) << "the user-bank window closes";

    // From the bank's own window and from a new document: the same bytes,
    // the user bank kept.
    StySlots[9] = {song("Bank")};
    StySlotCur = 9;
    StyFileBuf = styFileOf(twoGroups());
    auto* own = new frmStyUN(frame, 23);
    own->Show();
    frmStyUN* fresh = newSty();
    for (frmStyUN* x : {own, fresh}) {
        drain();
        StyUFile = "kept";
        x->CommLoadStyGrp[0]->press();
        Timer::Advance(3000);
        EXPECT_EQ(std::tuple(midi->written(), StyUFile), std::tuple(StyleDumpOf(x->Tag(), 0), std::string("kept")));
    }

    // A group with a size-0 item: one box, nothing sent or recorded;
    // MIDI off: nothing at all.
    frmStyUN* part = openSty("Part");
    ASSERT_NE(part, nullptr);
    drain();
    StyUFile = "kept";
    dialogs.answer(vbOK);
    part->CommLoadStyGrp[1]->press();
    Timer::Advance(20);
    EXPECT_EQ(std::tuple(onlyBox(), status()),
              std::tuple(std::string("Style group 2 is incomplete and was not sent"), std::string()));
    MidiOn = 0;
    w->CommLoadStyGrp[0]->press();
    Timer::Advance(20);
    EXPECT_EQ(std::tuple(midi->written(), StyUFile, dialogs.shown.size()), std::tuple(std::string(), std::string("kept"), 1u));
}

// The Edit menu's Load Style sends the group of the selected row (none
// selected: group 0), offered while any group can go out.
TEST_F(StyUNTest, EditMenuLoadsTheSelectedRowsGroup) {
    writeFileBytes(song("Name.sty"), styFileOf(twoGroups()));
    writeFileBytes(song("None.sty"), styFileOf({}));
    frmMain* m = start();
    std::vector<bool> offered;
    for (const char* name : {"None", "Name"}) {
        ASSERT_NE(openSty(name), nullptr);
        MenuAgg();
        offered.push_back(m->mnuLoadSty->isEnabled());
    }
    EXPECT_EQ(offered, std::vector<bool>({false, true}));
    frmStyUN* w = StyUNForms()[2].data();
    for (auto [row, group] : {std::pair{7, 1}, {-1, 0}, {14, 2}, {18, 3}}) {
        w->List1->setListIndex(row);
        RunMenuCommand(MenuId::mnuLoadSty);
        std::vector<bool> on, want(4, false);
        want[static_cast<std::size_t>(group)] = true;
        for (Timer* t : w->TimerLoadStyGrp) on.push_back(t->Enabled()), t->setEnabled(false);
        EXPECT_EQ(on, want) << row;
    }
}

TEST_F(StyUNTest, SendAll) {
    writeFileBytes(song("Name.sty"), styFileOf(twoGroups()));
    writeFileBytes(song("Two.sty"), styFileOf(twoGroups()));
    start();
    frmStyUN* w = openSty("Name");
    QPointer<frmStyUN> other(openSty("Two"));
    ASSERT_TRUE(w && other);
    const long long t0 = Timer::Now();
    w->CommLoadSty->press();
    Timer::Advance(100);
    other->CommLoadSty->press();   // another window's job: nothing
    Timer::Advance(2000);
    EXPECT_EQ(messageTimes(t0), std::vector<long long>({20, 820, 1620, 1621, 1622}));
    EXPECT_EQ(midi->written(), StyleDumpOf(w->Tag(), 0) + StyleDumpOf(w->Tag(), 1) + bytesOf({0xBF, 0, 0, 0xBF, 0x20, 1, 0xCF, 0}));
    EXPECT_EQ(std::tuple(InfoFileRead(), frame->LabelSty->Caption(), StyUFile, StyJobOwner),
              std::tuple(std::string("Name"), std::string("Name.sty"), song("Name"), static_cast<frmStyUN*>(nullptr)));

    // Closed while it runs: stopped, status and busy pointer cleared.
    drain();
    other->CommLoadSty->press();
    Timer::Advance(500);
    other->Unload();
    EXPECT_EQ(std::tuple(status(), QApplication::overrideCursor(), StyJobOwner),
              std::tuple(std::string(), static_cast<QCursor*>(nullptr), static_cast<frmStyUN*>(nullptr)));
    Timer::Advance(3000);
    EXPECT_EQ(midi->written(), StyleDumpOf(w->Tag(), 0)) << "group 0 only";

    // An untitled document's send names it in the info file, as the
    // instrument now holds its styles; the user bank stays what it was.
    RunMenuCommand(MenuId::mnuNuovoSty);
    frmStyUN* fresh = StyNewForms()[1];
    ASSERT_NE(fresh, nullptr);
    fresh->Tag() = fresh->Tag().substr(0, ImgStyStyPart - 1) + styFileOf(twoGroups());
    fresh->CommLoadSty_Click();
    Timer::Advance(3000);
    EXPECT_EQ(std::tuple(InfoFileRead(), StyUFile), std::tuple(std::string("Untitled (1)"), song("Name")));
}

TEST_F(StyUNTest, PickerAssignsOnlyNamedStyles) {
    struct Assigning : FakeEditor {
        std::vector<int> rows;
        void editArrStyAssign(int row, const std::string&) override {
            rows.push_back(row);
            ArrModified = true;  // assigned, as the editor marks it
        }
    } editor;
    writeFileBytes(song("Name.sty"), styFileOf({"A0", "A1", "A2", "A3", "B0", "B1", "B2", "B3", "C0"}));
    start();
    frmStyUN* w = openSty("Name");
    frmStyUN* fresh = newSty();
    ASSERT_TRUE(w && fresh);
    EditArrSelSty = true;
    const struct { frmStyUN* win; int row; bool assigns; } cases[] = {
        {w, 10, true}, {w, 9, false}, {w, 15, false}, {fresh, 0, false}, {w, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        editor.rows.clear();
        ArrModified = false;
        c.win->List1->setListIndex(c.row);
        EXPECT_EQ(std::tuple(editor.rows, bool(ArrModified)),
                  std::tuple(c.assigns ? std::vector<int>{c.row} : std::vector<int>{}, c.assigns));
    }
    EXPECT_EQ(std::tuple(bool(EditArrSelSty), midi->written()), std::tuple(true, std::string()));
}

TEST_F(StyUNTest, Closing) {
    writeFileBytes(song("Name.sty"), styFileOf(twoGroups()));
    writeFileBytes(song("Three.sty"), styFileOf(twoGroups()));
    start();
    // Changed, Yes: saved from the image.
    frmStyUN* w = openSty("Name");
    ASSERT_NE(w, nullptr);
    put(w->Tag(), 10, 1);
    put(w->Tag(), 670 + 30, 'Z');
    const std::string changed = w->Tag();
    dialogs.answer(vbYes);
    EXPECT_TRUE(w->Unload());
    EXPECT_EQ(readFileBytes(song("Name.sty")), changed.substr(669));

    // Made by an import: Save As; cancelled: open, and an exit stops.
    w = openSty("Name");
    put(w->Tag(), 10, 1);
    put(w->Tag(), 11, 5);
    dialogs.answer(vbYes);
    dialogs.cancelFile();
    AppClosing = true;
    const std::size_t asked = dialogs.fileRequests.size();
    EXPECT_FALSE(w->Unload());
    EXPECT_EQ(std::tuple(bool(AppClosing), dialogs.fileRequests.size()), std::tuple(false, asked + 1));

    // Cancel in the frame's close: everything stays.
    frmStyUN* fresh = newSty();
    dialogs.answer(vbCancel);
    frame->Unload();
    EXPECT_FALSE(AppClosing);
    EXPECT_TRUE(w->Loaded() && !w->Discarded() && fresh->Loaded() && !fresh->Discarded());

    // Untitled and unchanged still asks; No closes.
    dialogs.answer(vbNo);
    EXPECT_TRUE(fresh->Unload());
    EXPECT_EQ(StyNewUsed[1], 0);

    // Untitled after Save As, changed, Yes: the file holds the new bytes.
    fresh = newSty();
    dialogs.chooseFile(song("New.sty"));
    ASSERT_EQ(FileSaveAs(fresh->Tag()), 0);
    put(fresh->Tag(), 10, 1);
    put(fresh->Tag(), 670 + 30, 'Q');
    const std::string image = fresh->Tag();
    dialogs.answer(vbYes);
    EXPECT_TRUE(fresh->Unload());
    EXPECT_EQ(readFileBytes(song("New.sty")), image.substr(669));

    // Closed by hand.
    dialogs.shown.clear();
    const int count = StyWinCount;
    frmStyUN* three = openSty("Three");
    ASSERT_EQ(StyWinCount, count + 1);
    const auto s = static_cast<std::size_t>(three->slot());
    EXPECT_TRUE(three->Unload());
    EXPECT_EQ(std::tuple(StySlots[s].State, StySlotUsed[s], StyWinCount), std::tuple(uint8_t{0}, 0, count));
    put(w->Tag(), 10, 0);
    put(w->Tag(), 11, 0);
}

}  // namespace
