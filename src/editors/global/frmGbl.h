#pragma once
// A Global window: the instrument's Global parameters (slot 0, kind 14: the
// block last sent) or a ".gbl" file (slots 1-8, kind 25), on four pages.
// Every edit goes into the window image and sends the whole Global dump.
#include <QPointer>
#include <array>
#include <vector>

#include "editors/ParamBinder.h"
#include "library/DocWindow.h"

class CheckBox;
class ComboBox;
class Frame;
class HScroll;
class Label;
class OptionButton;
class SSTab;
class VScroll;
class frmGbl : public DocWindow, private ParamTarget {
    Q_OBJECT
public:
    frmGbl(MdiFrame* frame, int slot);

    int slot() const { return slot_; }

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // Shows the image on every control; sends nothing, changes nothing.
    void GblAggFrm();
    // The channel lists from the settings (no handler runs).
    void showChannels();
    // Shows `data` as the instrument's block, unchanged (slot 0).
    void showInstrument(const std::string& data);

    // The dump of the whole block ("Load"), and GLOBAL mode.
    void CommLoadGbl_Click();
    void CommGlobal_Click();

    // The stored parameters' controls run the edit of their rows; the
    // channel lists Combo3(4)..(14) change the program's settings only.
    void Combo3_Click(int i) { Combo3_Change(i); }
    void Combo3_Change(int i);
    void CommResetUS_Click(int k);

    SSTab* SSTab1 = nullptr;
    Frame *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr, *Frame6 = nullptr,
          *Frame7 = nullptr;
    std::array<Frame*, 4> Frame5{};
    CommandButton* CommLoadGbl = nullptr;
    CommandButton* CommGlobal = nullptr;
    std::array<CommandButton*, 4> CommResetUS{};
    std::array<ComboBox*, 20> GblCombo1{};   // no (4)
    std::array<CheckBox*, 3> GblCheck1{};
    std::array<OptionButton*, 2> GblOption1{};
    std::array<HScroll*, 2> GblHScroll1{};
    std::array<Label*, 29> GblLab1{};        // (1), (13) values; the others captions and marks
    std::array<VScroll*, 48> VScroll2{};
    std::array<Label*, 48> Lab2{};
    std::array<Label*, 48> LabNote{};
    std::array<ComboBox*, 15> Combo3{};
    std::array<HScroll*, 2> HScroll3{};
    CheckBox* Check3 = nullptr;
    std::array<Label*, 19> Lab3{};           // (5), (7) values; the others captions

protected:
    Layout layoutRead() override;
    void layoutWrite(const Layout& l) override;
    int save(bool as = false) override;
    int saveDocument() override;
    void unloadMenus() override;

private:
    // Building the pages (GblPages.cpp).
    void buildPages();
    // What the edit of every stored parameter does here (GblEdit.cpp): the
    // image takes the value and its changed mark, the whole block goes out.
    std::string& record() override;
    bool quiet() const override;
    void stored(const ParamRow& row) override;
    bool send(const ParamRow& row, int value) override;
    // The whole block to the instrument, which then shows it: true when sent.
    bool sendDump();

    const int slot_;
    ParamBinder binder_{*this};
};

std::array<QPointer<frmGbl>, 9>& GblForms();
// The Global window family on the main window.
void InstallGlobalWindows();
