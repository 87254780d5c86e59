// The open procedure every document family shares: an open refused from the
// menu or from a recent entry changes nothing, and a family holds eight
// windows at most.
#include "library/frmBsq.h"
#include "library/frmStyUN.h"
#include "librarytest.h"

namespace {

class FamiliesTest : public LibraryTest {};

TEST_F(FamiliesTest, RefusedOpensChangeNothingAndEightWindowsAtMost) {
    const struct { std::string ext; MenuId open; uint8_t recentKind; int& count; std::string good; } families[] = {
        {"arr", MenuId::mnuApriArr, 1, ArrWinCount, arrFileOf({{0, "A"}})},
        {"sty", MenuId::mnuApriSty, 2, StyWinCount, styFileOf({"A"})},
        {"bsq", MenuId::mnuApriBSQ, 6, BsqWinCount, BsqMagicBytes() + std::string(2400 - BsqMagicBytes().size(), '\0')},
    };
    // The open marks of every slot record, which the next start reopens.
    const auto marks = [] {
        std::string all;
        for (const SlotRec& r : ArrSlots) all += std::to_string(r.State);
        for (const SlotRec& r : StySlots) all += std::to_string(r.State);
        for (const SlotRec& r : BsqSlots) all += std::to_string(r.State);
        return all;
    };
    frmMain* m = start();
    for (const auto& f : families) {
        SCOPED_TRACE(f.ext);
        const auto file = [&](const std::string& name) { return song(name + "." + f.ext); };
        const auto open = [&](const std::string& name) {
            dialogs.chooseFile(file(name));
            RunMenuCommand(f.open);
            return m->ActiveForm();
        };
        for (int i = 1; i <= 9; ++i) writeFileBytes(file("S" + std::to_string(i)), f.good);
        writeFileBytes(file("Empty"), "");
        writeFileBytes(file("Bad"), std::string(300, 'x'));
        ChildForm* first = open("S1");
        ASSERT_TRUE(first && f.count == 1);
        const std::string image = first->Tag();
        MruTable = {};
        const struct { std::string name; bool minimise, recent; std::string text; } cases[] = {
            {"S1", false, false, "File already open"},
            {"S1", true, false, "File already open"},
            {"Empty", false, false, "File not found"},
            {"Empty", false, true, "File " + song("Empty") + "." + f.ext + " not found"},   // gone since
            {"Bad", false, false, "Error reading Bad." + f.ext},
            {"Bad", false, true, "Error reading Bad." + f.ext},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name + (c.minimise ? " minimised" : "") + (c.recent ? " recent" : ""));
            if (c.minimise) first->setWindowState(vbMinimized);
            const std::string marked = marks();
            dialogs.shown.clear();
            dialogs.answer(vbOK);
            MruTable[8] = MruRec{song(c.name), 0, 0, 0, 0, f.recentKind, 0};
            if (c.recent) m->mnuRecentFile[8]->Click();
            else open(c.name);
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(std::tuple(dialogs.shown[0].text, dialogs.shown[0].title, MruTable[8].Path),
                      std::tuple(c.text, "Opening " + c.name + "." + f.ext, song(c.name)));
            EXPECT_TRUE(m->Forms().size() == 1 && first->Tag() == image && MruEmpty(MruTable[1].Kind) && f.count == 1);
            EXPECT_EQ(marks(), marked);
        }
        EXPECT_FALSE(FileExists(file("Empty"))) << "an empty file is deleted";

        // The refusals held no slot. The eighth window turns Open off; closing
        // one turns it on, and the next file takes the freed slot.
        std::vector<ChildForm*> windows{first};
        for (int i = 2; i <= 8; ++i) {
            EXPECT_TRUE(m->item(f.open)->isEnabled()) << i;
            windows.push_back(open("S" + std::to_string(i)));
            EXPECT_EQ(at(windows.back()->Tag(), ImgSlot), static_cast<unsigned>(i));
        }
        EXPECT_EQ(std::tuple(f.count, m->item(f.open)->isEnabled()), std::tuple(8, false));
        ASSERT_TRUE(windows[3]->Unload());
        EXPECT_EQ(std::tuple(f.count, m->item(f.open)->isEnabled()), std::tuple(7, true));
        EXPECT_EQ(std::tuple(at(open("S9")->Tag(), ImgSlot), f.count), std::tuple(4u, 8));
        for (ChildForm* w : m->Forms()) ASSERT_TRUE(w->Unload());
    }
}

}  // namespace
