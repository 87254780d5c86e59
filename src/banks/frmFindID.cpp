#include "banks/frmFindID.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/DBArr.h"
#include "banks/DBArrFormat.h"
#include "banks/DBArrState.h"
#include "files/Readers.h"
#include "files/WindowImage.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

FindIDTarget FindIDDecode(const std::string& s) {
    FindIDTarget t;
    if (s.size() < 3 || s.size() > 9) return t;
    for (char c : s)
        if (c < '0' || c > '9') return t;
    const int b = s[s.size() - 2] - '0', m = s.back() - '0';
    if (b < 1 || b > 8 || m < 1 || m > 8) return t;
    t.ok = true;
    t.file = std::stoi(s) / 100;
    t.pos = (b - 1) * 8 + (m - 1);
    return t;
}

void FindIDShow() {
    if (frmMain* m = MainForm()) ToolForm::Instance<frmFindID>(m)->Show();
}

frmFindID::frmFindID(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmFindID"), Kind, MenuId::mnuWFindID) {
    Text1 = new TextBox(this, QStringLiteral("Text1"));
    Text1->setMaxLength(5);
    Text1->Move(552, 144, 924, 348);
    if (Text1->lineEdit()) Text1->lineEdit()->installEventFilter(this);
    Label1 = new Label(this, QStringLiteral("Label1"));
    Label1->setCaption("ID");
    Label1->Move(552 - 300, 144 + 70, 280, 300);
    CommOK = new CommandButton(this, QStringLiteral("CommOK"));
    CommOK->setCaption("&OK");
    CommOK->Move(1680, 144, 1308, 360);
    CommOK->Click = [this] { CommOK_Click(); };
    Timer0 = new Timer(this, QStringLiteral("Timer"));
    Timer0->setInterval(10);
    Timer0->setEnabled(false);
    Timer0->onTimer = [this] { Timer_Timer(); };
}

void frmFindID::Form_Load() {
    const WinState& e = WinEntry(Kind);
    Move(e.Left, e.Top, DesignWidth, DesignHeight);
    setTag(WindowImageNew(Kind));
    setCaption(Msg(92));
    Text1->setText("");
    ToolLoaded(false);
}

// The window keeps its designed inside; only minimising changes it.
void frmFindID::keepDesignSize() {
    if (sizing_ || WindowState() != vbNormal || ScaleWidth() <= 0) return;
    if (twipsToPxX(ScaleWidth()) == twipsToPxX(DesignWidth) && twipsToPxY(ScaleHeight()) == twipsToPxY(DesignHeight))
        return;
    sizing_ = true;
    Move(Left(), Top(), DesignWidth + Width() - ScaleWidth(), DesignHeight + Height() - ScaleHeight());
    sizing_ = false;
}

void frmFindID::Form_Activate() {
    FindIDFocus();
    MenuAgg();
}

void frmFindID::FindIDFocus() {
    setFocus();
    Text1->setFocus();
    if (Text1->lineEdit()) Text1->lineEdit()->setFocus();
    Text1->setSelStart(0);
    Text1->setSelLength(5);
}

void frmFindID::Form_Resize() {
    keepDesignSize();
    if (WindowState() == vbNormal) WinEntry(Kind).State = 1;
    else if (WindowState() == vbMinimized) WinEntry(Kind).State = 2;
}

void frmFindID::Form_Unload(int& /*Cancel*/) {
    Timer0->setEnabled(false);
    ToolUnloaded();
    MenuAgg();
}

bool frmFindID::eventFilter(QObject* o, QEvent* e) {
    if (Text1->lineEdit() && o == Text1->lineEdit() && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Text1_KeyDown(13, 0);
            return true;
        }
    }
    return ToolForm::eventFilter(o, e);
}

void frmFindID::Text1_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode == 13) CommOK_Click();
}

void frmFindID::CommOK_Click() {
    StatusMsg(6, "ID =" + trim(Text1->Text()));
    Timer0->setEnabled(true);
    CaricaPrgPending = false;
}

void frmFindID::Timer_Timer() {
    Timer0->setEnabled(false);
    FindIDApri();
}

void frmFindID::FindIDApri() {
    // A search that fails leaves nothing for a later window to select.
    FindIDPending = false;
    const std::string s = trim(Text1->Text());
    Text1->setText(s);
    const std::string title = Caption();
    const FindIDTarget t = FindIDDecode(s);
    if (!t.ok) {
        ErrMsg(ErrNameError, title, "ID");
        return StatusMsg(0);
    }
    FindIDFile = t.file;
    FindIDPos = t.pos;
    if (t.file == 1 || t.file == 2) {
        ArrDBID = t.file;
        const int kind = t.file + 1;
        FindIDPending = true;
        if (!ArrWindowLink().selectArrAB(kind, t.pos)) RunMenuCommand(kind == 2 ? MenuId::mnuArrA : MenuId::mnuArrB);
        FindIDPending = false;
        return StatusMsg(0);
    }
    std::string img;
    FileError e;
    switch (DBArrReadFile(img, e)) {
    case DBArrRead::Ok: break;
    case DBArrRead::Missing: ErrMsg(ErrDBArrNotFound, title); return StatusMsg(0);
    case DBArrRead::Foreign: ErrMsg(ErrDBArrData, title); return StatusMsg(0);
    case DBArrRead::Failed:
        MsgTitle = title;
        FileErrMsg(e, "i40DBArr");
        return StatusMsg(0);
    }
    if (DBArrSound(img)) DBArrTook(img);
    const int slot = DBArrFindID(img, t.file);
    if (slot == 0) {
        ErrMsg(ErrFileNotFoundName, title, "ID = " + s);
        return StatusMsg(0);
    }
    ArrDBID = t.file;
    DBArrOpenFile(DBArrFolderOf(img), DBArrSlotName(img, slot), title, true, true);
    StatusMsg(0);
}
