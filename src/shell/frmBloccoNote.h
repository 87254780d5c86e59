#pragma once
// The notebook: one page of the user's own text, kept in the notebook file
// (one record of 32000 bytes, see SmallFiles.h) and in NoteBuf while the
// program runs. Saved whenever the window closes. Single instance, window
// kind 33.
#include <QString>

#include "app/ToolForm.h"
#include "platform/Controls.h"

class frmBloccoNote : public ToolForm {
    Q_OBJECT
public:
    static constexpr int Kind = 33;
    // Design size (twips).
    static constexpr int DesignWidth = 8000, DesignHeight = 5000;

    explicit frmBloccoNote(MdiFrame* frame);

    TextBox* Text1;

    // Fills NoteBuf from the notebook file before the window opens (a text
    // that could not be saved stays as typed instead). False after the
    // message when the file cannot be read: the window is not opened then,
    // so nothing overwrites it.
    static bool NoteBufLoad();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Text1_Change();

private:
    // The text as the edit control holds it, line breaks as "\n".
    QString shownText() const;
    QString accepted_;  // the text as last accepted
    bool refusing_ = false;  // the window sets the text itself
};
