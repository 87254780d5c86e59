#include "shell/Routing.h"

#include <utility>

#include "app/WindowJobs.h"
#include "midi/MIDI.h"
#include "shell/frmMain.h"

namespace {

// The job of the active child; nothing when there is no child or it has no
// such job.
void runJob(WindowJob job) {
    frmMain* f = MainForm();
    if (JobWindow* w = JobWindowOf(f ? f->ActiveForm() : nullptr)) w->RunJob(job);
}

}  // namespace

void InstallRouting() {
    const std::pair<MenuId, WindowJob> jobs[] = {
        {MenuId::mnuLoadArr, WindowJob::LoadArr},     {MenuId::mnuLoadSty, WindowJob::LoadSty},
        {MenuId::mnuShowSty, WindowJob::ShowSty},     {MenuId::mnuLoadPrg, WindowJob::LoadPrg},
        {MenuId::mnuShowPrg, WindowJob::ShowPrg},     {MenuId::mnuEdit, WindowJob::Edit},
        {MenuId::mnuCancella, WindowJob::Delete},     {MenuId::mnuDBArrApri, WindowJob::OpenEntry},
        {MenuId::mnuAddAll, WindowJob::AddAll},       {MenuId::mnui40DBArr, WindowJob::AddToDatabase},
    };
    for (const auto& [id, job] : jobs) RegisterMenuCommand(id, [job] { runJob(job); });
    RegisterMenuCommand(MenuId::mnuArrPlay, ModeTx0A);
    RegisterMenuCommand(MenuId::mnuSongPlay, ModeTx06);
    RegisterMenuCommand(MenuId::mnuProgram, ModeTx02);
}
