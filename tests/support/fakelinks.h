#pragma once
// Recording stand-ins for the windows and the MIDI module, registered by the
// tests that need to see what the shared procedures ask of them. Each
// registers itself on construction and unregisters on destruction.
#include <functional>
#include <map>
#include <string>

#include "app/Links.h"

struct FakeMainWindow : MainWindowLinkT {
    std::string status, labelArr, labelPrg, captionText;
    bool busy = false;
    int recentRefreshes = 0, menuAggs = 0;
    std::map<MenuId, bool> menus;
    std::function<void()> onModeDisplay, onMenuAgg;

    FakeMainWindow() { RegisterLink<MainWindowLinkT>(this); }
    ~FakeMainWindow() override { UnregisterLink<MainWindowLinkT>(this); }
    void setStatus(const std::string& s) override { status = s; }
    void setBusyPointer(bool on) override { busy = on; }
    void modeDisplay() override { if (onModeDisplay) onModeDisplay(); }
    void setLabelArr(const std::string& s) override { labelArr = s; }
    void setLabelPrg(const std::string& s) override { labelPrg = s; }
    void refreshRecentFiles() override { ++recentRefreshes; }
    void enableMenu(MenuId item, bool on) override { menus[item] = on; }
    void menuAgg() override {
        ++menuAggs;
        if (onMenuAgg) onMenuAgg();
    }
    std::string caption() override { return captionText; }
};

struct FakeMidiLink : MidiLinkT {
    int opens = 0, closes = 0, thruOn = 0, thruOff = 0;
    bool share = false;

    FakeMidiLink() { RegisterLink<MidiLinkT>(this); }
    ~FakeMidiLink() override { UnregisterLink<MidiLinkT>(this); }
    uint32_t openDevices(bool s, uint32_t) override {
        ++opens, share = s;
        return 0x1234;
    }
    void reset() {
        opens = closes = thruOn = thruOff = 0;
        share = false;
    }
    void thruConnect() override { ++thruOn; }
    void thruDisconnect() override { ++thruOff; }
    void closeDevices() override { ++closes; }
};
