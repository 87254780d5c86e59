#pragma once
// The arrangement editor: the current arrangement (ArrRec) on two pages,
// each change stored into the record and sent to the instrument at once.
// Single instance, window kind 13, opened by the arrangement file windows
// on the arrangement they built; not counted among the tool windows and
// opened by no menu item (Edit stays the arrangement window's).
#include <QPointer>
#include <array>
#include <string>

#include "app/ToolForm.h"
#include "editors/NameGuard.h"
#include "editors/ParamBinder.h"
#include "editors/arrangement/ArrState.h"
#include "platform/Controls.h"

class frmEditArr : public ToolForm, private ParamTarget {
    Q_OBJECT
public:
    static constexpr int Kind = 13;

    explicit frmEditArr(MdiFrame* frame);
    ~frmEditArr() override;

    // The loaded editor, or nullptr.
    static frmEditArr* Open();

    SSTab* SSTab1 = nullptr;
    // General, Frame2, Frame1, Frame5, Drum, Percussion, FrBass, FrAcc1,
    // FrACC2, FrACC3, UPPER1, UPPER2, LOWER.
    std::array<Frame*, 13> frames{};
    std::array<TextBox*, 20> Text1{};
    Label* StyleLabel = nullptr;          // the style label ("Label" 1)
    std::array<Label*, 5> Label1{};       // 0 tempo, 3 split note, 4 variation value
    std::array<Label*, 19> Label2{};      // 1 + 2t VOL, 2 + 2t PAN
    std::array<ComboBox*, 10> Combo1{};
    std::array<CheckBox*, 10> Check1{};
    std::array<HScroll*, 2> HScroll1{};
    std::array<VScroll*, 19> VScroll1{};
    std::array<ComboBox*, 2> EffCombo{};
    std::array<CommandButton*, 2> EffComm{};
    std::array<Label*, 2> EffLab1{};
    std::array<ComboBox*, 54> Combo2{};
    std::array<CommandButton*, 9> CommM{}, CommS{};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // Shows the current arrangement in every control and the caption.
    void EditArrFill();
    // The caption again, with the record's file name and the name shown.
    void recaption() { setCaptionFor(Text1[0]->Text()); }
    void NoteNameShow(int note);
    void EditArrFieldSelect(int i);
    void EditArrFieldDeselect();
    // Assignments from the list windows (a program field or the style field
    // selected).
    bool EditArrPrgAssign(int n, const std::string& image);
    void EditArrStyAssign(int row, const std::string& image);

    void Text1_Change(int i);
    void Text1_Click(int i);
    void Frame_MouseDown(int button);
    void SSTab1_MouseDown(int button);
    void Combo1_Click(int i);
    void Combo1_Change(int i);
    void Combo2_Click(int i);
    void Combo2_Change(int i);
    void Check1_Click(int i);
    void HScroll1_Change(int i);
    void HScroll1_Scroll(int i) { HScroll1_Change(i); }
    void VScroll1_Change(int i);
    void VScroll1_Scroll(int i) { VScroll1_Change(i); }
    void EffCombo_Click(int i);
    void EffComm_Click(int i);
    void CommM_Click(int t);
    void CommS_Click(int t);

private:
    // The pages and their controls (EditArrLayout.cpp); the binder makes
    // the value controls of the table's rows.
    void buildLayout();
    template <class C>
    C* make(const ParamRow& row, QWidget* parent, std::function<void()> own);
    ComboBox* listAt(const ParamRow& row, QWidget* parent, std::function<void()> own, int x, int y, int w);
    // The edit sequence of the table's rows (EditArrEdit.cpp).
    std::string& record() override;
    bool beforeStore(const ParamRow& row) override;
    void stored(const ParamRow& row) override;
    bool send(const ParamRow& row, int value) override;
    bool monitored(const ParamRow&) const override { return false; }
    void typeAhead(ComboBox* box);
    void restoreOnLeave(ComboBox* c);
    void paintMuteSolo();
    void setCaptionFor(const std::string& name);

    ParamBinder binder_{*this, ArrFilling};  // its fills are the editor's
    bool showingVariation_ = false;  // the variation slider is set to show a byte
    NameGuard nameGuard_;
    static inline QPointer<frmEditArr> instance_;
};

// "Edit Arrangement  " + the record's file name + ".arr / " + `name`.
std::string EditArrCaption(const std::string& rec, const std::string& name);
