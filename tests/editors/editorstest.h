#pragma once
// The program editor as the program file windows drive it: the program
// started to its frame, the editors installed, a program window of the
// test's own holding a program file image, the monitor's sink registered.
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <functional>
#include <stdexcept>

#include "../shell/shelltest.h"
#include "app/WindowJobs.h"
#include "banks/Banks.h"
#include "banks/Links.h"
#include "banks/frmPrgUN.h"
#include "banks/state.h"
#include "editors/Editors.h"
#include "editors/PrgRec.h"
#include "editors/ProgramParams.h"
#include "editors/frmEditPrg.h"
#include "editors/state.h"
#include "files/FileFormats.h"
#include "library/Library.h"
#include "midi/MIDI.h"
#include "platform/MidiDevice.h"
#include "platform/bytes.h"

// The row of a control in a table, found by its name as the tests write it.
inline const ParamRow& RowNamed(const std::vector<ParamRow>& rows, const std::string& control, int index) {
    for (const ParamRow& r : rows)
        if (control == r.control && index == r.index) return r;
    throw std::logic_error("no row " + control + "(" + std::to_string(index) + ")");
}

// A program window: its image, and how often it was asked to show it again.
class PrgWindow : public ChildForm, public JobWindow {
    Q_OBJECT
public:
    PrgWindow(MdiFrame* f, const std::string& image) : ChildForm(f, "frmPrgUN") { Tag() = image; }
    int showings = 0;
    void ImageChanged() override { ++showings; }
};

struct MonitorSink : MidiMonSinkT {
    std::string text;
    void clear() override { text.clear(); }
    void append(const std::string& t) override { text += t; }
};

class EditorsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        resetBanksState();
        resetEditorsState();
        open();
        InstallEditors();
        GlobalChannel = 5;
        ModeNow = 4;
        MidiMonLogOn = true;
        RegisterLink<MidiMonSinkT>(&monitor);
        for (WinFamily fam : {WinFamily::PrgUN, WinFamily::PrgNew}) {
            auto of = [this, fam](int slot) -> ChildForm* {
                return slot >= 0 && slot < 10 ? windows[fam == WinFamily::PrgNew][slot].data() : nullptr;
            };
            families.push_back(RegisterWindowFamily(fam, {of, of}));
        }
    }
    void TearDown() override {
        UnregisterLink<MidiMonSinkT>(&monitor);
        SetPopupMenuHandler(nullptr);
        // An editor closed by the test goes now, not with a later test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ShellTest::TearDown();
    }
    // A program file whose program p holds bytes 0x10 + p + k.
    static std::string programFile() {
        std::string f(PrgFileLen, '\0');
        for (int p = 0; p < 64; ++p)
            for (int k = 0; k < 172; ++k) f[static_cast<std::size_t>(48 + 172 * p + k)] = static_cast<char>(0x10 + p + k);
        return f;
    }
    // The file window of `slot` on bank1, shown.
    PrgWindow* fileWindow(int slot, bool readOnly = false, int kind = 21) {
        std::string img = WindowImageNew(kind, programFile());
        putField(img, ImgPath, ImgPathLen, startDir() + "/bank1");
        put(img, ImgSlot, static_cast<unsigned>(slot));
        put(img, ImgRdOnly, readOnly ? 1 : 0);
        auto* w = new PrgWindow(frame.data(), img);
        w->Show();
        windows[kind == 22][slot] = w;
        return w;
    }
    // The editor on program `index` of a window.
    frmEditPrg* edit(PrgWindow* w, int index) {
        ProgramEditorLink().prgRecBuild(w, index);
        ProgramEditorLink().show();
        return frmEditPrg::Open();
    }
    // What went out since the last call (the queue run on the manual clock).
    std::string sent() {
        Timer::Advance(1000);
        const std::string s = midi->written();
        midi->clear();
        return s;
    }
    static std::string param(int g, int i, unsigned lo, unsigned hi) {
        return bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x60, unsigned(g), unsigned(i), lo, hi, 0xF7}) + std::string(20, '\0');
    }
    static std::string modeMsg() { return bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x4E, 0x02, 0xF7}); }

    MonitorSink monitor;
    QPointer<PrgWindow> windows[2][10];  // file windows, new-file windows
    std::vector<Registration> families;
};

// The program editor open on program 5 of a file window, its controls set as
// the user sets them.
class EditorOpenTest : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        w = fileWindow(3);
        ed = edit(w, 5);
        ASSERT_NE(ed, nullptr);
        sent();
    }
    // Sets a control as the user would, from another value set quietly.
    void set(const char* control, int index, int v) {
        Busy = true;
        setRaw(control, index, v == 0 ? 1 : 0);
        Busy = false;
        setRaw(control, index, v);
    }
    // Sets a control's value, or with NoValue reads it.
    int setRaw(const char* control, int index, int v) {
        if (auto* s = FindControl<ScrollBarBase>(ed, control, index)) return v == NoValue ? s->Value() : (s->setValue(v), 0);
        if (auto* c = FindControl<ComboBox>(ed, control, index)) return v == NoValue ? c->ListIndex() : (c->setListIndex(v), 0);
        auto* c = FindControl<CheckBox>(ed, control, index);
        return v == NoValue ? c->Value() : (c->setValue(v), 0);
    }
    static constexpr int NoValue = 1000;
    PrgWindow* w = nullptr;
    frmEditPrg* ed = nullptr;
};

// The real program file window with the real editors: the library, the
// banks and the editors installed, a file opened through File > Open Prg.
class FileWindowTest : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        InstallLibrary();
        InstallBanks();
        InstallEditors();
        sent();
    }
    // File > Open Prg on "bank1.prg": programs named "Prog nn", each block
    // (from its file position) changed further by `program`.
    frmPrgUN* openBank(const std::function<void(std::string&, long)>& program = {}) {
        std::string f = PrgTemplateImage();
        for (int i = 0; i < 64; ++i) {
            putMid(f, 49 + 172L * i, padRight("Prog " + std::string(i < 10 ? "0" : "") + std::to_string(i), 16));
            if (program) program(f, 49 + 172L * i);
        }
        writeFileBytes(startFile("bank1.prg"), f);
        dialogs.chooseFile(startFile("bank1.prg"), 0, false);
        RunMenuCommand(MenuId::mnuApriPrg);
        return PrgUNForms()[static_cast<std::size_t>(PrgSlotCur)];
    }
    static void pick(frmPrgUN* w, int row) {
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, w->List1->visualItemRect(w->List1->item(row)).center());
    }
};
