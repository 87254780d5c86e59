// Window > Cascade and Edit > Maximize over test windows standing in for
// the document families and the single windows.
#include <QMdiArea>
#include <map>

#include "app/Tables.h"
#include "shelltest.h"

namespace {

// Keeps within its kind's standard size, as the document windows do, and
// counts its resizes.
struct SizedChild : TestChild {
    using TestChild::TestChild;
    int resizes = 0;
    void Form_Resize() override {
        ++resizes;
        int h = 0, w = 0;
        StandardSize(WinKind(Tag()), h, w);
        const bool wide = w > 0 && WidthBelow(w, Width()), tall = h > 0 && HeightBelow(h, Height());
        if (WindowState() == vbNormal && (wide || tall)) Move(Left(), Top(), wide ? w : Width(), tall ? h : Height());
    }
};

class ArrangeTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        for (WinFamily fam : {WinFamily::ArrU, WinFamily::ArrNew, WinFamily::StyUN})
            regs.push_back(
                RegisterWindowFamily(fam, {nullptr, [this, fam](int slot) { return docs[{fam, slot}].data(); }}));
        open();
    }
    void TearDown() override { regs.clear(), ShellTest::TearDown(); }
    SizedChild* window(int kind, int height = 1800, int width = 2400) {
        auto* w = new SizedChild(frame, WindowImageNew(kind));
        w->Move(1500, 1500, width, height);
        w->Show();
        return w;
    }
    // A window of a family's slot, or a single window, its record marked open.
    SizedChild* doc(WinFamily fam, int slot, int kind, SlotRec& record) {
        record.State = 1;
        return static_cast<SizedChild*>((docs[{fam, slot}] = window(kind)).data());
    }
    SizedChild* single(int kind) { return WinEntry(kind).State = 1, window(kind); }
    std::map<std::pair<WinFamily, int>, QPointer<ChildForm>> docs;
    std::vector<Registration> regs;
};

}  // namespace

TEST_F(ArrangeTest, CascadeWalksTheFamiliesInOrder) {
    ArrSlots[4].State = 1;  // records that say open with no window behind them
    WinEntry(29).State = 1;
    RunMenuCommand(MenuId::mnuWCascade);
    EXPECT_TRUE(frame->Forms().empty());

    // Made in another order than they are placed in.
    SizedChild *k16 = single(16), *k15 = single(15), *k2 = single(2);
    SizedChild *sty2 = doc(WinFamily::StyUN, 2, 23, StySlots[2]), *sty1 = doc(WinFamily::StyUN, 1, 23, StySlots[1]);
    SizedChild *new2 = doc(WinFamily::ArrNew, 2, 20, ArrNewSlots[2]),
               *new1 = doc(WinFamily::ArrNew, 1, 20, ArrNewSlots[1]);
    SizedChild *user = doc(WinFamily::ArrU, 9, 19, ArrSlots[9]), *arr2 = doc(WinFamily::ArrU, 2, 19, ArrSlots[2]);
    SizedChild *arr1 = doc(WinFamily::ArrU, 1, 19, ArrSlots[1]), *mini = doc(WinFamily::ArrU, 3, 19, ArrSlots[3]);
    mini->setWindowState(vbMinimized), ArrSlots[3].State = 2;
    const QPoint miniAt = mini->subWindow()->pos();
    arr2->setWindowState(vbMaximized);
    ArrNewSlots[1].Top = 777;

    RunMenuCommand(MenuId::mnuWCascade);
    const std::vector<SizedChild*> order = {arr1, arr2, user, new1, new2, sty1, sty2, k2, k15, k16};
    for (int i = 0; i < 10; ++i) {
        const SizedChild* w = order[static_cast<std::size_t>(i)];
        EXPECT_TRUE(w->Left() == 300 * i && w->Top() == 330 * i && w->WindowState() == vbNormal) << i;
    }
    EXPECT_EQ(mini->subWindow()->pos(), miniAt);
    EXPECT_EQ(frame->mdiArea()->subWindowList(QMdiArea::StackingOrder).back(), k16->subWindow());
    // The records keep the place of their windows; new arrangements have none.
    EXPECT_TRUE(ArrSlots[9].Left == 600 && ArrSlots[9].Top == 660 && StySlots[2].Top == 1980);
    EXPECT_TRUE(WinEntry(16).Left == 2700 && WinEntry(16).Top == 2970 && ArrNewSlots[1].Top == 777);
}

TEST_F(ArrangeTest, MaximizeGivesTheStandardSize) {
    struct Case {
        int kind, tpp, state, height, width;  // 0: the size stays
    } cases[] = {
        {19, 12, vbNormal, 4600, 9040}, {19, 15, vbNormal, 4810, 9040},    {23, 12, vbNormal, 5280, 4200},
        {23, 15, vbNormal, 5560, 4200}, {19, 15, vbMaximized, 4810, 9040}, {19, 15, vbMinimized, 4810, 9040},
        {26, 15, vbNormal, 0, 0},       {33, 15, vbNormal, 0, 0},
    };
    for (const Case& c : cases) {
        OverrideTwipsPerPixel(c.tpp, c.tpp), TwipsY = c.tpp, FormSizesSet();
        SizedChild* w = window(c.kind);
        w->setWindowState(c.state);
        const int h = c.height ? c.height : w->Height(), wd = c.height ? c.width : w->Width();
        w->resizes = 0;
        RunMenuCommand(MenuId::mnuIngrandisci);
        EXPECT_EQ(std::tuple(w->WindowState(), w->resizes <= 2, twipsToPxY(w->Height()), twipsToPxX(w->Width()),
                             frame->mnuIngrandisci->isEnabled()),
                  std::tuple(vbNormal, true, twipsToPxY(h), twipsToPxX(wd), false))
            << c.kind << "/" << c.tpp << "/" << c.state;
    }
}
