// Files a save writes that the user did not name at that save (an
// arrangement's style file, a program file whose extension follows its
// contents, a name typed with a foreign extension): for every document
// family and every kind of holder, a file another window holds is never
// written, and an existing one the window never read or wrote is replaced
// only when the user agrees. A refusal writes nothing at all.
#include <QDir>
#include <filesystem>
#include <map>

#include "../shell/shelltest.h"
#include "banks/Banks.h"
#include "banks/frmPcgAE.h"
#include "banks/frmPrgUN.h"
#include "banks/state.h"
#include "files/StyGroups.h"
#include "files/state.h"
#include "library/Library.h"
#include "library/frmArrNew.h"
#include "library/frmArrU.h"
#include "library/frmStyUN.h"
#include "library/state.h"

namespace {

// A document window that saves, and the file it writes without that name
// having been given.
enum class Saver { ArrSave, ArrSaveAs, NewArrSaveAs, PrgSaveAs, NewPrgSaveAs, StySaveAs, NewStySaveAs };
// Who has the unnamed file before the save.
enum class Holder { FamilyWindow, NewStyWindow, ArrangementWindow, ExistingNo, ExistingYes };

const char* nameOf(Saver s) {
    static const char* const n[] = {"ArrSave", "ArrSaveAs", "NewArrSaveAs", "PrgSaveAs", "NewPrgSaveAs",
                                    "StySaveAs", "NewStySaveAs"};
    return n[static_cast<int>(s)];
}
const char* nameOf(Holder h) {
    static const char* const n[] = {"FamilyWindow", "NewStyWindow", "ArrangementWindow", "ExistingNo", "ExistingYes"};
    return n[static_cast<int>(h)];
}

bool stySaver(Saver s) { return s != Saver::PrgSaveAs && s != Saver::NewPrgSaveAs; }

// One arrangement of a file, with the style byte and the user-style flag.
std::string arrFile(const std::string& name, bool ownStyle) {
    std::string f = ArrNativeHeader() + std::string(64 * ArrBlkLen, '\0');
    putMid(f, ArrHdrLen + 1, padRight(name, 16));
    put(f, ArrHdrLen + 18, 0);
    put(f, ArrHdrLen + 19, ownStyle ? 1 : 0);
    return f;
}

std::string styFile(const std::string& name) {
    std::string f = StyTemplateImage();
    putMid(f, 225, padRight(name, 16));
    putMid(f, 241, name);
    return f;
}

// A program bank holding one reference to the instrument's programs.
std::string pggFile() {
    std::string f = PrgTemplateImage();
    putMid(f, 1, "KPGG");
    putMid(f, 49, bytesOf({1, 1, 0x46}) + padRight("Ref Program", 16));
    return f;
}

class UnnamedSaveTest : public ShellTest, public ::testing::WithParamInterface<std::tuple<Saver, Holder>> {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        resetLibraryState();
        resetBanksState();
        InstallLibrary();
        InstallBanks();
        writeFileBytes(startFile("i40Prg"), PrgTemplateImage());
        writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
        dir = startDir() + "/songs";
        QDir().mkpath(QString::fromStdString(dir));
        open();
        Timer::Advance(200);
    }
    void TearDown() override {
        resetBanksState();
        ShellTest::TearDown();
        resetLibraryState();
    }
    std::string file(const std::string& name) const { return dir + "/" + name; }
    void choose(const std::string& name, MenuId command, bool readOnly = false) {
        dialogs.chooseFile(file(name), 0, readOnly);
        RunMenuCommand(command);
    }
    static void selectRow(ListBox* l, int row) {
        l->setListIndex(row);
        l->setSelected(row, true);
    }
    // Row 0 of "Other.arr", whose style is one of its file's own, copied.
    void copyOwnStyleRow() {
        writeFileBytes(file("Other.arr"), arrFile("Mine", true));
        writeFileBytes(file("Other.sty"), styFile("Mine style"));
        choose("Other.arr", MenuId::mnuApriArr);
        frmArrU* o = ArrUForms()[static_cast<std::size_t>(ArrSlotCur)];
        ASSERT_NE(o, nullptr);
        o->activate();
        selectRow(FindControl<ListBox>(o, QStringLiteral("List1")), 0);
        RunMenuCommand(MenuId::mnuCopia);
    }
    void pasteInto(ChildForm* w, int row) {
        w->activate();
        selectRow(FindControl<ListBox>(w, QStringLiteral("List1")), row);
        RunMenuCommand(MenuId::mnuIncolla);
    }
    // The file names in the folder with their bytes.
    std::map<std::string, std::string> folder() const {
        std::map<std::string, std::string> m;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            m[e.path().filename().string()] = readFileBytes(e.path().string());
        return m;
    }
    std::string dir;
};

TEST_P(UnnamedSaveTest, NeverWritesAHeldFileNorReplacesOneUnasked) {
    const auto [saver, holder] = GetParam();
    // The unnamed file, and the name the user types (empty: File > Save).
    std::string unnamed = "Copy.sty", typed = "Copy.arr";
    switch (saver) {
    case Saver::ArrSave: unnamed = "Song.sty", typed = ""; break;
    case Saver::PrgSaveAs: case Saver::NewPrgSaveAs: unnamed = "Other.pgg", typed = "Other.prg"; break;
    case Saver::StySaveAs: case Saver::NewStySaveAs: unnamed = "Notes.txt.sty", typed = "Notes.txt"; break;
    default: break;
    }
    // An arrangement file opened with no style file beside it.
    if (saver == Saver::ArrSave) {
        writeFileBytes(file("Song.arr"), arrFile("Song", false));
        choose("Song.arr", MenuId::mnuApriArr);
    }
    const int first = static_cast<int>(frame->Forms().size());
    std::string theirs = stySaver(saver) ? styFile("Theirs") : pggFile();
    if (!stySaver(saver)) putMid(theirs, 221, "Theirs");
    writeFileBytes(file(unnamed), theirs);

    // The holder first, as the user had it.
    int answer = 0;
    switch (holder) {
    case Holder::FamilyWindow:
        choose(unnamed, stySaver(saver) ? MenuId::mnuApriSty : MenuId::mnuApriPrg);
        break;
    case Holder::NewStyWindow:
        RunMenuCommand(MenuId::mnuNuovoSty);
        choose(unnamed, MenuId::mnuSalvaAs);
        break;
    case Holder::ArrangementWindow:
        writeFileBytes(file(PathStem(unnamed) + ".arr"), arrFile("Held", true));
        choose(PathStem(unnamed) + ".arr", MenuId::mnuApriArr);
        break;
    case Holder::ExistingNo: answer = vbNo; break;
    case Holder::ExistingYes: answer = vbYes; break;
    }
    ASSERT_EQ(dialogs.shown.size(), 0u) << boxesShown();
    const int holders = static_cast<int>(frame->Forms().size());
    ASSERT_EQ(holders - first, answer ? 0 : 1);

    // The window that saves, changed.
    ChildForm* w = nullptr;
    switch (saver) {
    case Saver::ArrSave:
        w = ArrUForms()[1];
        ASSERT_NE(w, nullptr);
        copyOwnStyleRow();
        pasteInto(w, 3);
        ASSERT_EQ(std::tuple(at(w->Tag(), ImgStyPart), at(w->Tag(), ImgStyChanged)), std::tuple(ImgStyOwn, 1u));
        break;
    case Saver::ArrSaveAs:
        copyOwnStyleRow();
        w = ArrUForms()[static_cast<std::size_t>(ArrSlotCur)];
        break;
    case Saver::NewArrSaveAs:
        copyOwnStyleRow();
        RunMenuCommand(MenuId::mnuNuovoArr);
        w = frame->ActiveForm();
        ASSERT_NE(w, nullptr);
        pasteInto(w, 0);
        ASSERT_EQ(at(w->Tag(), ImgStyPart), ImgStyOwn);
        break;
    case Saver::PrgSaveAs:
        writeFileBytes(file("Piano.pgg"), pggFile());
        choose("Piano.pgg", MenuId::mnuApriPrg);
        w = PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
        break;
    case Saver::NewPrgSaveAs: {
        RunMenuCommand(MenuId::mnuNuovoPrg);
        w = frame->ActiveForm();
        ASSERT_NE(w, nullptr);
        RunMenuCommand(MenuId::mnuWProgA);
        frmPcgAE* a = PcgAEForms()[4];
        ASSERT_NE(a, nullptr);
        a->activate();
        selectRow(a->List1, 0);
        RunMenuCommand(MenuId::mnuCopia);
        pasteInto(w, 0);
        ASSERT_EQ(at(w->Tag(), ImgPrgType), 1u);
        break;
    }
    case Saver::StySaveAs:
        writeFileBytes(file("Song.sty"), styFile("Song style"));
        choose("Song.sty", MenuId::mnuApriSty);
        w = frame->ActiveForm();
        break;
    case Saver::NewStySaveAs:
        RunMenuCommand(MenuId::mnuNuovoSty);
        w = frame->ActiveForm();
        break;
    }
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(dialogs.shown.size(), 0u) << boxesShown();
    w->activate();
    put(w->Tag(), ImgChanged, 1);
    const std::string image = w->Tag();
    const auto before = folder();

    if (answer) dialogs.answer(answer);
    else dialogs.answer(vbOK);
    if (typed.empty()) RunMenuCommand(MenuId::mnuSalva);
    else choose(typed, MenuId::mnuSalvaAs);

    ASSERT_EQ(dialogs.shown.size(), 1u) << boxesShown();
    EXPECT_EQ(dialogs.shown[0].text, answer ? unnamed + " already exists. Replace it ?" : "File already open");
    if (answer == vbYes) {
        // Written where the user agreed, and the window now names that file.
        EXPECT_FALSE(readFileBytes(file(unnamed)) == theirs);
        EXPECT_EQ(at(w->Tag(), ImgChanged), 0u);
    } else {
        EXPECT_TRUE(folder() == before) << "nothing written, deleted or replaced";
        EXPECT_TRUE(w->Tag() == image) << "the window keeps its changes and its name";
    }
    EXPECT_EQ(static_cast<int>(frame->Forms().size()) >= holders, true);
}

std::vector<std::tuple<Saver, Holder>> cases() {
    std::vector<std::tuple<Saver, Holder>> all;
    for (Saver s : {Saver::ArrSave, Saver::ArrSaveAs, Saver::NewArrSaveAs, Saver::PrgSaveAs, Saver::NewPrgSaveAs,
                    Saver::StySaveAs, Saver::NewStySaveAs})
        for (Holder h : {Holder::FamilyWindow, Holder::NewStyWindow, Holder::ArrangementWindow, Holder::ExistingNo,
                         Holder::ExistingYes}) {
            // Style windows hold style files only; the saving arrangement
            // window is itself the arrangement window of its own style file.
            if (!stySaver(s) && (h == Holder::NewStyWindow || h == Holder::ArrangementWindow)) continue;
            if (s == Saver::ArrSave && h == Holder::ArrangementWindow) continue;
            all.emplace_back(s, h);
        }
    return all;
}

INSTANTIATE_TEST_SUITE_P(Families, UnnamedSaveTest, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<std::tuple<Saver, Holder>>& i) {
                             return std::string(nameOf(std::get<0>(i.param))) + "_" + nameOf(std::get<1>(i.param));
                         });

}  // namespace
