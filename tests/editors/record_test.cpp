// The current program: built from a program window, stored back only into
// that very window.
#include "app/Messages.h"
#include "editorstest.h"

namespace {

class RecordTest : public EditorsTest {};

TEST_F(RecordTest, BuildTakesTheProgramAndWhereItCameFrom) {
    PrgWindow* w = fileWindow(3);
    const std::string& img = w->Tag();
    for (int index : {0, 63}) {
        PrgRecBuild(w, index);
        EXPECT_EQ(PrgRec.size(), 417u);
        EXPECT_EQ(PrgRec.substr(0, 172), img.substr(index == 0 ? 318 : 11154, 172));
        EXPECT_EQ(PrgRec.substr(172, 5), bytesOf({21, unsigned(index), 3, ' ', 0}));
        EXPECT_EQ(PrgRec.substr(177), "bank1" + std::string(233, ' ') + "  ");
    }
    const std::string before = PrgRec;
    PrgRecBuild(w, 64);
    PrgWindow cut(frame.data(), img.substr(0, 11154 + 100));
    PrgRecBuild(&cut, 63);
    EXPECT_EQ(PrgRec, before);
}

TEST_F(RecordTest, StoreGoesOnlyIntoTheWindowTheProgramCameFrom) {
    PrgWindow* w = fileWindow(3);
    const std::string start = w->Tag();
    PrgRecBuild(w, 7);
    PrgRec.replace(0, 3, "Pad");
    PrgModified = true;
    EXPECT_EQ(PrgRecStore(), 0);
    std::string want = start;
    putMid(want, 319 + 172 * 7, PrgRec.substr(0, 172));
    put(want, 7, 1);
    EXPECT_EQ(w->Tag(), want);
    EXPECT_FALSE(PrgModified);
    EXPECT_EQ(w->showings, 1);

    // Read only: said once, titled with the editor's caption; nothing changes.
    PrgWindow* ro = fileWindow(4, true);
    frmEditPrg* ed = edit(ro, 2);
    const std::string roStart = ro->Tag();
    PrgModified = true;
    dialogs.answer(vbOK);
    EXPECT_EQ(PrgRecStore(), 1);
    EXPECT_EQ(boxesShown(), "Read only file|" + ed->Caption());
    EXPECT_EQ(ro->Tag(), roStart);
    EXPECT_TRUE(PrgModified);
    dialogs.answer(vbNo);
    EXPECT_TRUE(ed->Unload());

    // A program of an untitled window whose slot 1 a file window now holds,
    // and a record never built: refused, every image as it was.
    PrgWindow* untitled = fileWindow(1, false, 22);
    PrgRecBuild(untitled, 0);
    delete untitled;
    PrgWindow* file1 = fileWindow(1);
    const std::string file1Start = file1->Tag();
    const std::string record = PrgRec;
    for (bool neverBuilt : {false, true}) {
        if (neverBuilt) resetBanksState(), resetEditorsState();
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        EXPECT_EQ(PrgRecStore(), 1);
        EXPECT_EQ(boxesShown(), "The program cannot be stored: its program file window has been closed.|" +
                                    std::string(ProgramTitle));
        EXPECT_EQ(file1->Tag(), file1Start);
        EXPECT_EQ(PrgRec, neverBuilt ? std::string(417, ' ') : record);
    }
}

}  // namespace
