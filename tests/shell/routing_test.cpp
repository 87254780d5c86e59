// The Edit menu's commands reach the active child by the names of its timers
// and buttons, and the mode commands talk to the instrument.
#include "shelltest.h"

namespace {
struct Timers {
    std::vector<Timer*> all;
    Timer* add(ChildForm* c, const char* name, int index = -1) {
        auto* t = new Timer(c, name, index);
        t->setInterval(10);
        all.push_back(t);
        return t;
    }
    std::string on() const {
        std::string s;
        for (Timer* t : all)
            if (t->Enabled())
                s += (s.empty() ? "" : " ") + t->objectName().toStdString() +
                     (t->Index() >= 0 ? "(" + std::to_string(t->Index()) + ")" : "");
        return s;
    }
};
}  // namespace

TEST_F(ShellTest, EditCommandsArmTheActiveWindowsTimers) {
    frmMain* f = open();
    f->show();
    // A window with every timer the commands name.
    auto* w = new TestChild(f, WindowImageNew(19));
    Timers timers;
    for (const char* n : {"TimerLoadArr", "TimerLoadSty", "TimerShowSty", "TimerLoadPrg", "TimerShowPrg", "TimerEdit",
                          "TimerCancella", "TimerApri", "TimerAddAll"})
        timers.add(w, n);
    int adds = 0;
    auto* add = new CommandButton(w, "CommAdd");
    add->Click = [&] { ++adds; };
    w->Show();
    const std::pair<MenuItem*, const char*> commands[] = {
        {f->mnuLoadArr, "TimerLoadArr"}, {f->mnuLoadSty, "TimerLoadSty"},   {f->mnuShowSty, "TimerShowSty"},
        {f->mnuLoadPrg, "TimerLoadPrg"}, {f->mnuShowPrg, "TimerShowPrg"},   {f->mnuEdit, "TimerEdit"},
        {f->mnuCancella, "TimerCancella"}, {f->mnuDBArrApri, "TimerApri"}, {f->mnuAddAll, "TimerAddAll"},
    };
    for (const auto& [item, timer] : commands) {
        for (Timer* t : timers.all) t->setEnabled(false);
        item->setEnabled(true);
        item->trigger();
        EXPECT_EQ(timers.on(), timer);
    }
    f->mnui40DBArr->setEnabled(true);
    f->mnui40DBArr->trigger();
    EXPECT_EQ(adds, 1);

    // A style window sends the group of the selected row.
    auto* s = new TestChild(f, WindowImageNew(24));
    Timers groups;
    for (int g = 0; g <= 3; ++g) groups.add(s, "TimerLoadStyGrp", g);
    auto* list = new ListBox(s, "List1");
    for (int i = 0; i < 19; ++i) list->AddItem("row");
    s->Show();
    for (const auto& [row, expect] : std::vector<std::pair<int, std::string>>{
             {7, "TimerLoadStyGrp(1)"}, {-1, "TimerLoadStyGrp(0)"}, {14, "TimerLoadStyGrp(2)"}, {18, "TimerLoadStyGrp(3)"}}) {
        for (Timer* t : groups.all) t->setEnabled(false);
        list->setListIndex(row);
        RunMenuCommand(MenuId::mnuLoadSty);
        EXPECT_EQ(groups.on(), expect) << row;
    }

    // A window without the timer: nothing happens.
    for (Timer* t : groups.all) t->setEnabled(false);
    auto* bare = new TestChild(f, WindowImageNew(2));
    bare->Show();
    RunMenuCommand(MenuId::mnuLoadArr);
    RunMenuCommand(MenuId::mnuLoadSty);
    RunMenuCommand(MenuId::mnui40DBArr);
    EXPECT_EQ(timers.on() + groups.on(), "TimerAddAll");
}

TEST_F(ShellTest, ModeCommandsSendTheirMessage) {
    frmMain* f = open([] {
        GlobalChannel = 3;
        ModeNow = 1;
    });
    Timer::Advance(1000);
    midi->clear();
    f->mnuArrPlay->trigger();
    f->mnuSongPlay->trigger();
    f->mnuProgram->trigger();
    f->mnuProgram->trigger();  // already in PROGRAM: nothing more
    Timer::Advance(1000);
    EXPECT_EQ(midi->written(), bytesOf({0xF0, 0x42, 0x33, 0x4D, 0x4E, 0x0A, 0xF7, 0xF0, 0x42, 0x33, 0x4D, 0x4E, 0x06, 0xF7,
                                        0xF0, 0x42, 0x33, 0x4D, 0x4E, 0x02, 0xF7}));
    EXPECT_EQ(f->LabelMode->Caption(), "PROGRAM");
    EXPECT_TRUE(f->mnuProgram->Checked() && !f->mnuArrPlay->Checked());
}
