#pragma once
// The send of a document's style groups, one group a tick, that the
// arrangement file, new arrangement and style file windows share. One send
// runs at a time, program-wide (StyJobOwner). Its state is the first timer's
// Interval: 10 at rest, 20 while it runs. The first group goes out 20 ms
// after the start, each further one a pause after the one before.
//
// The window's timers call step() when they fire; the window decides what a
// press does while a send runs, and what follows the end (`ended`).
#include <functional>
#include <string>

class ChildForm;
class Timer;

class StyleGroupSend {
public:
    // `first` runs the first group; `next` (the same timer or another)
    // paces the others `pause` ms apart.
    StyleGroupSend(ChildForm* window, Timer* first, Timer* next, int pause);
    ~StyleGroupSend();
    StyleGroupSend(const StyleGroupSend&) = delete;
    StyleGroupSend& operator=(const StyleGroupSend&) = delete;

    bool running() const;
    // Starts a send of `total` groups: the status shows and the first timer
    // runs. False, with nothing started, when there is nothing to send or
    // another window's send is going out.
    bool start(int total);
    // Sends the next group. After the last one, or at a group that cannot
    // go (said in a box, naming the group), the send stops and, while the
    // window is still there, `ended` follows with the sender's result (0 all
    // sent) and the image as it was sent.
    void step();
    // Stops the send where it stands: timers at rest, status cleared, the
    // send freed for other windows.
    void stop();

    std::function<void(int result, const std::string& image)> ended;

private:
    ChildForm* window_;
    Timer* first_;
    Timer* next_;
    int pause_;
    int total_ = 0;
};

// A group whose styles are not all there cannot be sent: said once, naming
// the group (0-3 shown as 1-4).
void StyleGroupRefused(int group, const std::string& title);
