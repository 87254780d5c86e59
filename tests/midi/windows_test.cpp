// The keyboard and MIDI-messages windows, driven as a user drives them.
#include <QTest>
#include <map>
#include <vector>

#include "app/Messages.h"
#include "midi/Keyboard.h"
#include "midi/frmMsgEx.h"
#include "midi/frmTastiera.h"
#include "midi_fixture.h"

class MidiWindowTest : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        frame = std::make_unique<MdiFrame>();
        frame->resize(1200, 900);
        frame->Show();
    }
    void TearDown() override {
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MidiTest::TearDown();
    }
    std::unique_ptr<MdiFrame> frame;
};

TEST_F(MidiWindowTest, KeyboardPlaysSplitsAndSilencesOnClose) {
    FakeMainWindow win;
    std::vector<int> refreshes;  // KeyboardLoaded at each menu refresh
    win.onMenuAgg = [&] { refreshes.push_back(KeyboardLoaded); };
    KbdSettings = KbdSettingsEncode({4, 90, 7, 0, 48});
    frmTastiera* f = ToolForm::Instance<frmTastiera>(frame.get());
    f->Show();
    EXPECT_TRUE(KeyboardLoaded == 1 && !win.menus.at(MenuId::mnuTastiera));
    EXPECT_EQ(std::tuple(f->VScroll1->Value(), f->Combo1->ListIndex(), sent(100)), std::tuple(48, 4, ""))
        << "opening the keyboard sends nothing";

    for (int note : {60, 61}) {
        QPoint p = f->Keys->keyCentre(note);
        ASSERT_EQ(f->Keys->noteAt(p), note);
        QTest::mouseClick(f->Keys, Qt::LeftButton, {}, p);
    }
    EXPECT_EQ(hexOf(sent()), "94 3C 5A 84 3C 00 94 3D 5A 84 3D 00");

    // The split slider sends the arrangement's split point and is kept.
    midi->clear();
    f->VScroll1->setValue(72);
    EXPECT_EQ(std::tuple(hexOf(sent()), f->Label4->Caption(), KbdSettingsDecode(KbdSettings).split),
              std::tuple("F0 42 30 4D 41 02 48 00 F7", "Split C5", 72));

    // A key held while the window closes is silenced.
    midi->clear();
    QTest::mousePress(f->Keys, Qt::LeftButton, {}, f->Keys->keyCentre(36));
    refreshes.clear();
    EXPECT_TRUE(f->Unload(vbFormControlMenu));
    // The menus are refreshed while the keyboard is being closed, not after.
    EXPECT_EQ(std::tuple(hexOf(sent()), KeyboardLoaded, win.menus.at(MenuId::mnuTastiera), refreshes),
              std::tuple("94 24 5A B4 7B 00", 0, true, std::vector<int>{1}));
}

TEST(KbdSettings, DamagedBytesReadAsTheDefaultsAndLimitsRoundTrip) {
    for (const std::string& bad : {bytesOf({16, 0, 120, 200, 20}), bytesOf({255, 128, 255, 128, 97}), std::string()})
        EXPECT_EQ(KbdSettingsEncode(KbdSettingsDecode(bad)), KbdSettingsEncode(KbdChoice{}));
    const KbdChoice top{15, 127, 119, 127, 96};
    EXPECT_EQ(KbdSettingsEncode(KbdSettingsDecode(KbdSettingsEncode(top))), KbdSettingsEncode(top));
}

TEST_F(MidiWindowTest, MonitorWindowShowsWhatIsLoggedAndKeepsTheNewest) {
    FakeMainWindow win;
    frmMsgEx* f = ToolForm::Instance<frmMsgEx>(frame.get());
    f->Show();
    EXPECT_EQ(std::pair(win.menus.at(MenuId::mnuMsgEx), f->Label1->Caption()), std::pair(false, MidiDev::OutName(0)));
    MidiMonLogOn = true;
    ModeTx06();
    EXPECT_EQ(f->Text1->Text(), "F0 42 30 4D 4E 06 F7 \n\n");

    // Long dumps: the oldest whole messages make room for the newest.
    std::vector<std::string> logged;
    for (int i = 0; i < 12; ++i) {
        logged.push_back(MidiMonFormat(std::string(30000, static_cast<char>(i))));
        MidiMonLog(std::string(30000, static_cast<char>(i)));
    }
    const std::string text = f->Text1->Text();
    EXPECT_LE(text.size(), static_cast<size_t>(frmMsgEx::KeepChars));
    std::string newest;
    for (auto it = logged.rbegin(); newest.size() + it->size() <= text.size(); ++it) newest = *it + newest;
    EXPECT_TRUE(text == newest) << "the text is the newest messages, whole";

    win.menuAggs = 0;
    EXPECT_TRUE(f->Unload(vbFormControlMenu) && win.menus.at(MenuId::mnuMsgEx) && win.menuAggs == 1);
    MidiMonLogOn = true;
    MidiMonLog(bytesOf({1}));  // the window is gone: nothing to write to
    EXPECT_FALSE(IsLinked<MidiMonSinkT>());

    // With MIDI off it says so; left minimised at exit, it comes back minimised.
    MidiOn = 0;
    f = ToolForm::Instance<frmMsgEx>(frame.get());
    f->Show();
    EXPECT_EQ(f->Label1->Caption(), Msg(33));
    f->setWindowState(vbMinimized);
    AppClosing = true;
    EXPECT_TRUE(f->Unload(vbFormMDIForm));
    EXPECT_EQ(WinEntry(frmMsgEx::Kind).State, 2);
}

TEST_F(MidiWindowTest, AFrameGoneWithoutClosingLeavesNoRegistrationBehind) {
    FakeMainWindow win;
    auto* kbd = ToolForm::Instance<frmTastiera>(frame.get());
    kbd->Show();
    QTest::mousePress(kbd->Keys, Qt::LeftButton, {}, kbd->Keys->keyCentre(60));  // a note held
    // Closed by the user: its deletion is pending, and it is never handed out again.
    auto* closed = ToolForm::Instance<frmMsgEx>(frame.get());
    closed->Show();
    EXPECT_TRUE(closed->Unload(vbFormControlMenu));
    auto* mon = ToolForm::Instance<frmMsgEx>(frame.get());
    EXPECT_NE(mon, closed);
    mon->Show();
    MidiMonLogOn = true;
    EXPECT_EQ(ChildWinCount, 2);
    sent();
    midi->clear();

    frame.reset();  // no ordered close
    EXPECT_FALSE(IsLinked<MidiMonSinkT>() || MidiMonLogOn);
    MidiMonLog(bytesOf({1}));
    EXPECT_FALSE(KeyboardLoaded || ChildWinCount);
    EXPECT_TRUE(win.menus.at(MenuId::mnuTastiera) && win.menus.at(MenuId::mnuMsgEx));
    EXPECT_EQ(hexOf(sent()), "B0 7B 00") << "the held note is silenced";

    // A new frame gets windows of its own that load and show.
    frame = std::make_unique<MdiFrame>();
    frame->Show();
    ChildForm* again[] = {ToolForm::Instance<frmTastiera>(frame.get()), ToolForm::Instance<frmMsgEx>(frame.get())};
    for (ChildForm* f : again) {
        EXPECT_EQ(f->frame(), frame.get());
        f->Show();
        EXPECT_TRUE(f->Loaded() && f->subWindow()->isVisible());
    }
    EXPECT_EQ(ChildWinCount, 2);
}
