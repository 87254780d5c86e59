#pragma once
// The arrangement editor as the arrangement file window drives it: the
// program started to its frame with the library and the editors installed,
// an arrangement file opened through File > Open Arr.
#include <QCoreApplication>
#include <QEvent>

#include "../library/librarytest.h"
#include "banks/Banks.h"
#include "banks/frmPcgAE.h"
#include "editors/Editors.h"
#include "editors/arrangement/ArrParams.h"
#include "editors/arrangement/ArrRec.h"
#include "editors/arrangement/ArrState.h"
#include "editors/arrangement/frmEditArr.h"
#include "editors/state.h"

// An arrangement file: the entries' names, then single bytes
// (arrangement, block position, value).
struct ArrByte {
    int index;
    long pos;
    unsigned value;
};
inline std::string arrFileWith(const std::vector<ArrEntry>& arrs, const std::vector<ArrByte>& bytes = {}) {
    std::string f = arrFileOf(arrs);
    for (const ArrByte& b : bytes) put(f, ArrHdrLen + ArrBlkLen * b.index + b.pos, b.value);
    return f;
}

class ArrEditTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        InstallBanks();
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        LibraryTest::TearDown();
    }
    // "Show.arr" from `file`, opened; nothing sent yet.
    frmArrU* openShow(const std::string& file, bool readOnly = false) {
        writeSong("Show", file);
        m = start([] { GlobalChannel = 0, ArrChannel = 3; });
        resetEditorsState();
        InstallEditors();
        frmArrU* w = openArr("Show", readOnly);
        Timer::Advance(1000);
        midi->clear();
        return w;
    }
    // Row `row` picked in the window (what it sends goes out).
    void pick(frmArrU* w, int row) {
        w->List1->setListIndex(row);
        Timer::Advance(1000);
    }
    // Edit on row `row`.
    frmEditArr* edit(frmArrU* w, int row) {
        pick(w, row);
        midi->clear();
        w->CommEdit_Click();
        return frmEditArr::Open();
    }
    // What went out since the last call.
    std::string sent() {
        Timer::Advance(1000);
        const std::string s = midi->written();
        midi->clear();
        return s;
    }
    // An arrangement parameter message from its function byte on.
    static std::string msg(unsigned par, unsigned lo, unsigned hi) {
        return bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x41, par, lo, hi, 0xF7});
    }
    frmMain* m = nullptr;
};
