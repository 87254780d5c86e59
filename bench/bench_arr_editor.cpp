// The arrangement editor: opening it from an arrangement file window's Edit
// (record built, editor created, loaded, filled, painted) against a bare
// child window with as many plain Qt widgets of the same classes in the same
// run (the counter "ratio"); a refill for another row; a VOL slider's
// step to its message in the output queue; and a VOL drag to its last value
// on the wire.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "benchprogram.h"
#include "editors/Editors.h"
#include "editors/arrangement/ArrRec.h"
#include "editors/arrangement/frmEditArr.h"
#include "files/FileFormats.h"
#include "files/Readers.h"
#include "files/state.h"
#include "library/frmArrU.h"
#include "library/state.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/MidiDevice.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

using Clock = BenchClock;

struct ArrEditorBench {
    BenchProgram p;
    frmArrU* w = nullptr;
    ArrEditorBench() {
        InstallEditors();
        std::string f = ArrNativeHeader() + std::string(64 * ArrBlkLen, '\0');
        for (int i = 0; i < 64; ++i) {
            putField(f, ArrHdrLen + 1 + ArrBlkLen * i, 16, "Arrangement " + std::to_string(i));
            for (int k = 20; k < 140; ++k) put(f, ArrHdrLen + ArrBlkLen * i + k, static_cast<unsigned>((i + k) % 12));
        }
        const std::string path = PathJoin(StartDir(), "Show");
        WriteWholeFile(path + ".arr", f);
        ArrFileRead(path + ".arr");
        ArrDir = StartDir();
        ArrName = "Show";
        ArrSlotCur = 1;
        ArrSlotUsed[1] = 1;
        w = new frmArrU(p.f);
        w->Show();
        w->List1->setListIndex(5);
    }
    frmEditArr* open() {
        w->CommEdit_Click();
        return frmEditArr::Open();
    }
};

double bareShow(MdiFrame* frame, QWidget* like) {
    auto count = [&](auto* probe) {
        using T = std::remove_pointer_t<decltype(probe)>;
        return static_cast<int>(like->findChildren<T*>().size());
    };
    const int combos = count(static_cast<QComboBox*>(nullptr)), bars = count(static_cast<QScrollBar*>(nullptr)),
              lines = count(static_cast<QLineEdit*>(nullptr)), groups = count(static_cast<QGroupBox*>(nullptr)),
              checks = count(static_cast<QCheckBox*>(nullptr)), labels = count(static_cast<QLabel*>(nullptr)),
              buttons = count(static_cast<QPushButton*>(nullptr));
    int items = 0;
    for (QComboBox* c : like->findChildren<QComboBox*>()) items += c->count();
    const auto t0 = Clock::now();
    auto* f = new ChildForm(frame, "bare");
    auto* tabs = new QTabWidget(f);
    for (int p = 0; p < 2; ++p) tabs->addTab(new QWidget, QString::number(p));
    QWidget* page = tabs->widget(0);
    for (int i = 0; i < groups; ++i) new QGroupBox(QStringLiteral("Frame"), page);
    for (int i = 0; i < combos; ++i) {
        auto* c = new QComboBox(page);
        c->setEditable(true);
        for (int k = 0; k < items / std::max(1, combos); ++k) c->addItem(QString::number(k));
    }
    for (int i = 0; i < bars; ++i) new QScrollBar(Qt::Vertical, page);
    for (int i = 0; i < lines; ++i) new QLineEdit(page);
    for (int i = 0; i < checks; ++i) new QCheckBox(QStringLiteral("Chord Hold"), page);
    for (int i = 0; i < labels; ++i) new QLabel(QStringLiteral("Octave"), page);
    for (int i = 0; i < buttons; ++i) new QPushButton(QStringLiteral("M"), page);
    f->Move(0, 0, 9170, 5870);
    f->Show();
    tabs->resize(f->size());
    benchmark::DoNotOptimize(frame->grab().cacheKey());
    const double t = seconds(t0, Clock::now());
    closeWindow(f);
    return t;
}

void BM_OpenArrangementEditorFromEdit(benchmark::State& state) {
    ArrEditorBench b;
    QWidget* model = nullptr;
    if (frmEditArr* ed = b.open()) {
        model = new QWidget;
        // Keep a copy of its widget census: the editor itself is closed
        // before the timed runs.
        for (QObject* c : ed->findChildren<QWidget*>()) {
            if (qobject_cast<QComboBox*>(c)) {
                auto* cb = new QComboBox(model);
                for (int k = 0; k < qobject_cast<QComboBox*>(c)->count(); ++k) cb->addItem(QString());
            } else if (qobject_cast<QScrollBar*>(c)) new QScrollBar(model);
            else if (qobject_cast<QLineEdit*>(c) && !qobject_cast<QComboBox*>(c->parent())) new QLineEdit(model);
            else if (qobject_cast<QGroupBox*>(c)) new QGroupBox(model);
            else if (qobject_cast<QCheckBox*>(c)) new QCheckBox(model);
            else if (qobject_cast<QPushButton*>(c)) new QPushButton(model);
            else if (qobject_cast<QLabel*>(c)) new QLabel(model);
        }
        ArrModified = false;
        closeWindow(ed);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (!model) {
        state.SkipWithError("the editor did not open");
        return;
    }
    TimeWindowOpen(
        state, b.p,
        [&]() -> ChildForm* {
            if (frmEditArr* ed = frmEditArr::Open()) {
                ArrModified = false;
                closeWindow(ed);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            return b.open();
        },
        [&] { return bareShow(b.p.f, model); }, "the editor did not open");
    delete model;
}
BENCHMARK(BM_OpenArrangementEditorFromEdit)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// Another row while the editor is open: the record built, every control set.
void BM_ArrRefill(benchmark::State& state) {
    ArrEditorBench b;
    frmEditArr* ed = b.open();
    bool odd = false;
    for (auto _ : state) {
        ArrRecBuild(b.w->Tag(), (odd = !odd) ? 6 : 5);
        ed->EditArrFill();
        state.PauseTiming();
        QCoreApplication::processEvents();
        MidiDev::ClearQueue();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ArrRefill)->Unit(benchmark::kMicrosecond);

// UPPER1's VOL moved one step: label, record and the message queued.
void BM_ArrVolToQueue(benchmark::State& state) {
    ArrEditorBench b;
    frmEditArr* ed = b.open();
    VScroll* s = ed->VScroll1[13];
    int v = 0;
    std::size_t queued = 0;
    for (auto _ : state) {
        v = v == 10 ? 11 : 10;
        s->setValue(v);
        state.PauseTiming();
        queued = MidiDev::Pending();
        MidiDev::ClearQueue();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["midi"] = MidiOn;
    state.counters["queued"] = static_cast<double>(queued);
}
BENCHMARK(BM_ArrVolToQueue)->Unit(benchmark::kMicrosecond);

// UPPER1's VOL dragged from 20 to 119 in 200 ms, a 9-byte message a step.
void BM_ArrVolDragToWire(benchmark::State& state) {
    ArrEditorBench b;
    frmEditArr* ed = b.open();
    const std::string last =
        bytesOf({0xF0, 0x42, 0x30u | (static_cast<unsigned>(GlobalChannel) & 0x0F), 0x4D, 0x41, 71, 119, 0, 0xF7});
    DragToWire(state, *b.p.midi, ed->VScroll1[13], 20, 119, 2, last);
    ArrModified = false;
}
BENCHMARK(BM_ArrVolDragToWire)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
