#pragma once
// The automatic program selection (kind 34): 100 pairs of an arrangement
// name and a program row. While the window is open, picking an arrangement
// in a user arrangement window selects its paired program in the program
// window of the same file. The pairs are filled by Paste (an arrangement row
// or a program row copied elsewhere) and emptied by Cut or Delete; they live
// in the file "Velmora_PrgSelAuto" of the start folder, read when the window
// opens and written whole at every close (not after a read error while the
// table is as read).
#include <array>
#include <string>

#include "app/ToolForm.h"
#include "app/WindowJobs.h"
#include "library/state.h"

class Label;
class ListBox;

using PrgSelAutoTable = std::array<PrgSelAutoPair, PrgSelAutoPairs>;
constexpr long PrgSelAutoNameLen = 16, PrgSelAutoTextLen = 20;
constexpr long PrgSelAutoEntryLen = PrgSelAutoNameLen + PrgSelAutoTextLen;
constexpr long PrgSelAutoFileLen = PrgSelAutoPairs * PrgSelAutoEntryLen;   // 3600

// The table in a file's bytes: a short file read as padded with blanks, a
// long one up to the table's length; `whole` when the file had the table's
// length, or none at all.
struct PrgSelAutoRead {
    PrgSelAutoTable table;
    bool whole = true;
};
PrgSelAutoRead PrgSelAutoFromBytes(const std::string& bytes);
// The table as the file keeps it: 3600 bytes, every field blank-padded.
std::string PrgSelAutoBytes(const PrgSelAutoTable& table);

class frmPrgSelAuto : public ToolForm, public JobWindow {
    Q_OBJECT
public:
    static constexpr int Kind = 34;
    explicit frmPrgSelAuto(MdiFrame* frame);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // The lists move together; each click records the list the user worked in.
    void List1_Click();
    void List2_Click();
    void List1_KeyDown(int KeyCode);
    void List2_KeyDown(int KeyCode);

    // The Edit menu's Paste and Cut on the table.
    Q_INVOKABLE void ClipPastePrgSelAuto();
    Q_INVOKABLE void CutPrgSelAuto();
    void RunJob(WindowJob job) override;

    ListBox* List1 = nullptr;
    ListBox* List2 = nullptr;
    std::array<Label*, 2> Label1{};

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void layoutControls();
    void showRow(int i);
    bool busy_ = false;
    // The table as read from a file that could not be read whole ("" when
    // the file was read whole or not read).
    std::string asRead_;
};
