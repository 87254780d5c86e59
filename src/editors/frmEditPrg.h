#pragma once
// The program editor: every parameter of the current program (PrgRec) on six
// pages, each change stored into the record and sent to the instrument at
// once. Single instance, window kind 32, opened by the program file windows
// on the program they built; not counted among the tool windows and opened
// by no menu item.
#include <QPointer>
#include <array>
#include <string>
#include <vector>

#include "app/ToolForm.h"
#include "editors/NameGuard.h"
#include "editors/ParamBinder.h"
#include "platform/Controls.h"

class frmEditPrg : public ToolForm, private ParamTarget {
    Q_OBJECT
public:
    static constexpr int Kind = 32;
    // Text box colours (0x00BBGGRR): normal and selected.
    static constexpr long NormalBack = 0, NormalFore = 65280, SelectedBack = 16776960, SelectedFore = 0;

    explicit frmEditPrg(MdiFrame* frame);
    ~frmEditPrg() override;

    // The loaded editor, or nullptr.
    static frmEditPrg* Open();

    SSTab* SSTab1 = nullptr;
    std::array<TextBox*, 3> BasText{};
    std::array<VScroll*, 3> BasVScroll{};  // 1 and 2
    std::array<OptionButton*, 2> BasOption{};
    std::array<OptionButton*, 4> OscOption{};
    std::vector<Frame*> frames;  // every frame, page by page
    std::array<Label*, 8> EffLab{};    // the EFFECTS sliders' value labels
    std::array<Label*, 13> EffLab1{};  // the EFFECTS page's captions

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_MouseDown(int button);
    // Closed by the program window the record came from, which is closing.
    bool closeForWindow();

    // Shows the current program on every page (and in the caption); sends
    // nothing and leaves the record as it is.
    void EditPrgFill();

    // Handlers of the BASIC page.
    void BasHScroll_Change(int i);
    void BasHScroll_Scroll(int i) { BasHScroll_Change(i); }
    void BasCombo_Click(int i);
    void BasCheck_Click();
    // Handlers of the oscillator pages.
    void OscHScroll_Change(int i);
    void OscHScroll_Scroll(int i);
    void OscCombo_Click(int i);
    void OscCheck_Click(int i);
    void BasOption_Click(int i);
    void OscOption_Click(int i);
    void BasText_Change(int i);
    void BasText_MouseDown(int i);
    void BasVScroll_Change(int i);
    // Text put into a multisample box by code (the picker): taken at once.
    void MultisampleBoxSet(int i, const std::string& text);
    // The three text boxes back to the normal colours; no box selected.
    void resetMultisampleBoxes();
    // Handlers of the EFFECTS page (no PROGRAM mode change).
    void EffCombo_Click(int i);
    void EffCheck_Click(int i);
    void EffHScroll_Change(int i);
    void EffHScroll_Scroll(int i) { EffHScroll_Change(i); }
    // The option buttons of oscillator `osc` selected (under Busy).
    void showOscillator(int osc);

    // The control and value label of a row (label nullptr when it has none).
    QWidget* control(const ParamRow& row) const { return binder_.control(row); }
    Label* label(const ParamRow& row) const { return binder_.label(row); }
    // Sets a row's control as the user would: its edit stores and sends.
    void setValue(const ParamRow& row, int value) { binder_.setValue(row, value); }
    // Shows what the record holds on a row's control: nothing stored or sent.
    void show(const ParamRow& row) { binder_.fill(row); }

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    // Building the pages (EditPrgPages.cpp).
    void buildPages();
    // Builds a row's controls at `y` in its frame; gives the rows it took.
    int buildRow(const ParamRow& row, QWidget* frame, int y);
    // What the edit sequence of every value control does for the program
    // (EditPrgEdit.cpp): PROGRAM mode and the oscillator first, the record
    // marked changed, the parameter message.
    std::string& record() override;
    bool beforeStore(const ParamRow& row) override;
    void stored(const ParamRow& row) override;
    bool send(const ParamRow& row, int value) override;
    // The EFFECTS page (EditPrgEffects.cpp): what its rows need beyond the
    // table, the output pans bound to sliders 5 and 7, the placement's
    // reconfiguration of the I/O sliders and the page's part of the fill.
    static int effCaptionIndex(const ParamRow& row);
    static bool effBoundLater(const ParamRow& row);
    std::function<void()> effHandler(const ParamRow& row);
    void buildEffects();
    void effectsFill();
    void effectTypeShown(int i);
    const ParamRow* ioRow(int i) const;
    void ioShow(bool returns, bool reset);
    void placementChosen();
    // Multisample boxes.
    void multisampleTake(int i);
    void multisampleCommit(int i);
    void multisampleLeft(int i);
    void multisampleShow(int i, unsigned n);
    void boxColours(int i, bool selected);
    void nameChanged();

    ParamBinder binder_{*this, PrgFilling};
    std::array<bool, 3> taken_{};     // the box's text has been taken
    bool codeText_ = false;           // the program is setting a box's text
    bool taking_ = false;             // a multisample box's number is being taken
    bool closedByWindow_ = false;
    NameGuard nameGuard_;
    static inline QPointer<frmEditPrg> instance_;
};

// The text a multisample box shows for multisample n: its number, two
// blanks and ten characters of its name; the number alone past the list.
std::string MultisampleText(unsigned n);
// `head`, then the record's file name, extension and program name.
std::string PrgRecCaption(const std::string& head, const std::string& rec);
// The caption of the editor for the current program.
std::string EditPrgCaption(const std::string& rec);
// Starts the multisample picker's timer (the picker then follows the box).
void MultisamplePickerArm();
