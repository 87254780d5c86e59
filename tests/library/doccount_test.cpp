// A document window counted by its opener is counted once while open and
// counted out once: at its unload, or when its frame goes without one.
#include "librarytest.h"
#include "library/DocWindow.h"

namespace {

class CountedWindow : public DocWindow {
public:
    CountedWindow(MdiFrame* f, int& counter, bool openerCounted)
        : DocWindow(f, "CountedWindow", 4), counter_(counter), openerCounted_(openerCounted) {}
    void Form_Load() override {
        beginLoad();
        endLoad(counter_, openerCounted_);
    }

protected:
    Layout layoutRead() override { return layout_; }
    void layoutWrite(const Layout& l) override { layout_ = l; }

private:
    int& counter_;
    bool openerCounted_;
    Layout layout_;
};

TEST_F(LibraryTest, OpenerCountIsTakenOverAndGivenBackOnce) {
    for (bool openerCounted : {false, true}) {
        for (bool unload : {true, false}) {
            SCOPED_TRACE(openerCounted * 10 + unload);
            start();
            int count = openerCounted ? 1 : 0;
            auto* w = new CountedWindow(frame, count, openerCounted);
            w->Show();
            w->Show();
            EXPECT_EQ(count, 1);
            if (unload) {
                EXPECT_TRUE(w->Unload());
            }
            delete frame.data();   // the frame goes, with the window if still open
            InstanceLockRelease();
            EXPECT_EQ(count, 0);
        }
    }
}

}  // namespace
