// Child windows and the frame: loading, activation, geometry, the ordered close.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <memory>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "testenv.h"

namespace {
using Log = std::vector<std::string>;

class LoggedChild : public ChildForm {
public:
    LoggedChild(MdiFrame* f, const QString& name, Log& log) : ChildForm(f, name), log_(log) {
        setCaption(name.toStdString());
    }
    void Form_Load() override { ++loads, note(" load"); }
    void Form_Activate() override { note(" activate"); }
    void Form_Resize() override {
        if (++resizes, minWidth > 0 && WidthBelow(Width(), minWidth)) setWidth(minWidth);
    }
    void Form_QueryUnload(int& cancel, int mode) override { note(" query " + std::to_string(mode)), cancel = cancelQuery; }
    void Form_Unload(int& cancel) override { note(" unload"), cancel = cancelUnload; }
    int loads = 0, resizes = 0, minWidth = 0, cancelQuery = 0, cancelUnload = 0;

private:
    void note(const std::string& what) { log_.push_back(objectName().toStdString() + what); }
    Log& log_;
};

class LoggedFrame : public MdiFrame {
public:
    explicit LoggedFrame(Log& log) : MdiFrame(nullptr, "frmMain"), log_(log) {}
    void Form_QueryUnload(int& cancel, int mode) override {
        log_.push_back("frame query " + std::to_string(mode)), cancel = cancelQuery;
    }
    void Form_Unload(int&) override { log_.push_back("frame unload"); }
    int cancelQuery = 0;

private:
    Log& log_;
};
}  // namespace

class FormsTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        OverrideTwipsPerPixel(15, 15);
        frame = std::make_unique<LoggedFrame>(log);
        frame->resize(800, 600);
        frame->Show();
    }
    void TearDown() override {
        frame.reset();
        OverrideTwipsPerPixel(0, 0);
        VelmoraTest::TearDown();
    }
    LoggedChild* child(const char* name) { return new LoggedChild(frame.get(), name, log); }

    Log log;
    std::unique_ptr<LoggedFrame> frame;
};

TEST_F(FormsTest, LoadsOnceAndTheActiveChildIsTheCurrentSubWindow) {
    LoggedChild *a = child("frmArrU"), *b = child("frmStyU");
    EXPECT_FALSE(a->Loaded() || frame->ActiveForm());
    a->Move(1500, 750, 6000, 4500);  // before loading: applied after Form_Load
    a->Show();
    EXPECT_EQ(a->subWindow()->geometry(), QRect(100, 50, 400, 300));
    b->Show();
    a->Show();  // shown again: no second load, it comes to the front
    EXPECT_TRUE(a->loads == 1 && frame->ActiveForm() == a);
    // Another window has the focus: the frame's active sub-window is null, the current one is not.
    QEvent deactivate(QEvent::ApplicationDeactivate), activate(QEvent::ApplicationActivate);
    QApplication::sendEvent(qApp, &deactivate);
    EXPECT_TRUE(frame->mdiArea()->activeSubWindow() == nullptr && frame->ActiveForm() == a);
    QApplication::sendEvent(qApp, &activate);  // coming back raises no second Form_Activate
    EXPECT_EQ(log, (Log{"frmArrU load", "frmArrU activate", "frmStyU load", "frmStyU activate",
                        "frmArrU activate"}));

    // The Window menu lists the children afresh each time it opens; choosing one activates it.
    QMenu windowMenu;
    windowMenu.addAction("&Cascade");
    frame->setWindowListMenu(&windowMenu);
    for (int pass = 0; pass < 2; ++pass) emit windowMenu.aboutToShow();
    ASSERT_EQ(windowMenu.actions().size(), 4);  // own item, separator, two children
    EXPECT_EQ(windowMenu.actions()[3]->text(), QString("&2 frmStyU"));
    windowMenu.actions()[3]->trigger();
    EXPECT_EQ(frame->ActiveForm(), b);

    // 5003 twips is no whole number of pixels; the clamp must not call itself for ever.
    a->minWidth = 5003;
    a->resizes = 0;
    a->setWidth(3000);
    EXPECT_TRUE(!WidthBelow(a->Width(), 5003) && a->resizes <= 3);
    for (int state : {vbMaximized, vbMinimized, vbNormal}) {  // every state change raises Resize
        a->resizes = 0;
        a->setWindowState(state);
        EXPECT_TRUE(a->WindowState() == state && a->resizes >= 1) << state;
    }
}

TEST_F(FormsTest, AChildUnloadsOnlyWhenNeitherHandlerCancelsAndTheNextBecomesActive) {
    LoggedChild *keep = child("frmK"), *a = child("frmA");
    keep->setDeleteOnUnload(false);
    keep->Show(), a->Show();
    QPointer<ChildForm> alive(a);
    log.clear();
    a->cancelQuery = 1;
    EXPECT_FALSE(a->Unload());
    a->cancelQuery = 0, a->cancelUnload = 1;
    EXPECT_FALSE(a->Unload());
    a->cancelUnload = 0, a->cancelQuery = 1;
    a->subWindow()->close();  // the close box asks the same questions
    EXPECT_TRUE(a->Loaded() && a->subWindow()->isVisible());
    a->cancelQuery = 0;
    a->subWindow()->close();
    EXPECT_EQ(log, (Log{"frmA query 1", "frmA query 1", "frmA unload", "frmA query 0", "frmA query 0",
                        "frmA unload", "frmK activate"}));
    EXPECT_EQ(frame->ActiveForm(), keep);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());  // unloaded forms go away
    // A form kept on unload loads again when shown.
    EXPECT_TRUE(keep->Unload() && frame->ActiveForm() == nullptr);
    keep->Show();
    EXPECT_EQ(keep->loads, 2);
}

TEST_F(FormsTest, FrameCloseAsksEveryoneBeforeUnloadingAnyone) {
    LoggedChild* b = child("frmB");
    for (LoggedChild* c : {child("frmA"), b, child("frmC")}) c->Show();
    log.clear();

    b->cancelQuery = 1;  // one child refuses: nothing at all is unloaded
    frame->close();
    EXPECT_EQ(log, (Log{"frame query 0", "frmA query 4", "frmB query 4"}));
    EXPECT_TRUE(frame->isVisible() && frame->Forms().size() == 3);

    log.clear();
    frame->cancelQuery = 1;  // the frame refuses: no child is even asked
    EXPECT_FALSE(frame->QueryClose());
    EXPECT_EQ(log, (Log{"frame query 0"}));

    log.clear();
    frame->cancelQuery = b->cancelQuery = 0;
    frame->close();
    EXPECT_EQ(log, (Log{"frame query 0", "frmA query 4", "frmB query 4", "frmC query 4", "frmA unload",
                        "frmB unload", "frmC unload", "frame unload"}));
    EXPECT_FALSE(frame->isVisible() || !frame->Forms().empty());
}

TEST_F(FormsTest, AFrameDestroyedWithoutClosingLeavesNoLiveReferences) {
    QPointer<LoggedChild> open = child("frmA"), closed = child("frmB");
    open->Show(), closed->Show();
    EXPECT_TRUE(closed->Unload() && closed->Discarded());  // its deletion waits for the event loop
    log.clear();
    frame.reset();
    EXPECT_TRUE(open.isNull() && log.empty());  // gone with its frame, without events
    ASSERT_FALSE(closed.isNull());
    EXPECT_EQ(closed->frame(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}
