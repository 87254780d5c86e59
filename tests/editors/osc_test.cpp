// The oscillator pages through the real controls: every slider, list and
// check box of both oscillators (the bits it changes, the oscillator select
// and message it sends, what the fill shows), the display rules, and the
// fill's round trip.
#include <bit>
#include <map>
#include <random>

#include "editorstest.h"

namespace {

enum Sends { Value, Index, Pan, Polarity };
struct Row {
    const char* control;
    int index;
    long pos;
    unsigned mask;
    int group, param;
    Sends sends;
    int min, max;
};
// Oscillator 1, transcribed from the editor's parameter lists; oscillator 2
// is each slider + 40, list + 21, check box + 1, 47 bytes later.
const Row kOsc1[] = {
    {"OscHScroll", 0, 49, 0xFF, 2, 4, Value, -99, 99},   {"OscHScroll", 1, 51, 0xFF, 11, 3, Value, 0, 99},
    {"OscHScroll", 2, 52, 0xFF, 11, 4, Value, 0, 99},    {"OscHScroll", 3, 53, 0xFF, 11, 5, Value, 0, 99},
    {"OscHScroll", 4, 54, 0xFF, 11, 2, Value, 0, 99},    {"OscHScroll", 5, 55, 0xFF, 11, 7, Value, -99, 99},
    {"OscHScroll", 6, 56, 0xFF, 12, 2, Value, 0, 99},    {"OscHScroll", 7, 57, 0xFF, 12, 1, Value, 0, 99},
    {"OscHScroll", 8, 58, 0xFF, 12, 3, Value, 0, 9},     {"OscHScroll", 9, 59, 0xFF, 4, 1, Value, 0, 99},
    {"OscHScroll", 10, 60, 0xFF, 6, 2, Value, 0, 127},   {"OscHScroll", 11, 61, 0xFF, 6, 1, Value, -99, 99},
    {"OscHScroll", 12, 62, 0xFF, 4, 2, Value, 0, 99},    {"OscHScroll", 13, 63, 0xFF, 6, 4, Value, 0, 99},
    {"OscHScroll", 14, 64, 0xFF, 7, 3, Value, 0, 99},    {"OscHScroll", 15, 65, 0xFF, 7, 1, Value, -99, 99},
    {"OscHScroll", 16, 66, 0xFF, 5, 0, Value, 0, 99},    {"OscHScroll", 17, 67, 0xFF, 5, 1, Value, -99, 99},
    {"OscHScroll", 18, 68, 0xFF, 5, 2, Value, 0, 99},    {"OscHScroll", 19, 69, 0xFF, 5, 3, Value, -99, 99},
    {"OscHScroll", 20, 70, 0xFF, 5, 4, Value, 0, 99},    {"OscHScroll", 21, 71, 0xFF, 5, 5, Value, -99, 99},
    {"OscHScroll", 22, 72, 0xFF, 5, 6, Value, 0, 99},    {"OscHScroll", 23, 73, 0xFF, 5, 7, Value, -99, 99},
    {"OscHScroll", 24, 74, 0xFF, 2, 2, Value, 0, 99},    {"OscHScroll", 25, 75, 0xFF, 9, 2, Value, 0, 127},
    {"OscHScroll", 26, 76, 0xFF, 9, 1, Value, -99, 99},  {"OscHScroll", 27, 77, 0xFF, 10, 1, Value, -99, 99},
    {"OscHScroll", 28, 78, 0xFF, 9, 4, Value, 0, 99},    {"OscHScroll", 29, 79, 0xFF, 10, 2, Value, 0, 99},
    {"OscHScroll", 30, 80, 0xFF, 8, 1, Value, 0, 99},    {"OscHScroll", 31, 81, 0xFF, 8, 2, Value, 0, 99},
    {"OscHScroll", 32, 82, 0xFF, 8, 3, Value, 0, 99},    {"OscHScroll", 33, 83, 0xFF, 8, 4, Value, 0, 99},
    {"OscHScroll", 34, 84, 0xFF, 8, 5, Value, 0, 99},    {"OscHScroll", 35, 85, 0xFF, 8, 6, Value, 0, 99},
    {"OscHScroll", 36, 86, 0xFF, 8, 7, Value, 0, 99},    {"OscHScroll", 37, 92, 0xFF, 4, 3, Value, 0, 99},
    {"OscHScroll", 38, 93, 0xFF, 7, 2, Value, -99, 99},  {"OscHScroll", 39, 95, 0xFF, 2, 5, Pan, 0, 31},
    {"OscCombo", 0, 50, 0x07, 11, 1, Index, 0, 4},       {"OscCombo", 1, 91, 0xF0, 2, 6, Index, 0, 9},
    {"OscCombo", 2, 91, 0x0F, 2, 7, Index, 0, 9},        {"OscCombo", 3, 94, 0x0F, 6, 3, Index, 0, 3},
    {"OscCombo", 4, 94, 0xF0, 9, 3, Index, 0, 3},
    {"OscCombo", 5, 87, 0x11, 6, 5, Polarity, 0, 2},     {"OscCombo", 6, 87, 0x22, 6, 6, Polarity, 0, 2},
    {"OscCombo", 7, 87, 0x44, 6, 7, Polarity, 0, 2},     {"OscCombo", 8, 87, 0x88, 6, 8, Polarity, 0, 2},
    {"OscCombo", 9, 88, 0x11, 7, 4, Polarity, 0, 2},     {"OscCombo", 10, 88, 0x22, 7, 5, Polarity, 0, 2},
    {"OscCombo", 11, 88, 0x44, 7, 6, Polarity, 0, 2},    {"OscCombo", 12, 88, 0x88, 7, 7, Polarity, 0, 2},
    {"OscCombo", 13, 89, 0x11, 9, 5, Polarity, 0, 2},    {"OscCombo", 14, 89, 0x22, 9, 6, Polarity, 0, 2},
    {"OscCombo", 15, 89, 0x44, 9, 7, Polarity, 0, 2},    {"OscCombo", 16, 89, 0x88, 9, 8, Polarity, 0, 2},
    {"OscCombo", 17, 90, 0x11, 10, 3, Polarity, 0, 2},   {"OscCombo", 18, 90, 0x22, 10, 4, Polarity, 0, 2},
    {"OscCombo", 19, 90, 0x44, 10, 5, Polarity, 0, 2},   {"OscCombo", 20, 90, 0x88, 10, 6, Polarity, 0, 2},
    {"OscCheck", 0, 50, 0x80, 11, 6, Index, 0, 1},
};

struct OscRow : Row {
    int osc;
};
std::vector<OscRow> allRows() {
    std::vector<OscRow> rows;
    for (int osc = 1; osc <= 2; ++osc)
        for (Row r : kOsc1) {
            if (osc == 2) {
                r.index += r.control == std::string("OscHScroll") ? 40 : r.control == std::string("OscCombo") ? 21 : 1;
                r.pos += 47;
            }
            rows.push_back({r, osc});
        }
    return rows;
}

// The field value a control value stores, and the value it sends.
unsigned fieldOf(const Row& r, int v) {
    switch (r.sends) {
    case Value: return static_cast<unsigned>(v) & 0xFF;
    case Index: return static_cast<unsigned>(v) << std::countr_zero(r.mask);
    case Pan: return v == 0 ? 0xFF : static_cast<unsigned>(v - 1);
    case Polarity: return v == 0 ? r.mask : v == 2 ? r.mask & 0x0F : 0;
    }
    return 0;
}
int sentOf(const Row& r, int v) { return r.sends == Pan ? v - 1 : v; }

class OscTest : public EditorOpenTest {
protected:
    std::string label(int i) { return FindControl<Label>(ed, "OscLab", i)->Caption(); }
    static std::string select(int osc) { return param(2, 0, static_cast<unsigned>(osc - 1), 0); }
};

TEST_F(OscTest, EveryOscillatorRowStoresItsBitsSelectsItsOscillatorAndFillsBack) {
    const std::vector<OscRow> rows = allRows();
    ASSERT_EQ(rows.size(), 124u);
    std::map<long, unsigned> owned;  // no bit has two rows
    for (const OscRow& r : rows) {
        EXPECT_EQ(owned[r.pos] & r.mask, 0u) << r.control << r.index;
        owned[r.pos] |= r.mask;
    }
    for (const OscRow& r : rows)
        for (char base : {'\0', '\xFF'})
            for (int v : {r.min, r.max, (r.min + r.max) / 2 + 1, r.min < 0 ? -1 : r.max}) {
                SCOPED_TRACE(std::string(r.control) + std::to_string(r.index) + " = " + std::to_string(v) + " over " +
                             std::to_string(static_cast<unsigned char>(base)));
                PrgOscSel = 3 - r.osc;  // the other oscillator was being edited
                PrgRec.replace(0, 172, 172, base);
                ed->EditPrgFill();
                EXPECT_EQ(sent(), "");
                std::string want = PrgRec;
                set(r.control, r.index, v);
                put(want, r.pos, (at(want, r.pos) & ~r.mask) | (fieldOf(r, v) & r.mask));
                EXPECT_EQ(PrgRec, want);
                const int s = sentOf(r, v);
                const std::string msg = param(r.group, r.param, s & 0x7F, s < 0 ? 0x7F : s / 128);
                EXPECT_EQ(sent(), select(r.osc) + msg);
                EXPECT_NE(monitor.text.find(MidiMonFormat(msg.substr(0, 10))), std::string::npos);
                EXPECT_EQ(PrgOscSel, r.osc);
                EXPECT_TRUE(PrgModified);
                set(r.control, r.index, v == r.min ? r.max : r.min);
                PrgRec = want;
                ed->EditPrgFill();
                EXPECT_EQ(setRaw(r.control, r.index, NoValue), v);
                if (r.sends == Value && r.max != 127) {
                    EXPECT_EQ(label(r.index), std::to_string(v));
                }
                sent();
            }
}

TEST_F(OscTest, AnchorsAndDisplayRules) {
    struct Anchor {
        const char* control;
        int index, value;
        long pos;
        unsigned before, after;
        const char* shows;  // the value label, or the list item
        int osc;            // the select sent (0: the message is not checked)
        unsigned g = 0, i = 0, lo = 0, hi = 0;
    };
    const Anchor anchors[] = {
        {"OscHScroll", 40, -99, 96, 0x00, 0x9D, "-99", 2, 2, 4, 0x1D, 0x7F},
        {"OscHScroll", 10, 61, 60, 0x00, 0x3D, "C#4", 0},
        {"OscHScroll", 10, 0, 60, 0xFF, 0x00, "C-1", 0},
        {"OscHScroll", 10, 127, 60, 0x00, 0x7F, "G9", 1, 6, 2, 0x7F, 0x00},
        {"OscHScroll", 65, 60, 122, 0x00, 0x3C, "C4", 0},
        {"OscHScroll", 39, 0, 95, 0x00, 0xFF, "OFF", 1, 2, 5, 0x7F, 0x7F},
        {"OscHScroll", 39, 1, 95, 0xFF, 0x00, "L15", 0},
        {"OscHScroll", 39, 15, 95, 0xFF, 0x0E, "L1", 0},
        {"OscHScroll", 39, 16, 95, 0xFF, 0x0F, "CNT", 0},
        {"OscHScroll", 39, 17, 95, 0xFF, 0x10, "R1", 0},
        {"OscHScroll", 79, 31, 142, 0xFF, 0x1E, "R15", 2, 2, 5, 0x1E, 0x00},
        {"OscCombo", 3, 2, 94, 0xFF, 0xF2, " HIGH", 0},
        {"OscCombo", 3, 2, 94, 0x00, 0x02, " HIGH", 1, 6, 3, 0x02, 0x00},
        {"OscCombo", 4, 3, 94, 0x00, 0x30, " ALL", 0},
        {"OscCombo", 20, 2, 90, 0xFF, 0x7F, " +", 0},
        {"OscCombo", 20, 2, 90, 0x00, 0x08, " +", 1, 10, 6, 0x02, 0x00},
        {"OscCombo", 5, 0, 87, 0x00, 0x11, " -", 0},
        {"OscCombo", 5, 1, 87, 0xFF, 0xEE, " 0", 0},
        {"OscCombo", 1, 9, 91, 0x0F, 0x9F, " 9", 1, 2, 6, 0x09, 0x00},
        {"OscCombo", 21, 1, 97, 0x00, 0x01, "SAW UP ", 2, 11, 1, 0x01, 0x00},
        {"OscCombo", 21, 2, 97, 0x00, 0x02, "SAW DOWN ", 0},
        {"OscCombo", 0, 1, 50, 0x00, 0x01, "SAW UP", 0},
        {"OscCheck", 1, 1, 97, 0x00, 0x80, "ON. Key sync", 2, 11, 6, 0x01, 0x00},
    };
    for (const Anchor& a : anchors) {
        SCOPED_TRACE(std::string(a.control) + std::to_string(a.index) + " = " + std::to_string(a.value));
        PrgOscSel = 1;
        put(PrgRec, a.pos, a.before);
        ed->EditPrgFill();
        sent();
        set(a.control, a.index, a.value);
        EXPECT_EQ(at(PrgRec, a.pos), a.after);
        if (a.osc) {
            EXPECT_EQ(sent(), select(a.osc) + param(static_cast<int>(a.g), static_cast<int>(a.i), a.lo, a.hi));
        }
        sent();
        if (auto* c = FindControl<ComboBox>(ed, a.control, a.index)) {
            EXPECT_EQ(c->List(c->ListIndex()), a.shows);
        } else if (auto* k = FindControl<CheckBox>(ed, a.control, a.index)) {
            EXPECT_EQ(k->Caption(), a.shows);
        } else {
            EXPECT_EQ(label(a.index), a.shows);
        }
    }
}

// The fill shows what it can and leaves the record and the instrument alone.
TEST_F(OscTest, FillShowsTheRecordAndSendsNothing) {
    struct Filled {
        long pos;
        unsigned byte;
        const char* control;
        int index, shows;
        const char* label;
    };
    const Filled filled[] = {
        {94, 0x21, "OscCombo", 3, 1, nullptr},  {94, 0x21, "OscCombo", 4, 2, nullptr},
        {141, 0x03, "OscCombo", 24, 3, nullptr}, {141, 0x03, "OscCombo", 25, 0, nullptr},
        {95, 0xFF, "OscHScroll", 39, 0, "OFF"},  {95, 0x0F, "OscHScroll", 39, 16, "CNT"},
        {95, 0x40, "OscHScroll", 39, 31, "R15"}, {87, 0x10, "OscCombo", 5, -1, nullptr},
        {87, 0x01, "OscCombo", 5, 2, nullptr},   {136, 0x80, "OscCombo", 37, -1, nullptr},
        {91, 0xA9, "OscCombo", 1, -1, nullptr},  {91, 0xA9, "OscCombo", 2, 9, nullptr},
        {94, 0x4F, "OscCombo", 3, -1, nullptr},  {94, 0x4F, "OscCombo", 4, -1, nullptr},
        {96, 0x9D, "OscHScroll", 40, -99, "-99"}, {106, 0x80, "OscHScroll", 49, 99, "99"},
        {97, 0x87, "OscCheck", 1, 1, nullptr},   {97, 0x87, "OscCombo", 21, -1, nullptr},
        {50, 0x04, "OscCheck", 0, 0, nullptr},   {50, 0x04, "OscCombo", 0, 4, nullptr},
    };
    for (const Filled& f : filled) {
        SCOPED_TRACE(std::string(f.control) + std::to_string(f.index) + " from " + std::to_string(f.byte));
        PrgModified = false;
        put(PrgRec, f.pos, f.byte);
        const std::string before = PrgRec;
        ed->EditPrgFill();
        EXPECT_EQ(setRaw(f.control, f.index, NoValue), f.shows);
        if (f.label) {
            EXPECT_EQ(label(f.index), f.label);
        }
        EXPECT_EQ(PrgRec, before);
        EXPECT_FALSE(PrgModified);
        EXPECT_EQ(sent(), "");
    }
}

// A drag sends its steps faster than the wire takes them: a value still
// waiting gives way to a newer one of the same parameter and oscillator, so
// the instrument ends on the latest value with at most one older step ahead
// of it; a value with anything else queued behind it goes out as it was.
TEST_F(OscTest, ADragEndsOnTheLatestValueAndKeepsEverythingBetween) {
    auto freq = [](int osc, int v) { return select(osc) + param(11, 3, static_cast<unsigned>(v), 0); };
    set("OscHScroll", 1, 0);
    sent();
    // 0 to 99, a step every 2 ms; the wire takes one step in 19.2 ms.
    auto* s = FindControl<HScroll>(ed, "OscHScroll", 1);
    for (int v = 1; v <= 99; ++v) {
        s->setValue(v);
        if (v < 99) Timer::Advance(2);
    }
    const std::size_t stopped = midi->writes().size();
    Timer::Advance(3000);
    std::string wire, after;  // before and after the mouse stopped
    const auto writes = midi->writes();
    for (std::size_t k = 0; k < writes.size(); ++k) (k < stopped ? wire : after) += writes[k].bytes;
    midi->clear();
    EXPECT_TRUE((wire + after).ends_with(freq(1, 99)));
    EXPECT_LE(after.size(), 2 * freq(1, 99).size());
    EXPECT_EQ(monitor.text, MidiMonFormat(freq(1, 99).substr(30, 10)));

    // The wire busy: oscillator 2's twin, or another parameter, between two
    // values keeps both; 12, with only its select again behind it, gives way.
    set("OscHScroll", 1, 10);
    set("OscHScroll", 41, 10);
    set("OscHScroll", 1, 11);
    set("OscHScroll", 2, 5);
    set("OscHScroll", 1, 12);
    set("OscHScroll", 1, 13);
    EXPECT_EQ(sent(), freq(1, 10) + freq(2, 10) + freq(1, 11) + select(1) + param(11, 4, 5, 0) + freq(1, 13));
}

// Any valid program, shown and every control set to what it shows, is the
// same program.
TEST_F(OscTest, RoundTripOfRandomPrograms) {
    const std::vector<OscRow> rows = allRows();
    std::mt19937 rng(25);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int n = 0; n < 200; ++n) {
        SCOPED_TRACE("program " + std::to_string(n));
        for (long p = 1; p <= 172; ++p) put(PrgRec, p, static_cast<unsigned>(pick(0, 255)));
        for (const OscRow& r : rows) {
            const int v = pick(r.min, r.max);
            put(PrgRec, r.pos, (at(PrgRec, r.pos) & ~r.mask) | (fieldOf(r, v) & r.mask));
        }
        const std::string program = PrgRec;
        ed->EditPrgFill();
        EXPECT_EQ(PrgRec, program);
        for (const OscRow& r : rows) set(r.control, r.index, setRaw(r.control, r.index, NoValue));
        ASSERT_EQ(PrgRec, program);
        sent();
    }
}

}  // namespace

namespace {
// At the editor's standard size every control of the four oscillator pages
// stands whole inside the window and its frame, and no two overlap.
TEST_F(OscTest, OscillatorPagesFitTheStandardSize) {
    ed->Move(0, 0, 9330, 5720);
    EXPECT_EQ(FindControls<HScroll>(ed, "OscHScroll").size(), 80u);
    EXPECT_EQ(FindControls<Label>(ed, "OscLab").size(), 80u);
    EXPECT_EQ(FindControls<ComboBox>(ed, "OscCombo").size(), 42u);
    EXPECT_EQ(FindControls<CheckBox>(ed, "OscCheck").size(), 2u);
    for (int p = 1; p <= 4; ++p) {
        SCOPED_TRACE("page " + std::to_string(p));
        ed->SSTab1->setTab(p);
        std::vector<std::pair<QRect, QWidget*>> placed;
        for (Frame* f : ed->findChildren<Frame*>()) {
            if (!f->isVisible()) continue;
            EXPECT_TRUE(ed->rect().contains(QRect(f->mapTo(ed, QPoint(0, 0)), f->size()))) << f->Caption();
            for (QWidget* c : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!c->isVisible()) continue;
                EXPECT_TRUE(f->rect().contains(c->geometry())) << f->Caption() << ": " << c->objectName().toStdString();
                const QRect r(c->mapTo(ed, QPoint(0, 0)), c->size());
                for (const auto& [other, w] : placed)
                    EXPECT_FALSE(other.intersects(r)) << c->objectName().toStdString() << " over "
                                                      << w->objectName().toStdString() << " in " << f->Caption();
                placed.emplace_back(r, c);
            }
        }
        EXPECT_GT(placed.size(), 20u);
    }
}
}  // namespace
