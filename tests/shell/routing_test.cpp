// The Edit menu's commands reach the active child by the names of its timers
// and buttons, and the mode commands talk to the instrument.
#include "shelltest.h"

namespace {
// The names (with their index) of the timers that are on, switching them off.
std::string takeOn(const std::vector<Timer*>& timers) {
    std::string s;
    for (Timer* t : timers)
        if (t->Enabled())
            s += t->objectName().toStdString() + (t->Index() >= 0 ? std::to_string(t->Index()) : "") + " ",
                t->setEnabled(false);
    return s;
}
}  // namespace

TEST_F(ShellTest, EditCommandsArmTheActiveWindowsTimers) {
    frmMain* f = open();
    f->show();
    auto* w = new TestChild(f, WindowImageNew(19));  // with every timer the commands name
    std::vector<Timer*> timers;
    const std::pair<MenuItem*, const char*> commands[] = {
        {f->mnuLoadArr, "TimerLoadArr"}, {f->mnuLoadSty, "TimerLoadSty"},   {f->mnuShowSty, "TimerShowSty"},
        {f->mnuLoadPrg, "TimerLoadPrg"}, {f->mnuShowPrg, "TimerShowPrg"},   {f->mnuEdit, "TimerEdit"},
        {f->mnuCancella, "TimerCancella"}, {f->mnuDBArrApri, "TimerApri"}, {f->mnuAddAll, "TimerAddAll"},
    };
    for (const auto& c : commands) timers.push_back(new Timer(w, c.second)), timers.back()->setInterval(10);
    int adds = 0;
    (new CommandButton(w, "CommAdd"))->Click = [&] { ++adds; };
    w->Show();
    for (const auto& [item, timer] : commands) {
        item->setEnabled(true);
        item->trigger();
        EXPECT_EQ(takeOn(timers), std::string(timer) + " ");
    }
    f->mnui40DBArr->setEnabled(true);
    f->mnui40DBArr->trigger();
    EXPECT_EQ(adds, 1);

    // A style window sends the group of the selected row.
    auto* s = new TestChild(f, WindowImageNew(24));
    std::vector<Timer*> groups;
    for (int g = 0; g <= 3; ++g) groups.push_back(new Timer(s, "TimerLoadStyGrp", g)), groups.back()->setInterval(10);
    auto* list = new ListBox(s, "List1");
    for (int i = 0; i < 19; ++i) list->AddItem("row");
    s->Show();
    const std::pair<int, int> rowGroups[] = {{7, 1}, {-1, 0}, {14, 2}, {18, 3}};
    for (const auto& [row, group] : rowGroups) {
        list->setListIndex(row);
        RunMenuCommand(MenuId::mnuLoadSty);
        EXPECT_EQ(takeOn(groups), "TimerLoadStyGrp" + std::to_string(group) + " ") << row;
    }

    // A window without the timers: nothing happens.
    ShowTestChild(f, WindowImageNew(2));
    for (MenuId id : {MenuId::mnuLoadArr, MenuId::mnuLoadSty, MenuId::mnui40DBArr}) RunMenuCommand(id);
    EXPECT_EQ(takeOn(timers) + takeOn(groups), "");
}

TEST_F(ShellTest, ModeCommandsSendTheirMessage) {
    frmMain* f = open([] { GlobalChannel = 3, ModeNow = 1; });
    Timer::Advance(1000);
    midi->clear();
    for (MenuItem* m : {f->mnuArrPlay, f->mnuSongPlay, f->mnuProgram, f->mnuProgram}) m->trigger();  // twice: once sent
    Timer::Advance(1000);
    const std::string mode = "\xF0\x42\x33\x4D\x4E";
    EXPECT_EQ(midi->written(), mode + "\x0A\xF7" + mode + "\x06\xF7" + mode + "\x02\xF7");
    EXPECT_TRUE(f->LabelMode->Caption() == "PROGRAM" && f->mnuProgram->Checked() && !f->mnuArrPlay->Checked());
}
