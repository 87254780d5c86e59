#include "library/StyleGroupSend.h"

#include <QPointer>

#include "app/Messages.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Timer.h"

namespace {
constexpr int Idle = 10, FirstStep = 20;
}  // namespace

void StyleGroupRefused(int group, const std::string& title) {
    MsgBox(MsgSubst(Msg(MsgStyGroupNotSent), std::to_string(group + 1)), vbExclamation, title);
}

StyleGroupSend::StyleGroupSend(ChildForm* window, Timer* first, Timer* next, int pause)
    : window_(window), first_(first), next_(next), pause_(pause) {}

StyleGroupSend::~StyleGroupSend() {
    if (StyJobOwner == this) StyJobOwner = nullptr;
}

bool StyleGroupSend::running() const { return first_->Interval() != Idle; }

bool StyleGroupSend::start(int total) {
    if (total == 0 || (StyJobOwner && StyJobOwner != this)) return false;
    StyJobOwner = this;
    StyGrpTotal = total_ = total;
    StyGrpIdx = 0;
    StatusMsg(2);
    first_->setInterval(FirstStep);
    first_->setEnabled(true);
    return true;
}

void StyleGroupSend::step() {
    QPointer<ChildForm> self(window_);
    int r = 0;
    if (StyGrpIdx < total_) {
        r = StyTxDump(StyGrpIdx, window_->Tag());
        if (r == 0) {
            ++StyGrpIdx;
            next_->setInterval(pause_);
            next_->setEnabled(true);
            return;
        }
    }
    const int stoppedAt = StyGrpIdx;
    const std::string image = window_->Tag();
    stop();
    if (r == 1) StyleGroupRefused(stoppedAt, window_->Caption());
    if (!self) return;
    if (ended) ended(r, image);
}

void StyleGroupSend::stop() {
    const bool wasRunning = running();
    first_->setEnabled(false);
    next_->setEnabled(false);
    first_->setInterval(Idle);
    if (StyJobOwner == this) StyJobOwner = nullptr;
    if (wasRunning) StatusMsg(0);
}
