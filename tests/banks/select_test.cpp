// Picking a sound: the selection each row sends, on the window's channel or
// the edited track's, the mouse and keys that pick, and Copy.
#include <QApplication>
#include <QMenu>

#include "app/Messages.h"
#include "bankstest.h"
#include "files/state.h"
#include "library/Links.h"
#include "library/state.h"
#include "platform/MidiDevice.h"

namespace {

struct Monitor : MidiMonSinkT {
    std::string text = "earlier lines";
    void clear() override { text.clear(); }
    void append(const std::string& t) override { text += t; }
};

// Records the assignments asked of the arrangement editor, with what was
// queued for the instrument by then.
struct Editor : EditorLinkT {
    std::vector<std::tuple<int, int, std::size_t>> calls;   // n, image kind, messages queued or sent
    CaptureBackend* midi = nullptr;
    bool editArrPrgAssign(int n, const std::string& image) override {
        calls.emplace_back(n, at(image, ImgKind), MidiDev::Pending() + midi->written().size());
        return true;
    }
};

TEST_F(BanksTest, EachRowSendsItsSelection) {
    const int channels[] = {0, 2, 3, 3, 15, 9, 8};
    start([&] {
        for (int k = 4; k <= 10; ++k) WinEntry(k).Chan = static_cast<uint8_t>(channels[k - 4]);
    });
    const struct { int kind, row; unsigned lsb, pc; } cases[] = {
        {4, 0, 0, 0x00}, {4, 63, 0, 0x3F}, {5, 0, 0, 0x40}, {5, 63, 0, 0x7F}, {6, 5, 1, 0x05}, {7, 63, 1, 0x7F},
        {8, 10, 2, 0x0A}, {10, 13, 4, 0x38}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind * 100 + c.row);
        BankWindow* w = windowOf(c.kind) ? windowOf(c.kind) : view(c.kind);
        click(w, c.row);
        EXPECT_EQ(sent(), selection(channels[c.kind - 4], c.lsb, c.pc));
    }
    BankWindow* drum = view(9);
    const unsigned kits[] = {0x00, 0x01, 0x08, 0x10, 0x18, 0x19, 0x1A, 0x20,
                             0x28, 0x30, 0x40, 0x41, 0x42, 0x38, 0x48, 0x49};
    for (int row = 0; row < 16; ++row) {
        click(drum, row);
        EXPECT_EQ(sent(), selection(9, 4, kits[row])) << row;
    }

    // With the MIDI-messages window open: a bank pick leaves only its program
    // change there and clears the status line; a kit pick leaves the line.
    Monitor mon;
    Registration sink = LinkRegistration<MidiMonSinkT>(&mon);
    MidiMonLogOn = true;
    StatusMsg(2);
    click(windowOf(6), 5);
    EXPECT_EQ(std::tuple(mon.text, frame->Label1->Caption(), QApplication::overrideCursor() != nullptr),
              std::tuple(MidiMonFormat(bytesOf({0xC3, 0x05})), std::string(), false));
    StatusMsg(2);
    click(drum, 13);
    EXPECT_EQ(std::tuple(mon.text, frame->Label1->Caption(), QApplication::overrideCursor() != nullptr),
              std::tuple(MidiMonFormat(bytesOf({0xC9, 0x38})), std::string("Loading Style"), true));
    StatusMsg(0);
    sent();
    MidiOn = 0;
    click(windowOf(4), 3);
    click(drum, 3);
    EXPECT_EQ(sent(), "");
}

// Mouse and keys: what picks (and sends), and the Edit menu, which neither
// picks nor sends.
TEST_F(BanksTest, MouseAndKeys) {
    start([] { WinEntry(9).Chan = 9; });
    std::vector<QMenu*> popups;
    SetPopupMenuHandler([&](QMenu* menu) { popups.push_back(menu); });
    const std::vector<QMenu*> edit{frame->mnuModifica->subMenu()};
    for (int k : {4, 9}) {
        SCOPED_TRACE(k);
        BankWindow* w = view(k);
        click(w, 1);
        sent();
        QWidget* vp = w->List1->viewport();
        QTest::mousePress(vp, Qt::RightButton, {}, rowPoint(w, 2));
        const std::size_t onPress = popups.size();
        QTest::mouseRelease(vp, Qt::RightButton, {}, rowPoint(w, 2));
        QTest::mousePress(w, Qt::RightButton, {}, QPoint(w->width() - 2, w->height() - 2));
        QTest::mouseRelease(w, Qt::RightButton, {}, QPoint(w->width() - 2, w->height() - 2));
        EXPECT_EQ(std::tuple(onPress, popups, w->List1->ListIndex(), w->List1->SelCount(), sent()),
                  std::tuple(k == 4 ? 1u : 0u, std::vector<QMenu*>{edit[0], edit[0]}, 1, 1, std::string()));
        popups.clear();

        click(w, 1);
        EXPECT_EQ(sent(), selection(k == 4 ? 0 : 9, k == 4 ? 0 : 4, 1)) << "the current row again";
        QTest::keyClick(w->List1, Qt::Key_Down);
        EXPECT_EQ(std::tuple(w->List1->ListIndex(), sent()), std::tuple(2, selection(k == 4 ? 0 : 9, k == 4 ? 0 : 4, k == 4 ? 2 : 8)));
    }
    // Extended selection: a Ctrl-click that takes a row out of the selection
    // still sends it.
    BankWindow* w = windowOf(4);
    click(w, 2);
    click(w, 3, Qt::ControlModifier);
    sent();
    click(w, 3, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(sent(), w->List1->Selected(2), w->List1->Selected(3)),
              std::tuple(selection(0, 0, 3), true, false));
}

// While a track's program field of the arrangement editor is selected, a pick
// is first assigned to it and goes out on the track's channel.
TEST_F(BanksTest, PickAssignsToTheEditedTrack) {
    start([] {
        Up1Channel = 0;
        DrmChannel = 9;
    });
    Monitor mon;
    Registration sink = LinkRegistration<MidiMonSinkT>(&mon);
    MidiMonLogOn = true;
    StatusMsg(2);
    const struct { int kind, sel, row; std::string bytes; } cases[] = {
        {5, 14, 5, selection(0, 0, 0x45)}, {9, 2, 13, selection(9, 4, 0x38)}};
    for (bool linked : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.kind * 10 + linked);
            Editor ed;
            ed.midi = midi;
            Registration r = linked ? LinkRegistration<EditorLinkT>(&ed) : Registration();
            BankWindow* w = windowOf(c.kind) ? windowOf(c.kind) : view(c.kind);
            EditArrSelPrg = c.sel;
            ArrModified = false;
            click(w, c.row);
            EditArrSelPrg = 0;
            EXPECT_EQ(std::tuple(ed.calls, sent(), ArrModified, mon.text, frame->Label1->Caption()),
                      std::tuple(linked ? std::vector{std::tuple(c.row, c.kind, std::size_t{0})}
                                        : std::vector<std::tuple<int, int, std::size_t>>{},
                                 c.bytes, linked, std::string("earlier lines"), std::string("Loading Style")));
        }
    }
    StatusMsg(0);
}

TEST_F(BanksTest, CopyMarksTheSelectedRows) {
    start();
    BankWindow* w = view(4);
    click(w, 2);
    click(w, 5, Qt::ControlModifier);
    ASSERT_TRUE(frame->mnuCopia->isEnabled());
    RunMenuCommand(MenuId::mnuCopia);
    std::string marks;
    for (int i = 0; i < 64; ++i) marks += at(ClipBuf, RowPos(ImgPcgRows, i)) ? "x" : ".";
    EXPECT_EQ(std::tuple(ClipKind, marks, ClipBuf.substr(72, 20)),
              std::tuple(4, ".." "x" ".." "x" + std::string(58, '.'), w->List1->List(2)));
    click(view(9), 2);
    EXPECT_FALSE(frame->mnuCopia->isEnabled());
}

}  // namespace
