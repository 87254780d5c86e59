#pragma once
// A bank window test: the program started in-process up to its frame with
// the bank windows installed, and the user's ways to reach the windows.
#include <QTest>

#include "../shell/shelltest.h"
#include "banks/Banks.h"
#include "banks/frmDrum.h"
#include "banks/frmPcgAE.h"
#include "midi/MIDI.h"

class BanksTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        InstallBanks();
    }
    void TearDown() override {
        SetPopupMenuHandler(nullptr);
        ShellTest::TearDown();
    }
    // The frame, with the last run's restore done and nothing sent or shown yet.
    frmMain* start(const std::function<void()>& before = {}) {
        delete frame.data();
        InstanceLockRelease();
        open(before);
        Timer::Advance(200);
        midi->clear();
        dialogs.shown.clear();
        return frame.data();
    }
    static MenuId menuOf(int kind) {
        static constexpr MenuId items[] = {MenuId::mnuWProgA, MenuId::mnuWProgB, MenuId::mnuWProgC, MenuId::mnuWProgD,
                                           MenuId::mnuWProgE, MenuId::mnuDrum,   MenuId::mnuPerc};
        return items[kind - 4];
    }
    // The open window of the kind on this run's frame, or nullptr.
    BankWindow* windowOf(int kind) const {
        const auto k = static_cast<std::size_t>(kind);
        if (kind <= 8) return LiveOn(PcgAEForms()[k], frame.data()) ? PcgAEForms()[k].data() : nullptr;
        return LiveOn(DrumForms()[k], frame.data()) ? DrumForms()[k].data() : nullptr;
    }
    // The View command of the kind; its window.
    BankWindow* view(int kind) {
        RunMenuCommand(menuOf(kind));
        return windowOf(kind);
    }
    static QPoint rowPoint(BankWindow* w, int row) { return w->List1->visualItemRect(w->List1->item(row)).center(); }
    static void click(BankWindow* w, int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, mods, rowPoint(w, row));
    }
    // What went out once the queue has drained.
    std::string sent() {
        Timer::Advance(100);
        const std::string s = midi->written();
        midi->clear();
        return s;
    }
    // The selection of (bank LSB, program) on channel c.
    static std::string selection(int c, unsigned lsb, unsigned pc) {
        const unsigned b = 0xB0u + static_cast<unsigned>(c), p = 0xC0u + static_cast<unsigned>(c);
        return bytesOf({b, 0x00, 0x00, b, 0x20, lsb, p, pc});
    }
};
