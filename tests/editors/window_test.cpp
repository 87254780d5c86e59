// The program editor window: its fill, its life cycle, its boxes' colours
// and the right button.
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <random>

#include "editorstest.h"

namespace {

class WindowTest : public EditorOpenTest {
protected:
    int value(const char* control, int index) {
        if (auto* s = FindControl<ScrollBarBase>(ed, control, index)) return s->Value();
        return FindControl<ComboBox>(ed, control, index)->ListIndex();
    }
};

TEST_F(WindowTest, FillShowsTheRecordAndChangesNothing) {
    struct Case {
        std::vector<std::pair<long, unsigned>> bytes;
        const char* control;
        int index, shows;
    };
    const Case cases[] = {
        {{{25, 0xFE}}, "BasCombo", 0, 3},      {{{27, 0xF4}}, "BasCombo", 5, 0},
        {{{27, 0x0C}}, "BasCombo", 5, 24},     {{{28, 0xCE}}, "BasHScroll", 0, -50},
        {{{28, 0x32}}, "BasHScroll", 0, 50},   {{{25, 0x02}}, "BasCombo", 0, -1},
        {{{27, 0x0D}}, "BasCombo", 5, -1},     {{{28, 0x64}}, "BasHScroll", 0, 50},
        {{{21, 0x58}, {22, 0x02}}, "BasVScroll", 1, 518},
        {{{20, 0x06}}, "BasCombo", 3, 0},      {{{20, 0x06}}, "BasCombo", 4, 1},
    };
    PrgOscSel = 2;
    OscTextSel = 2;
    PrgModified = true;
    ed->SSTab1->setTab(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + "(" + std::to_string(c.index) + ")");
        for (auto [pos, b] : c.bytes) put(PrgRec, pos, b);
        const std::string before = PrgRec;
        ed->EditPrgFill();
        EXPECT_EQ(value(c.control, c.index), c.shows);
        if (c.control == std::string("BasHScroll")) {
            EXPECT_EQ(FindControl<Label>(ed, "BasLab", c.index)->Caption(), std::to_string(c.shows));
        }
        EXPECT_EQ(PrgRec, before);
        EXPECT_EQ(sent(), "");
        EXPECT_EQ(PrgOscSel, 2);
        EXPECT_EQ(OscTextSel, 2);
        EXPECT_TRUE(PrgModified);
        EXPECT_EQ(ed->SSTab1->Tab(), 3);
    }
    EXPECT_EQ(ed->BasText[1]->Text(), "600");
    PrgRec.replace(0, 16, "Pad             ");
    ed->EditPrgFill();
    EXPECT_EQ(ed->Caption(), "Edit Program  bank1.prg / Pad             ");
    EXPECT_EQ(ed->BasText[0]->Text(), "Pad");
}

TEST_F(WindowTest, FillThenEveryControlThroughItsHandlerLeavesTheProgramAsItWas) {
    std::mt19937 rng(7);
    for (int n = 0; n < 200; ++n) {
        std::string rec = PrgRec;
        for (int k = 0; k < 172; ++k) rec[static_cast<std::size_t>(k)] = static_cast<char>(rng() & 0xFF);
        for (const ParamRow& r : ProgramParams().rows) {
            const int lo = std::min(r.min, r.max), hi = std::max(r.min, r.max);
            ParamStore(rec, r, lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)));
        }
        PrgRec = rec;
        ed->EditPrgFill();
        for (int i = 0; i < 18; ++i) ed->BasHScroll_Change(i);
        for (int i = 0; i < 10; ++i) {
            PrgOscSel = i == 1 ? 2 : 1;
            ed->BasCombo_Click(i);
        }
        ed->BasCheck_Click();
        ed->BasVScroll_Change(1);
        ed->BasVScroll_Change(2);
        ASSERT_EQ(PrgRec, rec) << "program " << n;
    }
}

TEST_F(WindowTest, LoadAndTheSaveQuestion) {
    struct Case {
        bool perfOpen, readOnly;
        int answer;  // 0: no question
        bool closes, stored;
    };
    // A store the read-only window refuses is not taken for a save: the editor stays, as after Cancel.
    const Case cases[] = {{false, false, vbYes, true, true},   {false, false, vbNo, true, false},
                          {false, false, vbCancel, false, false}, {true, false, 0, true, false},
                          {false, true, vbYes, false, false}};
    PrgWindow* ro = fileWindow(4, true);
    int mark = 70;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        PrgModified = false;
        ASSERT_TRUE(ed->Unload());
        EditPerfOpen = c.perfOpen;
        PrgOscSel = 2;
        PrgWindow* src = c.readOnly ? ro : w;
        ProgramEditorLink().prgRecBuild(src, 5);
        PrgModified = true;  // as the performance editor leaves it
        ProgramEditorLink().show();
        ed = frmEditPrg::Open();
        EXPECT_EQ(std::tuple(PrgModified, PrgOscSel, ed->BasOption[0]->Value() && ed->OscOption[0]->Value() &&
                                                         ed->OscOption[2]->Value()),
                  std::tuple(c.perfOpen, 1, true));
        FindControl<HScroll>(ed, "BasHScroll", 1)->setValue(++mark);
        const std::string caption = ed->Caption();
        dialogs.shown.clear();
        if (c.answer) dialogs.answer(c.answer);
        if (c.readOnly) dialogs.answer(vbOK);
        AppClosing = true;
        EXPECT_EQ(ed->Unload(), c.closes);
        EXPECT_EQ(boxesShown(), (c.answer ? "The Program has changed.\nSave changes ?|" + caption : "") +
                                    (c.readOnly ? "\nRead only file|" + caption : ""));
        EXPECT_EQ(at(src->Tag(), 318 + 172 * 5 + 29) == mark, c.stored);
        EXPECT_EQ(std::tuple(SaveCancelled, AppClosing), std::tuple(!c.closes, c.closes));
        if (!c.closes) {
            EXPECT_EQ(at(PrgRec, 29), mark);  // the edits are still there
            dialogs.answer(vbNo);
            EXPECT_TRUE(ed->Unload());
        }
        EXPECT_FALSE(EditPrgOpen);
        AppClosing = EditPerfOpen = false;
        ed = edit(w, 5);
    }
}

TEST_F(WindowTest, BoxColoursAndTheRightButton) {
    auto colours = [&] {
        std::string s;
        for (TextBox* b : ed->BasText) s += std::to_string(b->BackColor()) + "/" + std::to_string(b->ForeColor()) + " ";
        return s;
    };
    const std::string normal = "0/65280 0/65280 0/65280 ";
    EXPECT_EQ(colours(), normal);
    ed->BasText_MouseDown(1);
    EXPECT_EQ(colours(), "0/65280 16776960/0 0/65280 ");
    EXPECT_EQ(OscTextSel, 1);
    ed->BasText_MouseDown(1);
    EXPECT_EQ(colours(), normal);
    EXPECT_EQ(OscTextSel, 0);
    ed->activate();  // back from the multisample picker the box opened, as the click does
    QTest::mouseClick(ed->BasText[0]->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(colours(), "16776960/0 0/65280 0/65280 ");
    // Another window becomes the active one: the name box back to normal.
    w->activate();
    EXPECT_EQ(colours(), normal);

    int popups = 0;
    SetPopupMenuHandler([&](QMenu* m) {
        EXPECT_EQ(m, frame->mnuModifica->subMenu());
        ++popups;
    });
    QTest::mouseClick(ed, Qt::RightButton, {}, QPoint(2, ed->height() - 2));
    EXPECT_EQ(popups, 1);
    for (Frame* f : ed->frames) {
        QTest::mouseClick(f, Qt::RightButton, {}, QPoint(3, f->height() - 3));
    }
    EXPECT_EQ(popups, 1 + static_cast<int>(ed->frames.size()));
}

}  // namespace
