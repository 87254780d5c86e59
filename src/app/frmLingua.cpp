#include "app/frmLingua.h"

#include <QVBoxLayout>

#include "app/Messages.h"
#include "app/state.h"
#include "platform/Controls.h"
#include "platform/Text.h"

frmLingua::frmLingua(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLingua");
    auto* lay = new QVBoxLayout(this);
    Label1 = new Label(this, "Label1");
    Label1->setText(toQt("Scegliere una lingua / Choose a language"));
    lay->addWidget(Label1);
    for (int i = 0; i < 2; ++i) {
        Option1[i] = new OptionButton(this, "Option1", i);
        Option1[i]->setText(toQt(i == 0 ? "Italiano" : "English"));
        Option1[i]->Click = [this, i] { Option1_Click(i); };
        lay->addWidget(Option1[i]);
    }
    CommOK = new CommandButton(this, "CommOK");
    CommOK->setText(toQt("&OK"));
    CommOK->Click = [this] { CommOK_Click(); };
    lay->addWidget(CommOK);
    Form_Load();
}

void frmLingua::Form_Load() {
    LinguaOk = false;
    StartAbort = false;
    setWindowTitle(toQt(ProgramTitle));
}

void frmLingua::Option1_Click(int index) { LangSel = index == 0 ? 1 : 2; }

void frmLingua::CommOK_Click() {
    if (LangSel == 0) return;
    LinguaOk = true;
    accept();
}

void frmLingua::Form_QueryUnload() {
    if (!LinguaOk) StartAbort = true;
}

void frmLingua::done(int r) {
    Form_QueryUnload();
    QDialog::done(r);
}

void LanguageWindowRun() {
    frmLingua w;
    w.exec();
}
