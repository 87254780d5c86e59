// Window > Cascade and Edit > Maximize over test windows standing in for
// the document families and the single windows.
#include <QMdiArea>
#include <map>

#include "app/Tables.h"
#include "shelltest.h"

namespace {

// A window that keeps within its kind's standard size, as the document
// windows do, and counts its resizes.
class SizedChild : public TestChild {
public:
    using TestChild::TestChild;
    int resizes = 0;
    void Form_Resize() override {
        ++resizes;
        if (WindowState() != vbNormal) return;
        int h = 0, w = 0;
        StandardSize(WinKind(Tag()), h, w);
        const bool wide = w > 0 && WidthBelow(w, Width()), tall = h > 0 && HeightBelow(h, Height());
        if (wide || tall) Move(Left(), Top(), wide ? w : Width(), tall ? h : Height());
    }
};

class ArrangeTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        for (WinFamily fam : {WinFamily::ArrU, WinFamily::ArrNew, WinFamily::StyUN, WinFamily::StyNew,
                              WinFamily::PrgUN, WinFamily::PrgNew, WinFamily::Gbl, WinFamily::Bsq})
            regs.push_back(RegisterWindowFamily(fam, {nullptr, [this, fam](int slot) -> ChildForm* {
                                                          auto it = docs.find({fam, slot});
                                                          return it == docs.end() ? nullptr : it->second.data();
                                                      }}));
        open();
    }
    void TearDown() override {
        regs.clear();
        ShellTest::TearDown();
    }
    SizedChild* window(int kind, int height = 2000, int width = 3000) {
        auto* w = new SizedChild(frame, WindowImageNew(kind));
        w->Move(1500, 1500, width, height);
        w->Show();
        return w;
    }
    // A document window of a family's slot, its record marked open.
    SizedChild* doc(WinFamily fam, int slot, int kind, SlotRec* record) {
        SizedChild* w = window(kind);
        docs[{fam, slot}] = w;
        if (record) record->State = 1;
        return w;
    }
    SizedChild* single(int kind) {
        WinEntry(kind).State = 1;
        return window(kind);
    }
    std::map<std::pair<WinFamily, int>, QPointer<ChildForm>> docs;
    std::vector<Registration> regs;
};

}  // namespace

TEST_F(ArrangeTest, CascadeWalksTheFamiliesInOrder) {
    // Records that say open with no window behind them: nothing is created.
    ArrSlots[4].State = 1;
    WinEntry(29).State = 1;
    RunMenuCommand(MenuId::mnuWCascade);
    EXPECT_TRUE(frame->Forms().empty());

    // Made in another order than they are placed in.
    SizedChild* k16 = single(16);
    SizedChild* k15 = single(15);
    SizedChild* k2 = single(2);
    SizedChild* sty2 = doc(WinFamily::StyUN, 2, 23, &StySlots[2]);
    SizedChild* sty1 = doc(WinFamily::StyUN, 1, 23, &StySlots[1]);
    SizedChild* new2 = doc(WinFamily::ArrNew, 2, 20, &ArrNewSlots[2]);
    SizedChild* new1 = doc(WinFamily::ArrNew, 1, 20, &ArrNewSlots[1]);
    SizedChild* user = doc(WinFamily::ArrU, 9, 19, &ArrSlots[9]);
    SizedChild* arr2 = doc(WinFamily::ArrU, 2, 19, &ArrSlots[2]);
    SizedChild* arr1 = doc(WinFamily::ArrU, 1, 19, &ArrSlots[1]);
    SizedChild* mini = doc(WinFamily::ArrU, 3, 19, &ArrSlots[3]);
    mini->setWindowState(vbMinimized);
    ArrSlots[3].State = 2;
    const QPoint miniAt = mini->subWindow()->pos();
    arr2->setWindowState(vbMaximized);
    ArrNewSlots[1].Top = ArrNewSlots[1].Left = 777;

    RunMenuCommand(MenuId::mnuWCascade);
    const std::vector<SizedChild*> order = {arr1, arr2, user, new1, new2, sty1, sty2, k2, k15, k16};
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i]->Left(), 300 * static_cast<int>(i)) << i;
        EXPECT_EQ(order[i]->Top(), 330 * static_cast<int>(i)) << i;
        EXPECT_EQ(order[i]->WindowState(), vbNormal) << i;
    }
    EXPECT_EQ(mini->subWindow()->pos(), miniAt);
    EXPECT_EQ(frame->ActiveForm(), k16);
    EXPECT_EQ(frame->mdiArea()->subWindowList(QMdiArea::StackingOrder).back(), k16->subWindow());
    // The records keep where their windows were placed; new arrangements have none.
    EXPECT_EQ(std::make_pair(ArrSlots[9].Left, ArrSlots[9].Top), std::make_pair(600, 660));
    EXPECT_EQ(std::make_pair(StySlots[2].Left, StySlots[2].Top), std::make_pair(1800, 1980));
    EXPECT_EQ(std::make_pair(WinEntry(16).Left, WinEntry(16).Top), std::make_pair(2700, 2970));
    EXPECT_EQ(std::make_pair(ArrNewSlots[1].Left, ArrNewSlots[1].Top), std::make_pair(777, 777));
    EXPECT_EQ(frame->Forms().size(), 11u);
}

TEST_F(ArrangeTest, MaximizeGivesTheStandardSize) {
    struct Case {
        int kind, tpp, state, height, width;  // 0 × 0: the size stays
    } cases[] = {
        {19, 12, vbNormal, 4600, 9040}, {19, 15, vbNormal, 4810, 9040},    {23, 12, vbNormal, 5280, 4200},
        {23, 15, vbNormal, 5560, 4200}, {19, 15, vbMaximized, 4810, 9040}, {19, 15, vbMinimized, 4810, 9040},
        {26, 15, vbNormal, 0, 0},       {33, 15, vbNormal, 0, 0},
    };
    for (const Case& c : cases) {
        OverrideTwipsPerPixel(c.tpp, c.tpp);
        TwipsY = c.tpp;
        FormSizesSet();
        SizedChild* w = window(c.kind, 1800, 2400);
        w->setWindowState(c.state);
        const int h0 = w->Height(), w0 = w->Width();
        w->resizes = 0;
        RunMenuCommand(MenuId::mnuIngrandisci);
        const std::string what = std::to_string(c.kind) + "/" + std::to_string(c.tpp) + "/" + std::to_string(c.state);
        if (c.height == 0) {
            EXPECT_EQ(std::make_pair(w->Height(), w->Width()), std::make_pair(h0, w0)) << what;
        } else {
            EXPECT_EQ(w->WindowState(), vbNormal) << what;
            EXPECT_EQ(twipsToPxY(w->Height()), twipsToPxY(c.height)) << what;
            EXPECT_EQ(twipsToPxX(w->Width()), twipsToPxX(c.width)) << what;
            EXPECT_LE(w->resizes, 2) << what;
        }
        EXPECT_FALSE(frame->mnuIngrandisci->isEnabled()) << what;
    }
}
