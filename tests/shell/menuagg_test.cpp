// The menu-state refresh over test windows that carry the named lists and
// offer the given jobs.
#include <QCoreApplication>
#include <map>

#include "app/Tables.h"
#include "files/state.h"
#include "shell/MenuAgg.h"
#include "shelltest.h"

namespace {

using J = WindowJob;

struct Case {
    const char* what;
    int kind;
    std::vector<std::string> rows = {}, rows2 = {};  // List1, List2 (none when empty)
    int sel = -1, sel2 = -1, clip = 0;  // the rows selected; kind of the clipboard's image, 0 empty
    std::map<WindowJob, bool> jobs = {};  // the jobs the window offers (its buttons enabled) or not
    bool readOnly = false, readOnlyPref = false, perfOpen = false;
    int saveAs = 0, focus = 0, offPx = 0;  // ImgSaveAs, PrgSelAutoFocus, pixels over the standard width
    const char* expect;
};

// The items the refresh sets, those enabled, named without "mnu".
std::string enabledItems(frmMain* f) {
    using M = MenuId;
    std::string out;
    for (M id : {M::mnuIngrandisci, M::mnuPrint, M::mnuTaglia, M::mnuIncolla, M::mnuCopia, M::mnuSalva, M::mnuSalvaAs,
                 M::mnuLoadArr, M::mnuLoadSty, M::mnuShowSty, M::mnuLoadPrg, M::mnuShowPrg, M::mnuEdit, M::mnuEditPerf,
                 M::mnui40DBArr, M::mnuCancella, M::mnuDBArrApri, M::mnuAddAll, M::mnuWindow, M::mnuChiudi})
        if (f->item(id)->isEnabled()) out += (out.empty() ? "" : " ") + std::string(MenuName(id) + 3);
    return out;
}

void list(ChildForm* c, const char* name, const std::vector<std::string>& rows, int sel) {
    if (rows.empty()) return;
    auto* l = new ListBox(c, name);
    l->setMultiSelect(2);
    for (const auto& r : rows) l->AddItem(r);
    if (sel >= 0) l->setListIndex(sel), l->setSelected(sel, true);
}

}  // namespace

TEST_F(ShellTest, MenuStateFollowsTheActiveWindow) {
    const std::vector<std::string> arrRows = {"11  Ballad", "12", "13  Swing"};
    const std::vector<std::string> styRows = {"11  Pop", "12  - empty -", "13", "14  Rock", " ", "21  Jazz"};
    // With a child, Window and Chiudi are on as well.
    const Case cases[] = {
        {.what = "lone arrangement editor", .kind = 13, .expect = ""},
        {.what = "unlisted kind", .kind = 40, .expect = ""},
        {.what = "enlarge: one pixel off", .kind = 13, .offPx = 1, .expect = "Ingrandisci"},
        {.what = "arrangement bank", .kind = 2, .expect = "Print Copia SalvaAs"},
        {.what = "program bank, row selected", .kind = 5, .rows = {"11 Piano"}, .sel = 0, .expect = "Print Copia"},
        {.what = "program bank, none selected", .kind = 5, .rows = {"11 Piano"}, .expect = "Print"},
        {.what = "database buttons mirrored", .kind = 12,
         .jobs = {{J::Delete, true}, {J::OpenEntry, false}, {J::AddAll, true}, {J::Cut, true}},
         .expect = "Taglia Cancella AddAll"},
        {.what = "arrangement file, filled row, buttons mirrored", .kind = 19, .rows = arrRows, .sel = 0,
         .jobs = {{J::LoadArr, false}, {J::LoadSty, true}, {J::ShowSty, true}, {J::LoadPrg, true},
                  {J::ShowPrg, false}, {J::Edit, true}, {J::AddToDatabase, true}},
         .expect = "Print Taglia Copia Salva SalvaAs LoadSty ShowSty LoadPrg Edit i40DBArr"},
        {.what = "new arrangement file mirrors two buttons only", .kind = 20,
         .jobs = {{J::LoadArr, true}, {J::LoadSty, true}, {J::Edit, true}},
         .expect = "Print Salva SalvaAs LoadArr LoadSty"},
        {.what = "empty row, bank clipboard", .kind = 19, .rows = arrRows, .sel = 1, .clip = 3,
         .expect = "Print Incolla Salva SalvaAs"},
        {.what = "empty row, program clipboard", .kind = 19, .rows = arrRows, .sel = 1, .clip = 21,
         .expect = "Print Salva SalvaAs"},
        {.what = "empty row, clipboard empty", .kind = 20, .rows = arrRows, .sel = 1, .expect = "Print Salva SalvaAs"},
        {.what = "row not selected", .kind = 19, .rows = arrRows, .clip = 19, .expect = "Print Salva SalvaAs"},
        {.what = "read-only window", .kind = 19, .rows = arrRows, .sel = 0, .readOnly = true,
         .expect = "Print Copia Salva SalvaAs"},
        {.what = "read-only preference blocks paste", .kind = 19, .rows = arrRows, .sel = 1, .clip = 2,
         .readOnlyPref = true, .expect = "Print Salva SalvaAs"},
        {.what = "made by an import: Save As only", .kind = 19, .saveAs = 1, .expect = "Print SalvaAs"},
        {.what = "program file, paste from a bank", .kind = 21, .rows = {"11", "12 Organ"}, .sel = 0, .clip = 6,
         .jobs = {{J::LoadPrg, true}, {J::Edit, false}},
         .expect = "Print Incolla Salva SalvaAs LoadPrg EditPerf"},
        {.what = "performance editor open", .kind = 22, .perfOpen = true, .expect = "Print Salva SalvaAs"},
        {.what = "kind 31 never pastes", .kind = 31, .rows = {"11"}, .sel = 0, .clip = 21, .expect = "Salva SalvaAs"},
        {.what = "style file, filled row, group buttons", .kind = 23, .rows = styRows, .sel = 0,
         .jobs = {{J::LoadSty, true}},
         .expect = "Taglia Copia Salva SalvaAs LoadSty"},
        {.what = "style file, '- empty -' row takes a style", .kind = 24, .rows = styRows, .sel = 1, .clip = 23,
         .expect = "Incolla Salva SalvaAs"},
        {.what = "style file, separator", .kind = 23, .rows = styRows, .sel = 4, .clip = 23, .expect = "Salva SalvaAs"},
        {.what = "style file, arrangement clipboard", .kind = 23, .rows = styRows, .sel = 2, .clip = 19,
         .expect = "Salva SalvaAs"},
        {.what = "global window", .kind = 14, .rows = {"11 x"}, .sel = 0, .expect = "Salva SalvaAs"},
        {.what = "global file read-only", .kind = 25, .readOnly = true, .expect = "SalvaAs"},
        {.what = "auto selection, arrangements, empty row", .kind = 34, .rows = {"11  A", ""}, .sel = 1, .clip = 19,
         .readOnly = true, .focus = 1, .expect = "Incolla"},
        {.what = "auto selection, arrangements, filled row", .kind = 34, .rows = {"11  A"}, .sel = 0, .clip = 19,
         .focus = 3, .expect = "Taglia"},
        {.what = "auto selection, programs, empty row", .kind = 34, .rows = {"11  A"}, .rows2 = {""}, .sel2 = 0,
         .clip = 21, .focus = 2, .expect = "Incolla"},
        {.what = "auto selection, programs, filled row", .kind = 34, .rows = {""}, .rows2 = {"Piano"}, .sel2 = 0,
         .clip = 21, .focus = 4, .expect = "Taglia Incolla"},
    };
    const Registration perf = RegisterNamed(NamedWindow::frmEditPerf, [](int) {});  // the editor is in the program
    frmMain* f = open();
    f->show();
    EXPECT_EQ(enabledItems(f), "") << "no window";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string img = WindowImageNew(c.kind);
        if (img.size() < ImgHeaderLen) img = std::string(ImgHeaderLen, '\0');
        ImgSet(img, ImgKind, static_cast<unsigned>(c.kind));
        ImgSet(img, ImgRdOnly, c.readOnly);
        ImgSet(img, ImgSaveAs, static_cast<unsigned>(c.saveAs));
        auto* w = new TestChild(f, img);
        list(w, "List1", c.rows, c.sel);
        list(w, "List2", c.rows2, c.sel2);
        w->offers = [&c](WindowJob j) { return c.jobs.count(j) && c.jobs.at(j); };
        ClipBuf = c.clip ? std::string(1, static_cast<char>(c.clip)) + "image" : "";
        f->mnuRdOnly->setChecked(c.readOnlyPref);
        PrgSelAutoFocus = c.focus;
        EditPerfOpen = c.perfOpen;
        int h = 0, wd = 0;
        StandardSize(c.kind, h, wd);
        w->Show();
        w->Move(0, 0, wd + c.offPx * 15, h);
        MenuAgg();
        EXPECT_EQ(enabledItems(f), c.expect + std::string(*c.expect ? " " : "") + "Window Chiudi");
        w->Unload();
    }
    // The frame follows its children by itself, also when the last one goes;
    // while the program closes, the menus stay as they are.
    const std::string kind2 = "Ingrandisci Print Copia SalvaAs Window Chiudi";
    for (bool closing : {false, true}) {
        auto* w = new TestChild(f, WindowImageNew(2));
        w->Show();
        QCoreApplication::processEvents();
        EXPECT_EQ(enabledItems(f), kind2);
        AppClosing = closing;
        w->Unload();
        QCoreApplication::processEvents();
        EXPECT_EQ(enabledItems(f), closing ? kind2 : "");
    }
    AppClosing = false;
    MenuAgg();
    EXPECT_EQ(enabledItems(f), "");
}
