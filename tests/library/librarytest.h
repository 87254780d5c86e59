#pragma once
#include <memory>
// A library window test: the program started in-process up to its frame
// (the main window's test set-up), the library installed, and builders of
// the instrument files the windows open.
#include <QDir>
#include <QTest>
#include <vector>

#include "../shell/shelltest.h"
#include "app/Mru.h"
#include "app/Tables.h"
#include "files/Readers.h"
#include "files/state.h"
#include "app/Documents.h"
#include "app/EditRecord.h"
#include "app/Links.h"
#include "library/Library.h"
#include "library/Links.h"
#include "library/frmArrU.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "platform/Files.h"
#include "platform/Paths.h"

// One arrangement of a test file.
struct ArrEntry {
    int index;
    std::string name;
    int style = 0;      // block byte 18
    int kind = 0;       // block byte 19 (1: a style of the file's own)
    std::vector<std::pair<int, int>> pairs = {};  // (k, first byte), second byte 1
};

inline std::string arrFileOf(const std::vector<ArrEntry>& arrs) {
    std::string f = ArrNativeHeader() + std::string(64 * ArrBlkLen, '\0');
    for (const ArrEntry& a : arrs) {
        const long b = ArrHdrLen + 1 + ArrBlkLen * a.index;
        if (!a.name.empty()) putField(f, b, 16, a.name);
        put(f, b + 17, static_cast<unsigned>(a.style));
        put(f, b + 18, static_cast<unsigned>(a.kind));
        for (auto [k, first] : a.pairs) {
            put(f, b + 34 + 8L * k, static_cast<unsigned>(first));
            put(f, b + 35 + 8L * k, 1);
        }
    }
    return f;
}

// A style file holding items named `names` in items 0.. in order.
inline std::string styFileOf(const std::vector<std::string>& names) {
    std::string f = StyNativeHeader();
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string item = padRight(names[k], 16) + std::string(40 + 8 * k, static_cast<char>('a' + k));
        put16lo(f, 25 + 4L * static_cast<long>(k), static_cast<unsigned>(item.size()));
        f += item;
    }
    return f;
}

// The style dump of group g of a window image, as it goes out.
inline std::string StyleDumpOf(const std::string& image, int g) {
    return SysExHdr() + "\x65" + Pack7(StyGroupData(g, image)) + "\xF7";
}

// A program file (".prg" header "KORG", ".pgg" "KPGG"), its first byte of
// program data marking which.
inline std::string prgFileOf(bool pgg, char mark) {
    std::string f = PrgNativeHeader() + std::string(PrgFileLen - PrgHdrLen, '\0');
    if (pgg) putMid(f, 1, "KPGG");
    put(f, PrgHdrLen + 1, static_cast<unsigned char>(mark));
    return f;
}

// Standing in for the program library: the program window is there, and
// each one shown holds its program file as a real one would.
struct FakePrgWindows : PrgWindowLinkT {
    struct Held : DocumentT {
        std::string path;
        int slot = 0;
        ChildForm* docForm() override { return nullptr; }
        WinFamily docFamily() const override { return WinFamily::PrgUN; }
        int docSlot() const override { return slot; }
        std::vector<std::string> heldFiles() const override { return {path + ".prg", path + ".pgg"}; }
        int save(bool) override { return 0; }
    };
    std::vector<std::unique_ptr<Held>> held;
    std::vector<Registration> registered;
    FakePrgWindows() { RegisterLink<PrgWindowLinkT>(this); }
    ~FakePrgWindows() override {
        registered.clear();
        UnregisterLink<PrgWindowLinkT>(this);
    }
    void showPrgWindow(int kind, int slot) override {
        if (kind != 21 || slot == 0) return;
        held.push_back(std::make_unique<Held>());
        held.back()->path = PrgDir.empty() ? PrgName : PathJoin(PrgDir, PrgName);
        held.back()->slot = slot;
        registered.push_back(RegisterDocument(held.back().get()));
    }
};

struct FakeDatabase : DatabaseLinkT {
    int id = 0;
    std::vector<std::string> lookups;
    std::vector<int> adds;
    FakeDatabase() { RegisterLink<DatabaseLinkT>(this); }
    ~FakeDatabase() override { UnregisterLink<DatabaseLinkT>(this); }
    int dbArrLookupID(const std::string& path) override {
        lookups.push_back(path);
        return id;
    }
    void dbArrAdd(int kind) override { adds.push_back(kind); }
};

// Records what the list asks of the arrangement editor, in order; its keep
// step asks as the editor does and stores through arrRecStore.
struct FakeEditor : EditorLinkT, RecordEditorsT {
    std::vector<std::string> calls;
    FakeEditor() {
        RegisterLink<EditorLinkT>(this);
        RegisterLink<RecordEditorsT>(this);
    }
    ~FakeEditor() override {
        UnregisterLink<EditorLinkT>(this);
        UnregisterLink<RecordEditorsT>(this);
    }
    bool keep(EditRecord& record) override {
        return record.keepBeforeReplace(2, caption(), [this] { return arrRecStore(); });
    }
    void arrRecBuild(const std::string&, int index) override { calls.push_back("build " + std::to_string(index)); }
    bool arrRecStore() override {
        calls.push_back("store");
        ArrModified = false;  // stored, as the editor does
        return true;
    }
    void editArrFill() override { calls.push_back("fill"); }
    void show() override { calls.push_back("show"); }
    void unload() override { calls.push_back("unload"); }
    std::string caption() override { return "Edit Arrangement"; }
};

// The mode messages, and the bank and program change selecting arrangement
// `row` on channel 3 (bank LSB 1: the user bank, 0: the factory banks).
inline const std::string Mode06 = bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x4E, 0x06, 0xF7});
inline const std::string Mode0A = bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x4E, 0x0A, 0xF7});
inline std::string selectOf(int row, unsigned lsb = 1) {
    return bytesOf({0xB3, 0x00, 0x00, 0xB3, 0x20, lsb, 0xC3, static_cast<unsigned>(row)});
}

class LibraryTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        resetLibraryState();
        InstallLibrary();
        songs = startDir() + "/songs";
        QDir().mkpath(QString::fromStdString(songs));
    }
    void TearDown() override {
        SetPopupMenuHandler(nullptr);
        ShellTest::TearDown();
        resetLibraryState();
    }
    // The frame (an earlier start's ended first), with the last run's restore
    // done and nothing sent or shown yet.
    frmMain* start(const std::function<void()>& before = {}) {
        if (frame) delete frame.data(), InstanceLockRelease();
        frmMain* f = open(before);
        Timer::Advance(200);
        midi->clear();
        dialogs.shown.clear();
        return f;
    }
    // The same, with the global channel 5 and arrangements on channel 3.
    frmMain* startOnChannels() {
        return start([] {
            GlobalChannel = 5;
            ArrChannel = 3;
        });
    }
    std::string song(const std::string& name) const { return songs + "/" + name; }
    // Writes the files of a song: name.arr, and the companions given.
    void writeSong(const std::string& name, const std::string& arr, const std::string& sty = "",
                   const std::string& prg = "") {
        writeFileBytes(song(name + ".arr"), arr);
        if (!sty.empty()) writeFileBytes(song(name + ".sty"), sty);
        if (!prg.empty()) writeFileBytes(song(name + ".prg"), prg);
    }
    // File > Open Arr on a file; the window of the slot it took.
    frmArrU* openArr(const std::string& name, bool readOnly = false) {
        const int slot = ArrSlotFree();
        dialogs.chooseFile(song(name + ".arr"), 0, readOnly);
        RunMenuCommand(MenuId::mnuApriArr);
        return slot ? ArrUForms()[static_cast<std::size_t>(slot)].data() : nullptr;
    }
    std::string status() { return frame->Label1->Caption(); }
    // The times, from `t0`, of the messages sent (by their first pieces).
    std::vector<long long> messageTimes(long long t0) {
        std::vector<long long> t;
        for (const auto& x : midi->writes()) {
            const auto b = static_cast<unsigned char>(x.bytes[0]);
            if (b >= 0x80 && b != 0xF7) t.push_back(x.time - t0);
        }
        return t;
    }
    std::string songs;
};
