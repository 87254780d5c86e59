#pragma once
#include "shelltest.h"

// A main-window test that starts the program again, ending the earlier
// start's frame first.
class FrameTest : public ShellTest {
protected:
    frmMain* reopen(const std::function<void()>& before = {}) {
        delete frame.data();
        InstanceLockRelease();
        return open(before);
    }
};
