#pragma once
// The first-run language window: "Italiano" or "English", then OK. Closing it
// any other way stops the start-up (StartAbort).
#include <QDialog>

class OptionButton;
class CommandButton;
class Label;

class frmLingua : public QDialog {
public:
    explicit frmLingua(QWidget* parent = nullptr);

    void Form_Load();
    void Option1_Click(int index);
    void CommOK_Click();
    void Form_QueryUnload();

    OptionButton* Option1[2] = {nullptr, nullptr};
    CommandButton* CommOK = nullptr;
    Label* Label1 = nullptr;
    bool LinguaOk = false;

protected:
    void done(int r) override;
};

// Shows frmLingua modally and returns when it is closed (LangSel and
// StartAbort tell the outcome).
void LanguageWindowRun();
