#include "banks/frmPrgSelAuto.h"

#include <algorithm>

#include <QKeyEvent>

#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "banks/state.h"
#include "files/Clipboard.h"
#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "shell/EditCommands.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"
#include "shell/state.h"

namespace {
// Layout (twips).
constexpr int Margin = 60, LabelTop = 60, Gap = 60;

std::string fileName() { return PathName(PrgSelAutoFile); }
}  // namespace

PrgSelAutoRead PrgSelAutoFromBytes(const std::string& bytes) {
    PrgSelAutoRead r;
    r.whole = bytes.empty() || static_cast<long>(bytes.size()) == PrgSelAutoFileLen;
    // A short file reads as padded with blanks: an entry cut short keeps
    // what it holds.
    std::string table = bytes.substr(0, static_cast<std::size_t>(PrgSelAutoFileLen));
    table.resize(static_cast<std::size_t>(PrgSelAutoFileLen), ' ');
    for (int k = 0; k < PrgSelAutoPairs; ++k) {
        const long at = PrgSelAutoEntryLen * k + 1;
        PrgSelAutoPair& p = r.table[static_cast<std::size_t>(k)];
        p.arrName = mid(table, at, PrgSelAutoNameLen);
        p.prgText = mid(table, at + PrgSelAutoNameLen, PrgSelAutoTextLen);
    }
    return r;
}

std::string PrgSelAutoBytes(const PrgSelAutoTable& table) {
    std::string out;
    out.reserve(static_cast<std::size_t>(PrgSelAutoFileLen));
    for (const PrgSelAutoPair& p : table) {
        out += padRight(p.arrName.substr(0, PrgSelAutoNameLen), PrgSelAutoNameLen);
        out += padRight(p.prgText.substr(0, PrgSelAutoTextLen), PrgSelAutoTextLen);
    }
    return out;
}

frmPrgSelAuto::frmPrgSelAuto(MdiFrame* frame)
    : ToolForm(frame, QStringLiteral("frmPrgSelAuto"), Kind, MenuId::mnuPrgSelAuto) {
    const char* captions[] = {"ARRANGEMENT", "PROGRAM"};
    for (int i = 0; i < 2; ++i) {
        Label1[static_cast<std::size_t>(i)] = new Label(this, QStringLiteral("Label1"), i);
        Label1[static_cast<std::size_t>(i)]->setCaption(captions[i]);
    }
    List1 = new ListBox(this, QStringLiteral("List1"));
    List2 = new ListBox(this, QStringLiteral("List2"));
    for (ListBox* l : {List1, List2}) {
        l->setMultiSelect(0);
        l->installEventFilter(this);
        l->MouseDown = [this](int button, int, int, int) {
            if (button != vbRightButton) return;
            if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
        };
    }
    List1->Click = [this] { List1_Click(); };
    List2->Click = [this] { List2_Click(); };
}

void frmPrgSelAuto::Form_Load() {
    busy_ = true;
    ToolLoaded();
    std::string tag(ImgFixedLen, '\0');
    put(tag, ImgKind, Kind);
    setTag(tag);
    setCaption(Msg(141));
    if (!PrgSelAutoUnsaved) {
        std::string bytes;
        FileFit fit = FileFit::Fits;
        const FileError e = ReadFileHead(PrgSelAutoFile, PrgSelAutoFileLen, bytes, fit);
        const bool readable = (e == FileError::None && fit != FileFit::NotAFile) || e == FileError::NotFound;
        if (!readable) bytes.clear();
        const PrgSelAutoRead r = PrgSelAutoFromBytes(bytes);
        PrgSelAutoTab = r.table;
        // Whatever else is there is shown as far as it goes; the close
        // leaves the file as it is unless the user changes the table.
        asRead_.clear();
        if (!readable || !r.whole || fit == FileFit::TooLong) {
            asRead_ = PrgSelAutoBytes(PrgSelAutoTab);
            MsgTitle = Msg(141);
            ErrMsg(ErrReading, MsgTitle, fileName());
        }
    }
    for (const PrgSelAutoPair& p : PrgSelAutoTab) {
        List1->AddItem(p.arrName);
        List2->AddItem(p.prgText);
    }
    layoutControls();
    List1->setListIndex(0);
    List2->setListIndex(0);
    PrgSelAutoOn = true;
    PrgSelAutoFocus = 1;
    busy_ = false;
}

void frmPrgSelAuto::layoutControls() {
    const int w = ScaleWidth(), h = ScaleHeight();
    if (w <= 0 || h <= 0) return;
    const int labelH = pxToTwipsY(Label1[0]->sizeHint().height());
    const int listTop = LabelTop + labelH + Gap / 2;
    const int inner = std::max(0, w - 2 * Margin - Gap);
    // The names are 16 characters, the program rows 20.
    const int w1 = inner * static_cast<int>(PrgSelAutoNameLen) / static_cast<int>(PrgSelAutoEntryLen);
    const int listH = std::max(0, h - listTop - Margin);
    Label1[0]->Move(Margin, LabelTop, w1, labelH);
    Label1[1]->Move(Margin + w1 + Gap, LabelTop, inner - w1, labelH);
    List1->Move(Margin, listTop, w1, listH);
    List2->Move(Margin + w1 + Gap, listTop, inner - w1, listH);
}

void frmPrgSelAuto::Form_Activate() { MenuAgg(); }

void frmPrgSelAuto::Form_Resize() {
    layoutControls();
    if (busy_) return;
    const int state = WindowState();
    if (state == vbNormal) {
        int sh = 0, sw = 0;
        StandardSize(Kind, sh, sw);
        const bool wide = sw > 0 && WidthBelow(sw, Width());
        const bool tall = sh > 0 && HeightBelow(sh, Height());
        if (wide || tall) return Move(Left(), Top(), wide ? sw : Width(), tall ? sh : Height());
        WinEntry(Kind).State = 1;
        ToolResized();
    } else if (state == vbMinimized) {
        WinEntry(Kind).State = 2;
    }
    layoutControls();
    MenuAgg();
}

// ---- the two lists ---------------------------------------------------------------

void frmPrgSelAuto::List1_Click() {
    // The echo of a click in the other list changes nothing.
    if (busy_) return;
    PrgSelAutoFocus = 1;
    MenuAgg();
    busy_ = true;
    List2->setListIndex(List1->ListIndex());
    busy_ = false;
}

void frmPrgSelAuto::List2_Click() {
    if (busy_) return;
    PrgSelAutoFocus = 2;
    MenuAgg();
    busy_ = true;
    List1->setListIndex(List2->ListIndex());
    busy_ = false;
}

void frmPrgSelAuto::List1_KeyDown(int KeyCode) {
    PrgSelAutoFocus = 1;
    if (KeyCode == 46) mnuTaglia_Click();
}

void frmPrgSelAuto::List2_KeyDown(int KeyCode) {
    PrgSelAutoFocus = 2;
    if (KeyCode == 46) mnuTaglia_Click();
}

bool frmPrgSelAuto::eventFilter(QObject* o, QEvent* e) {
    if ((o == List1 || o == List2) && e->type() == QEvent::KeyPress) {
        const bool del = static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete;
        if (o == List1)
            List1_KeyDown(del ? 46 : 0);
        else
            List2_KeyDown(del ? 46 : 0);
        if (del) return true;
    }
    return ToolForm::eventFilter(o, e);
}

// ---- paste and cut -------------------------------------------------------------------

void frmPrgSelAuto::showRow(int i) {
    const PrgSelAutoPair& p = PrgSelAutoTab[static_cast<std::size_t>(i)];
    List1->setList(i, rtrim(p.arrName).empty() ? std::string() : p.arrName);
    List2->setList(i, rtrim(p.prgText).empty() ? std::string() : p.prgText);
}

void frmPrgSelAuto::ClipPastePrgSelAuto() {
    const PrgSelAutoPaste r = ::ClipPastePrgSelAuto();
    const int i = r.list == 1 ? List1->ListIndex() : r.list == 2 ? List2->ListIndex() : -1;
    if (i < 0 || i >= PrgSelAutoPairs) return;
    PrgSelAutoPair& p = PrgSelAutoTab[static_cast<std::size_t>(i)];
    if (r.list == 1)
        p.arrName = padRight(r.text.substr(0, PrgSelAutoNameLen), PrgSelAutoNameLen);
    else
        p.prgText = padRight(r.text.substr(0, PrgSelAutoTextLen), PrgSelAutoTextLen);
    showRow(i);
    MenuAgg();
}

void frmPrgSelAuto::CutPrgSelAuto() {
    const int focus = PrgSelAutoFocus;
    const int i = (focus == 1 || focus == 3) ? List1->ListIndex() : List2->ListIndex();
    if (i < 0 || i >= PrgSelAutoPairs) return;
    PrgSelAutoPair& p = PrgSelAutoTab[static_cast<std::size_t>(i)];
    ::CutPrgSelAuto(focus, p.arrName, p.prgText);
    showRow(i);
    MenuAgg();
}

void frmPrgSelAuto::RunJob(WindowJob job) {
    if (job == WindowJob::Paste) ClipPastePrgSelAuto();
    if (job == WindowJob::Cut) CutPrgSelAuto();
}

// ---- closing -------------------------------------------------------------------------

void frmPrgSelAuto::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {
    // Written at every close, the program's own included, except a file
    // that could not be read whole while the table is still as read from it;
    // a failure is told, the close goes on and the table is kept for the
    // next one.
    const std::string bytes = PrgSelAutoBytes(PrgSelAutoTab);
    if (!asRead_.empty() && bytes == asRead_) {
        PrgSelAutoUnsaved = false;
        return;
    }
    const FileError e = WriteWholeFile(PrgSelAutoFile, bytes);
    PrgSelAutoUnsaved = e != FileError::None;
    if (PrgSelAutoUnsaved) {
        MsgTitle = Msg(141);
        FileErrMsg(e, PrgSelAutoFile);
    }
}

void frmPrgSelAuto::Form_Unload(int& /*Cancel*/) {
    PrgSelAutoOn = false;
    ToolUnloaded();
    MenuAgg();
}
