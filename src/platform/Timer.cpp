#include "platform/Timer.h"

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

struct TimerRegistry {
    std::vector<Timer*> all;
    bool manual = false;
    long long clock = 0;   // manual clock, ms
};

namespace {
TimerRegistry& reg() {
    static TimerRegistry r;
    return r;
}
}  // namespace

Timer::Timer(QObject* parent, const QString& name, int index) : QObject(parent), index_(index) {
    if (!name.isEmpty()) setObjectName(name);
    qt_ = new QTimer(this);
    qt_->setTimerType(Qt::PreciseTimer);
    connect(qt_, &QTimer::timeout, this, [this] { fire(); });
    reg().all.push_back(this);
}

Timer::~Timer() {
    auto& v = reg().all;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    rearm();
}

void Timer::setInterval(int ms) {
    interval_ = ms < 0 ? 0 : ms;
    rearm();
}

// Enabling, or changing the interval, starts the countdown anew.
void Timer::rearm() {
    bool run = enabled_ && interval_ > 0;
    if (reg().manual) {
        qt_->stop();
        dueAt_ = reg().clock + interval_;
        return;
    }
    if (run) qt_->start(interval_);
    else qt_->stop();
}

void Timer::fire() {
    if (!enabled_ || interval_ <= 0) return;
    // A copy: the handler may unload the window that owns this timer.
    if (auto handler = onTimer) handler();
}

void Timer::SetManualClock(bool on) {
    TimerRegistry& r = reg();
    if (r.manual == on) return;
    r.manual = on;
    for (Timer* t : r.all) t->rearm();
}

bool Timer::ManualClock() { return reg().manual; }

void Timer::Advance(long long ms) {
    TimerRegistry& r = reg();
    if (!r.manual) return;
    const long long target = r.clock + (ms > 0 ? ms : 0);
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : r.all) {
            if (!t->enabled_ || t->interval_ <= 0 || t->dueAt_ > target) continue;
            if (!next || t->dueAt_ < next->dueAt_) next = t;
        }
        if (!next) break;
        r.clock = std::max(r.clock, next->dueAt_);
        next->dueAt_ = r.clock + next->interval_;
        next->fire();
    }
    r.clock = target;
}

void Timer::RunDue() {
    TimerRegistry& r = reg();
    if (!r.manual) return;
    std::vector<Timer*> due;
    for (Timer* t : r.all)
        if (t->enabled_ && t->interval_ > 0 && t->dueAt_ <= r.clock) due.push_back(t);
    for (Timer* t : due) {
        // A handler may have deleted or disarmed a later one.
        auto& v = r.all;
        if (std::find(v.begin(), v.end(), t) == v.end()) continue;
        if (!t->enabled_ || t->interval_ <= 0) continue;
        t->dueAt_ = r.clock + t->interval_;
        t->fire();
    }
}

long long Timer::Now() {
    if (reg().manual) return reg().clock;
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
