// Keeping or refusing an edit, through the real arrangement and program
// windows with their editors: after Save As, on a read-only window, and in
// File > Exit with windows opened in either order.
#include <QTest>

#include "app/Messages.h"
#include "arrtest.h"
#include "banks/frmPrgUN.h"
#include "editors/frmEditPerf.h"
#include "editors/frmEditPrg.h"
#include "files/FileFormats.h"

namespace {

class KeepTest : public ArrEditTest {
protected:
    frmEditArr* ed = nullptr;
    frmArrU* w = nullptr;
    // Show.arr row 5 in the editor, LOWER VOL 77 (record byte 90).
    void editVol(bool readOnly = false) {
        w = openShow(arrFileWith({{5, "Five"}, {6, "Six"}}), readOnly);
        ed = edit(w, 5);
        ed->VScroll1[13]->setValue(77);
        ASSERT_TRUE(ArrModified);
        dialogs.shown.clear();
    }
    void saveAs(const std::string& name) {
        w->activate();
        dialogs.chooseFile(song(name + ".arr"));
        RunMenuCommand(MenuId::mnuSalvaAs);
    }
    static constexpr long VolAt = 303 + 164 * 5 + 89;  // row 5's byte 90 in the window image
    int asked(const std::string& text) const {
        int n = 0;
        for (const auto& b : dialogs.shown) n += b.text.find(text) != std::string::npos;
        return n;
    }
};

TEST_F(KeepTest, AnEditIsStoredOrStaysInTheEditorWithTheReasonSaid) {
    {
        SCOPED_TRACE("after Save As, a click elsewhere with Yes stores into the renamed window");
        editVol();
        saveAs("Renamed");
        dialogs.answer(vbYes);
        pick(w, 6);
        EXPECT_EQ(std::tuple(at(w->Tag(), VolAt), ArrModified, at(ArrRec, ArrRecIndex), dialogs.shown.size()),
                  std::tuple(77u, false, 6u, 1u));
    }
    {
        SCOPED_TRACE("after Save As, the editor's close with Yes stores and closes");
        editVol();
        saveAs("Renamed");
        dialogs.answer(vbYes);
        EXPECT_TRUE(ed->Unload());
        EXPECT_EQ(std::tuple(at(w->Tag(), VolAt), EditArrOpen, dialogs.shown.size()), std::tuple(77u, false, 1u));
    }
    {
        SCOPED_TRACE("after Save As, File > Exit with Yes stores and saves the renamed file");
        editVol();
        saveAs("Renamed");
        dialogs.answer(vbYes);  // the editor
        dialogs.answer(vbYes);  // the window, changed by the store
        EXPECT_TRUE(frame->Unload());
        EXPECT_EQ(at(readFileBytes(song("Renamed.arr")), ArrHdrLen + ArrBlkLen * 5 + 90), 77u);
    }
    {
        SCOPED_TRACE("a read-only window says so and the editor keeps the edited arrangement");
        editVol(true);
        const std::string before = w->Tag();
        dialogs.answer(vbYes);
        dialogs.answer(vbOK);
        pick(w, 6);
        EXPECT_EQ(asked("Read only file"), 1);
        EXPECT_EQ(std::tuple(w->Tag() == before, ArrModified, at(ArrRec, ArrRecIndex), at(ArrRec, 90),
                             ed->VScroll1[13]->Value()),
                  std::tuple(true, true, 5u, 77u, 77));
    }
    {
        SCOPED_TRACE("File > Exit asks the editor once when its arrangement came from a window opened after it");
        editVol();
        writeSong("Late", arrFileWith({{2, "Two"}}));
        frmArrU* late = openArr("Late");
        ASSERT_NE(late, nullptr);
        dialogs.answer(vbNo);  // "Keep changes ?"
        pick(late, 2);
        ASSERT_EQ(at(ArrRec, ArrRecSlot), static_cast<unsigned>(late->slot()));
        ed->VScroll1[13]->setValue(60);
        dialogs.shown.clear();
        dialogs.answer(vbNo);
        EXPECT_TRUE(frame->Unload());
        EXPECT_EQ(asked(AskSaveChangesText(2)), 1);
    }
    {
        SCOPED_TRACE("a cancelled File > Exit leaves both program editors");
        start();
        std::string f = PrgTemplateImage();
        putMid(f, 49, padRight("Prog 00", 16));
        writeFileBytes(song("bank1.prg"), f);
        dialogs.chooseFile(song("bank1.prg"));
        RunMenuCommand(MenuId::mnuApriPrg);
        frmPrgUN* p = PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
        ASSERT_NE(p, nullptr);
        p->List1->setListIndex(0);
        Timer::Advance(1000);
        p->CommEdit_Click();
        MainWindowLink().enableMenu(MenuId::mnuEditPerf, true);
        RunNamed(NamedWindow::frmEditPerf);
        frmEditPerf* perf = frmEditPerf::Open();
        ASSERT_TRUE(perf && frmEditPrg::Open());
        perf->PerfVScroll[0]->setValue(3);
        ASSERT_TRUE(PrgModified);
        dialogs.shown.clear();
        dialogs.answer(vbCancel);
        EXPECT_FALSE(frame->Unload());
        EXPECT_EQ(std::tuple(frmEditPrg::Open() != nullptr, frmEditPerf::Open() != nullptr, p->Loaded(),
                             dialogs.shown.size()),
                  std::tuple(true, true, true, 1u));
        dialogs.answer(vbNo);
        EXPECT_TRUE(frame->Unload());
    }
}

}  // namespace
