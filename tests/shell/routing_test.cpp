// The Edit menu's commands ask the active child for its jobs, and the mode
// commands talk to the instrument.
#include "shelltest.h"

TEST_F(ShellTest, EditCommandsRunTheActiveWindowsJobs) {
    frmMain* f = open();
    f->show();
    auto* other = ShowTestChild(f, WindowImageNew(19));
    auto* w = ShowTestChild(f, WindowImageNew(19));
    using J = WindowJob;
    const std::pair<MenuItem*, WindowJob> commands[] = {
        {f->mnuLoadArr, J::LoadArr}, {f->mnuLoadSty, J::LoadSty},     {f->mnuShowSty, J::ShowSty},
        {f->mnuLoadPrg, J::LoadPrg}, {f->mnuShowPrg, J::ShowPrg},     {f->mnuEdit, J::Edit},
        {f->mnuCancella, J::Delete}, {f->mnuDBArrApri, J::OpenEntry}, {f->mnuAddAll, J::AddAll},
        {f->mnui40DBArr, J::AddToDatabase},
    };
    for (const auto& [item, job] : commands) {
        w->jobsRun.clear();
        item->setEnabled(true);
        item->trigger();
        EXPECT_EQ(w->jobsRun, std::vector<WindowJob>{job}) << item->objectName().toStdString();
    }
    EXPECT_TRUE(other->jobsRun.empty()) << "only the active window";

    // A window without jobs: nothing happens.
    auto* plain = new ChildForm(f, "Plain");
    plain->Tag() = WindowImageNew(2);
    plain->Show();
    w->jobsRun.clear();
    for (MenuId id : {MenuId::mnuLoadArr, MenuId::mnuLoadSty, MenuId::mnui40DBArr}) RunMenuCommand(id);
    EXPECT_TRUE(w->jobsRun.empty() && other->jobsRun.empty());
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
