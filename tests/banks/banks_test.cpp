// The program bank and kit windows as the user reaches them: the View menu,
// the layout, picking a sound (on the window's channel or the edited
// track's), the right button, Copy, closing and the next start.
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "../shell/shelltest.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "banks/Banks.h"
#include "banks/frmDrum.h"
#include "banks/frmPcgAE.h"
#include "files/state.h"
#include "library/Links.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "platform/MidiDevice.h"

namespace {

constexpr MenuId Items[] = {MenuId::mnuWProgA, MenuId::mnuWProgB, MenuId::mnuWProgC, MenuId::mnuWProgD,
                            MenuId::mnuWProgE, MenuId::mnuDrum,   MenuId::mnuPerc};
const char* const Titles[] = {"Prg A", "Prg B", "Prg C", "Prg D", "Prg E", "Drum", "Percussion"};
constexpr int Channels[] = {0, 2, 3, 3, 15, 9, 8};   // of the entries 4-10 at start

struct Monitor : MidiMonSinkT {
    std::string text;
    void clear() override { text.clear(); }
    void append(const std::string& t) override { text += t; }
};

// Records each assignment with the messages queued or sent by then.
struct Editor : EditorLinkT {
    std::vector<std::tuple<int, int, std::size_t>> calls;   // n, the image's kind, messages
    CaptureBackend* midi = nullptr;
    bool editArrPrgAssign(int n, const std::string& image) override {
        calls.emplace_back(n, at(image, ImgKind), MidiDev::Pending() + midi->written().size());
        ArrModified = true;  // assigned, as the editor marks it
        return true;
    }
};

class BanksTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        InstallBanks();
    }
    void TearDown() override {
        SetPopupMenuHandler(nullptr);
        ShellTest::TearDown();
    }
    // A start (the last one's frame gone), the restore done, nothing sent yet.
    frmMain* start(const std::function<void()>& before = [] {
        for (int k = 4; k <= 10; ++k) WinEntry(k).Chan = static_cast<uint8_t>(Channels[k - 4]);
    }) {
        delete frame.data();
        InstanceLockRelease();
        open(before);
        Timer::Advance(200);
        midi->clear();
        return frame.data();
    }
    BankWindow* window(int kind) const {
        const auto k = static_cast<std::size_t>(kind);
        if (kind <= 8) return LiveOn(PcgAEForms()[k], frame.data()) ? PcgAEForms()[k].data() : nullptr;
        return LiveOn(DrumForms()[k], frame.data()) ? DrumForms()[k].data() : nullptr;
    }
    BankWindow* view(int kind) {
        if (!window(kind)) RunMenuCommand(Items[kind - 4]);
        return window(kind);
    }
    static QPoint at(BankWindow* w, int row) { return w->List1->visualItemRect(w->List1->item(row)).center(); }
    static void click(BankWindow* w, int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, mods, at(w, row));
    }
    std::string sent() {
        Timer::Advance(100);
        const std::string s = midi->written();
        midi->clear();
        return s;
    }
    static std::string selection(int c, unsigned lsb, unsigned pc) {
        const unsigned b = 0xB0u + static_cast<unsigned>(c);
        return bytesOf({b, 0, 0, b, 0x20, lsb, b + 0x10, pc});
    }
};

// Each kind from the View menu on its channel, every row in view, numbered
// down four columns, every control inside the window, whole, in order; with
// large fonts and without.
TEST_F(BanksTest, ViewOpensTheKindOnItsChannelAndInView) {
    for (int twips : {12, 15}) {
        OverrideTwipsPerPixel(twips, twips);
        start();
        for (int k = 4; k <= 10; ++k) {
            SCOPED_TRACE(twips * 100 + k);
            const bool kit = k >= 9;
            const int ch = Channels[k - 4], last = kit ? 15 : 63;
            BankWindow* w = view(k);
            ASSERT_NE(w, nullptr);
            const std::string& names = kit ? DrumKitNames : PrgRomNames[static_cast<std::size_t>(k - 4)];
            std::string img = bytesOf({unsigned(k), 1, kit ? 0u : 2u}) + std::string(12, '\0') +
                              bytesOf({unsigned(ch), kit ? 0u : 1u, 0, 0, 0});
            img += kit ? padRight(Titles[k - 4], 24) + names : std::string(Titles[k - 4]) + "    ";
            for (int i = 0; !kit && i < 64; ++i) img += '\0' + RowCode(i) + "  " + names.substr(16 * i, 16);
            EXPECT_EQ(w->Tag(), img);
            EXPECT_EQ(std::tuple(w->List1->ListCount(), w->List1->List(last), w->Caption(), w->Combo1->Text(), PrgWinCount),
                      std::tuple(last + 1, (kit ? "28  " : "88  ") + names.substr(16 * last, 16),
                                 std::string(Titles[k - 4]) + " - MIDI Channel " + std::to_string(ch + 1) + " - Read Only",
                                 (ch < 9 ? "  " : " ") + std::to_string(ch + 1), k - 3));
            for (int j = 4; j <= 10; ++j) EXPECT_EQ(frame->item(Items[j - 4])->isEnabled(), j > k) << j;

            ListBox* l = w->List1;
            EXPECT_TRUE(l->pos() == QPoint(0, kit ? 0 : twipsToPxY(20)) && l->geometry().right() < w->width() &&
                        l->geometry().bottom() < w->CommClose->y() && !l->horizontalScrollBar()->isVisible());
            const int perColumn = kit ? 4 : 16;
            const QSize step = l->gridSize();
            for (int i = 0; i < l->ListCount(); ++i) {
                const QRect r = l->visualItemRect(l->item(i));
                ASSERT_TRUE(l->viewport()->rect().contains(r) &&
                            r.topLeft() == QPoint(i / perColumn * step.width(), i % perColumn * step.height())) << i;
            }
            QWidget* row[] = {w->Combo1, w->Label1, w->CommArrPlay, w->CommSongPlay, w->CommClose};
            for (int i = 0; i < 5; ++i) {
                const QRect g = row[i]->geometry();
                EXPECT_TRUE(w->rect().contains(g) && g.width() >= row[i]->sizeHint().width() &&
                            (i == 0 || row[i - 1]->geometry().right() < g.left())) << i;
            }
        }
    }
}

// Every bank and kit window opens at its kind's standard size, whichever
// opened first, and shows every name whole in its column.
TEST_F(BanksTest, EveryKindOpensAtItsStandardSizeWithNamesWhole) {
    for (int twips : {12, 15}) {
        OverrideTwipsPerPixel(twips, twips);
        for (const std::vector<int>& order : {std::vector{4, 5, 6, 7, 8, 9, 10}, std::vector{10, 8, 7, 6, 5, 4, 9}}) {
            // A first start: no settings kept.
            delete frame.data();
            InstanceLockRelease();
            QFile::remove(QString::fromStdString(sysFile("Velmora.ini")));
            start();
            for (int k : order) {
                SCOPED_TRACE(twips * 100 + k);
                BankWindow* w = view(k);
                ASSERT_NE(w, nullptr);
                int h = 0, wd = 0;
                StandardSize(k, h, wd);
                EXPECT_EQ(std::tuple(twipsToPxY(w->Height()), twipsToPxX(w->Width())), std::tuple(twipsToPxY(h), twipsToPxX(wd)));
                ListBox* l = w->List1;
                const QFontMetrics fm(l->font());
                const int margin = 2 * (l->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l) + 1);
                for (int i = 0; i < l->ListCount(); ++i) {
                    const QRect r = l->visualItemRect(l->item(i));
                    ASSERT_LE(fm.horizontalAdvance(QString::fromLatin1(l->List(i).c_str())) + margin, r.width()) << i;
                    ASSERT_TRUE(l->viewport()->rect().contains(r)) << i;
                }
            }
            // Every program bank as wide as the others, and every kit window.
            for (int k : {5, 6, 7, 8}) EXPECT_EQ(window(k)->Width(), window(4)->Width()) << k;
            EXPECT_EQ(window(10)->Width(), window(9)->Width());
        }
    }
}

TEST_F(BanksTest, PickSendsTheSelection) {
    start();
    // Banks by the table of program numbers; kits by their program changes.
    std::vector<std::tuple<int, int, unsigned, unsigned>> cases = {
        {4, 0, 0, 0x00}, {4, 63, 0, 0x3F}, {5, 0, 0, 0x40}, {5, 63, 0, 0x7F}, {6, 5, 1, 0x05}, {7, 63, 1, 0x7F},
        {8, 10, 2, 0x0A}, {10, 13, 4, 0x38}};
    const unsigned kitPc[] = {0, 1, 8, 16, 24, 25, 26, 32, 40, 48, 64, 65, 66, 56, 72, 73};
    for (int row = 0; row < 16; ++row) cases.emplace_back(9, row, 4, kitPc[row]);
    for (const auto& [kind, row, lsb, pc] : cases) {
        click(view(kind), row);
        EXPECT_EQ(sent(), selection(Channels[kind - 4], lsb, pc)) << kind << " " << row;
    }
    // With the MIDI-messages window open, a bank pick leaves only its program
    // change there and clears the status line; a kit pick leaves the line.
    Monitor mon;
    Registration sink = LinkRegistration<MidiMonSinkT>(&mon);
    MidiMonLogOn = true;
    for (int k : {6, 9}) {
        StatusMsg(2);
        click(window(k), 13);
        EXPECT_EQ(std::tuple(mon.text, frame->Label1->Caption(), QApplication::overrideCursor() != nullptr),
                  std::tuple(MidiMonFormat(k == 6 ? "\xC3\x0D" : "\xC9\x38"), k == 6 ? "" : "Loading Style", k == 9));
    }
    // A track's program field selected in the arrangement editor: assigned
    // first, then sent on the track's channel; monitor and status untouched.
    // With no editor there nothing is assigned, but the pick goes out.
    sent();
    Up1Channel = 0;
    const struct { int kind, field, row; bool linked; std::string bytes; } assigned[] = {
        {5, 14, 5, true, selection(0, 0, 0x45)}, {9, 2, 13, true, selection(9, 4, 0x38)},
        {9, 2, 13, false, selection(9, 4, 0x38)}};
    using Calls = std::vector<std::tuple<int, int, std::size_t>>;
    for (const auto& c : assigned) {
        Editor ed;
        ed.midi = midi;
        Registration r = c.linked ? LinkRegistration<EditorLinkT>(&ed) : Registration();
        mon.text = "earlier";
        EditArrSelPrg = c.field;
        ArrModified = false;
        click(window(c.kind), c.row);
        EditArrSelPrg = 0;
        EXPECT_EQ(std::tuple(ed.calls, sent(), bool(ArrModified), mon.text, frame->Label1->Caption()),
                  std::tuple(c.linked ? Calls{{c.row, c.kind, 0u}} : Calls{}, c.bytes, c.linked, "earlier",
                             "Loading Style")) << c.kind << c.linked;
    }
    StatusMsg(0);
}

// What picks and sends, and the Edit menu, which neither picks nor sends.
TEST_F(BanksTest, MouseKeysAndCopy) {
    start();
    std::vector<QMenu*> popups;
    SetPopupMenuHandler([&](QMenu* menu) { popups.push_back(menu); });
    for (int k : {4, 9}) {
        BankWindow* w = view(k);
        click(w, 1);
        QTest::mousePress(w->List1->viewport(), Qt::RightButton, {}, at(w, 2));
        const std::size_t onPress = popups.size();
        QTest::mouseRelease(w->List1->viewport(), Qt::RightButton, {}, at(w, 2));
        QTest::mouseClick(w, Qt::RightButton, {}, QPoint(w->width() - 2, w->height() - 2));
        click(w, 1);
        QTest::keyClick(w->List1, Qt::Key_Down);
        const int c = Channels[k - 4];
        const unsigned lsb = k == 4 ? 0 : 4;
        EXPECT_EQ(std::tuple(onPress, popups, sent(), w->List1->ListIndex(), w->List1->SelCount()),
                  std::tuple(k == 4 ? 1u : 0u, std::vector(2, frame->mnuModifica->subMenu()),
                             selection(c, lsb, 1) + selection(c, lsb, 1) + selection(c, lsb, k == 4 ? 2 : 8), 2, 1))
            << k;
        popups.clear();
    }
    EXPECT_FALSE(frame->mnuCopia->isEnabled()) << "no copy from a kit window";
    // Rows 2, 3 and 5 selected; a Ctrl-click that takes 3 out still sends it.
    BankWindow* w = window(4);
    w->activate();
    for (int row : {3, 5, 3}) click(w, row, Qt::ControlModifier);
    EXPECT_EQ(sent(), selection(0, 0, 3) + selection(0, 0, 5) + selection(0, 0, 3));
    RunMenuCommand(MenuId::mnuCopia);
    std::string marks;
    for (int i = 0; i < 64; ++i) marks += ::at(ClipBuf, RowPos(ImgPcgRows, i)) ? "x" : ".";
    EXPECT_EQ(std::tuple(ClipKind, marks, ClipBuf.substr(72, 20)),
              std::tuple(4, "..x..x" + std::string(58, '.'), w->List1->List(2)));
}

// Closing by the button, the close box, with the program (normal, minimised)
// and by the frame going: the entry keeps the place and the state to reopen
// with, the item comes back, the count goes down once.
TEST_F(BanksTest, ClosingKeepsPlaceStateAndCount) {
    const struct { int kind, how; uint8_t state; } cases[] = {
        {4, 0, 0}, {9, 0, 0}, {5, 1, 0}, {10, 1, 0}, {8, 2, 1}, {9, 2, 1}, {6, 3, 2}, {10, 3, 2}, {7, 4, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind * 10 + c.how);
        frmMain* m = start();
        QPointer<BankWindow> w = view(c.kind);
        w->Move(300, 195);
        if (c.how == 3) w->setWindowState(vbMinimized);
        if (c.how == 0) w->CommClose->press();
        if (c.how == 1) w->subWindow()->close();
        if (c.how == 2 || c.how == 3) m->QueryClose();
        if (c.how == 4) delete m;
        const WinState& e = WinEntry(c.kind);
        EXPECT_EQ(std::tuple(e.Top, e.Left, int(e.State), PrgWinCount),
                  std::tuple(c.how == 4 ? 0 : 195, c.how == 4 ? 0 : 300, int(c.state), 0));
        EXPECT_TRUE(c.how > 1 || m->item(Items[c.kind - 4])->isEnabled());
        EXPECT_TRUE(!w || c.kind > 8 || ::at(w->Tag(), ImgOpenState) == c.state);
    }
}

// The channel box sends nothing; the next start reopens the windows open at
// exit at their places and on their channels, and one the user opened before
// its turn in the restore is not opened or counted again.
TEST_F(BanksTest, NextStartReopens) {
    start();
    BankWindow* w = view(4);
    w->Move(450, 300, 5985, 3000);
    w->Combo1->setListIndex(15);
    EXPECT_EQ(std::tuple(::at(w->Tag(), ImgChannel), int(WinEntry(4).Chan), w->Caption(), sent()),
              std::tuple(15u, 15, std::string("Prg A - MIDI Channel 16 - Read Only"), std::string()));
    click(w, 2);
    EXPECT_EQ(sent(), selection(15, 0, 2));
    view(10);
    frame->QueryClose();
    EXPECT_EQ(::at(savedIni(), 86), 0xF1u);
    start([] {});
    BankWindow *a = window(4), *p = window(10);
    ASSERT_TRUE(a && p);
    EXPECT_EQ(std::tuple(a->Top(), a->Left(), a->Height(), a->Width(), a->Combo1->Text(), p->Combo1->Text(), PrgWinCount),
              std::tuple(300, 450, 3000, 5985, std::string(" 16"), std::string("  9"), 2));
    delete frame.data();
    InstanceLockRelease();
    open([] { WinEntry(6).State = 1; });
    RunMenuCommand(MenuId::mnuWProgC);
    Timer::Advance(200);
    EXPECT_EQ(std::tuple(frame->Forms().size(), PrgWinCount), std::tuple(3u, 3)) << "A, Percussion and C once";
}

}  // namespace
