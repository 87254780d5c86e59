#pragma once
// A timer with the old control's behaviour: it fires only while Enabled with
// an Interval above 0, repeats until disabled, and keeps its Interval readable
// (many jobs keep their state in it). Single-threaded, on the GUI thread.
//
// Tests switch to a manual clock (SetManualClock) and move time by hand with
// Advance, so no test sleeps.
#include <QObject>
#include <QString>
#include <functional>

class QTimer;

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, const QString& name = QString(), int index = -1);
    ~Timer() override;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    int Interval() const { return interval_; }
    void setInterval(int ms);
    int Index() const { return index_; }

    // The handler (the "_Timer" event).
    std::function<void()> onTimer;

    // Manual clock for tests.
    static void SetManualClock(bool on);
    static bool ManualClock();
    // Moves the manual clock forward, firing every due timer in time order.
    static void Advance(long long ms);
    // Fires, once each, the timers that are due now or earlier.
    static void RunDue();
    // Milliseconds: the manual clock, or a monotonic clock.
    static long long Now();

private:
    void rearm();
    void fire();
    bool enabled_ = false;
    int interval_ = 0;
    int index_ = -1;
    long long dueAt_ = 0;
    QTimer* qt_ = nullptr;
    friend struct TimerRegistry;
};
