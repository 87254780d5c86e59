// The program editor, the multisample picker and the Global window: opening
// each (construction, load, fill, painted) against a bare child window with
// as many plain Qt widgets of the same classes in the same run (the counter
// "ratio"); the program editor's fill alone; a slider's move to its message in the
// output queue; and a drag of an oscillator slider to its last value on the wire.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <map>

#include "banks/Links.h"
#include "banks/state.h"
#include "benchprogram.h"
#include "editors/Editors.h"
#include "editors/frmEditPerf.h"
#include "editors/frmEditPrg.h"
#include "editors/frmMultisample.h"
#include "editors/global/frmGbl.h"
#include "files/state.h"
#include "files/WindowImage.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/bytes.h"

namespace {

using Clock = BenchClock;

// The editor's widgets by class: the bare window gets as many of each.
std::map<std::string, int> widgetCounts(QWidget* w) {
    std::map<std::string, int> n;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (auto* cb = qobject_cast<QComboBox*>(c)) {
            ++n["combo"];
            n["items"] += cb->count();
        }
        else if (qobject_cast<QScrollBar*>(c) && qobject_cast<QScrollBar*>(c)->parentWidget()->inherits("QGroupBox")) ++n["bar"];
        else if (qobject_cast<QLineEdit*>(c)) ++n["line"];
        else if (qobject_cast<QGroupBox*>(c)) ++n["group"];
        else if (qobject_cast<QCheckBox*>(c)) ++n["check"];
        else if (qobject_cast<QRadioButton*>(c)) ++n["radio"];
        else if (qobject_cast<QLabel*>(c)) ++n["label"];
    }
    return n;
}

double bareFormShow(MdiFrame* frame, const std::map<std::string, int>& n, int pages = 6, int width = 9330,
                    int height = 5720) {
    const auto t0 = Clock::now();
    auto* f = new ChildForm(frame, "bare");
    auto* tabs = new QTabWidget(f);
    for (int p = 0; p < pages; ++p) tabs->addTab(new QWidget, QString::number(p));
    QWidget* page = tabs->widget(0);
    auto count = [&](const char* k) { auto it = n.find(k); return it == n.end() ? 0 : it->second; };
    for (int i = 0; i < count("group"); ++i) new QGroupBox(QStringLiteral("FRAME"), page);
    for (int i = 0; i < count("combo"); ++i) {
        auto* c = new QComboBox(page);
        for (int k = 0; k < count("items") / std::max(1, count("combo")); ++k) c->addItem(QString::number(k));
    }
    for (int i = 0; i < count("bar"); ++i) new QScrollBar(Qt::Horizontal, page);
    for (int i = 0; i < count("line"); ++i) new QLineEdit(page);
    for (int i = 0; i < count("check"); ++i) new QCheckBox(QStringLiteral("ON"), page);
    for (int i = 0; i < count("radio"); ++i) new QRadioButton(QStringLiteral("OSC 1"), page);
    for (int i = 0; i < count("label"); ++i) new QLabel(QStringLiteral("Detune"), page);
    f->Move(0, 0, width, height);
    f->Show();
    tabs->resize(f->size());
    benchmark::DoNotOptimize(frame->grab().cacheKey());
    const double t = seconds(t0, Clock::now());
    closeWindow(f);
    return t;
}

struct EditorBench {
    BenchProgram p;
    ChildForm source{p.f, QStringLiteral("frmPrgUN")};   // the program window the record comes from
    EditorBench() {
        InstallEditors();
        source.Tag() = WindowImageNew(21, std::string(PrgFileLen, '\x05'));
        ProgramEditorLink().prgRecBuild(&source, 5);
    }
    frmEditPrg* open() {
        ProgramEditorLink().show();
        return frmEditPrg::Open();
    }
};

void BM_OpenProgramEditor(benchmark::State& state) {
    EditorBench b;
    std::map<std::string, int> counts;
    if (frmEditPrg* ed = b.open()) {
        counts = widgetCounts(ed);
        PrgModified = false;
        closeWindow(ed);
    }
    TimeWindowOpen(
        state, b.p,
        [&]() -> ChildForm* {
            frmEditPrg* ed = b.open();
            PrgModified = false;   // closed without a question
            return ed;
        },
        [&] { return bareFormShow(b.p.f, counts); }, "the editor did not open");
}
BENCHMARK(BM_OpenProgramEditor)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_EditPrgFill(benchmark::State& state) {
    EditorBench b;
    frmEditPrg* ed = b.open();
    // Two programs in turn, so that every control changes.
    const std::string one = PrgRec;
    std::string two = one;
    for (int k = 18; k < 48; ++k) two[static_cast<std::size_t>(k)] = '\x01';
    bool first = false;
    for (auto _ : state) {
        PrgRec = (first = !first) ? two : one;
        ed->EditPrgFill();
        // The repaints it asked for, as the event loop runs them between fills.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditPrgFill)->Unit(benchmark::kMicrosecond);

// A slider moved: label, record, the oscillator select where its page asks
// for one, the message and its trailer queued. Arg 0: Detune on the BASIC
// page; 1: oscillator 2's Pitch EG intensity, OscHScroll(40).
void BM_SliderToQueue(benchmark::State& state) {
    EditorBench b;
    frmEditPrg* ed = b.open();
    ModeNow = 4;
    auto* s = state.range(0) == 0 ? FindControl<HScroll>(ed, "BasHScroll", 0) : FindControl<HScroll>(ed, "OscHScroll", 40);
    TimeScrollToQueue(state, s, -10, 10);
}
BENCHMARK(BM_SliderToQueue)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Oscillator 1's Pitch MG Frequency, OscHScroll(1), dragged from 0 to 99 in
// 200 ms: each step selects the oscillator and sends the value, 60 bytes
// with their trailers.
void BM_OscSliderDragToWire(benchmark::State& state) {
    EditorBench b;
    frmEditPrg* ed = b.open();
    ModeNow = 4;
    const std::string last = bytesOf({0xF0, 0x42, 0x30u | (static_cast<unsigned>(GlobalChannel) & 0x0F), 0x4D, 0x60, 11,
                                      3, 99, 0, 0xF7}) + std::string(20, '\0');
    DragToWire(state, *b.p.midi, FindControl<HScroll>(ed, "OscHScroll", 1), 0, 99, 2, last);
    PrgModified = false;
}
BENCHMARK(BM_OscSliderDragToWire)->Iterations(1)->Unit(benchmark::kMillisecond);

// A performance slider's click with the program editor open: the step of
// both oscillators (the bench program has two) through the editor's
// sliders, their labels, the record and the messages queued.
void BM_PerfSliderToQueue(benchmark::State& state) {
    EditorBench b;
    b.open();
    ModeNow = 4;
    RunNamed(NamedWindow::frmEditPerf);
    frmEditPerf* p = frmEditPerf::Open();
    if (!p) {
        state.SkipWithError("the performance editor did not open");
        return;
    }
    TimeScrollToQueue(state, p->PerfVScroll[0], -1, 1);
    PrgModified = false;
}
BENCHMARK(BM_PerfSliderToQueue)->Unit(benchmark::kMicrosecond);

// The multisample picker: five pages, 519 rows, against a bare window with
// a tab control of five plain lists holding the same rows.
void BM_OpenMultisamplePicker(benchmark::State& state) {
    EditorBench b;
    QStringList rows;
    for (unsigned n = 0; n < 519; ++n) rows << QString::fromLatin1(MultisampleText(n));
    TimeWindowOpen(
        state, b.p,
        [&]() -> ChildForm* {
            RunNamed(NamedWindow::frmMultisample);
            return frmMultisample::Open();
        },
        [&] {
            const auto t0 = Clock::now();
            auto* f = new ChildForm(b.p.f, "bare");
            auto* tabs = new QTabWidget(f);
            for (int p = 0; p < 5; ++p) {
                auto* l = new QListWidget;
                l->addItems(rows.mid(105 * p, 105));
                tabs->addTab(l, QString::number(p));
            }
            f->Move(0, 0, 9090, 5030);
            f->Show();
            tabs->resize(f->size());
            benchmark::DoNotOptimize(b.p.f->grab().cacheKey());
            const double t = seconds(t0, Clock::now());
            closeWindow(f);
            return t;
        },
        "the picker did not open");
}
BENCHMARK(BM_OpenMultisamplePicker)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A Global file's window in slot 1 on a file's 448 bytes.
struct GlobalBench {
    BenchProgram p;
    GlobalBench() {
        InstallEditors();
        GblFileData = GblMagic() + std::string(440, '\x07');
        GblDir = p.startDir.path().toStdString();
        GblName = "Stage";
    }
    frmGbl* open() {
        GblSlotCur = 1;
        return qobject_cast<frmGbl*>(ShowWindowOf(WinFamily::Gbl, 1));
    }
};

void BM_OpenGlobalWindow(benchmark::State& state) {
    GlobalBench b;
    std::map<std::string, int> counts;
    if (frmGbl* w = b.open()) {
        counts = widgetCounts(w);
        closeWindow(w);
    }
    TimeWindowOpen(
        state, b.p, [&]() -> ChildForm* { return b.open(); },
        [&] { return bareFormShow(b.p.f, counts, 4, 9072, 5640); }, "the window did not open");
}
BENCHMARK(BM_OpenGlobalWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A user-scale slider's step: image, label and the whole dump queued.
void BM_GlobalSliderToQueue(benchmark::State& state) {
    GlobalBench b;
    frmGbl* w = b.open();
    auto* s = FindControl<VScroll>(w, "VScroll2", 0);
    int v = 0;
    std::size_t queued = 0;
    for (auto _ : state) {
        v = v == 10 ? -10 : 10;
        s->setValue(v);
        state.PauseTiming();
        queued = MidiDev::Pending();   // the wire is busy: the whole dump waits
        MidiDev::ClearQueue();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["midi"] = MidiOn;
    state.counters["queued"] = static_cast<double>(queued);
}
BENCHMARK(BM_GlobalSliderToQueue)->Unit(benchmark::kMicrosecond);

}  // namespace
