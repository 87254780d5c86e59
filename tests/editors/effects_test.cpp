// The program editor's EFFECTS page: every row through its real control,
// the effect types' balance, the placement switch and the fill of the page.
#include <QFontMetrics>
#include <bit>
#include <random>

#include "editors/EffectNames.h"
#include "editorstest.h"

namespace {

enum Sends { Value, Effect };  // Effect: 47 - list index
enum Shows { None, Number, DryWet, Pan };
struct Row {
    const char* control;
    int index;
    int placement;  // -1 any; else the placement shown while it is edited
    long pos;
    unsigned mask;
    int group, param;
    Sends sends;
    int min, max;
    Shows label;
};
// Transcribed from the page's parameter lists.
const Row kRows[] = {
    {"EffCombo", 0, -1, 144, 0xFF, 16, 0, Effect, 0, 46, None},
    {"EffCombo", 2, -1, 145, 0xFF, 16, 2, Effect, 0, 46, None},
    {"EffCombo", 1, -1, 161, 0xFF, 17, 0, Value, 0, 5, None},
    {"EffCombo", 3, -1, 171, 0xFF, 17, 2, Value, 0, 5, None},
    {"EffCheck", 0, -1, 152, 0x01, 16, 1, Value, 0, 1, None},
    {"EffCheck", 1, -1, 152, 0x04, 16, 3, Value, 0, 1, None},
    {"EffHScroll", 0, -1, 146, 0xFF, 19, 7, Value, 0, 100, DryWet},
    {"EffHScroll", 2, -1, 148, 0xFF, 20, 7, Value, 0, 100, DryWet},
    {"EffHScroll", 1, -1, 162, 0xFF, 17, 1, Value, -15, 15, Number},
    {"EffHScroll", 3, -1, 172, 0xFF, 17, 3, Value, -15, 15, Number},
    {"EffHScroll", 5, 0, 150, 0xFF, 18, 1, Value, 0, 101, Pan},
    {"EffHScroll", 7, 2, 151, 0xFF, 18, 2, Value, 0, 101, Pan},
    {"EffHScroll", 4, 3, 150, 0xF0, 18, 1, Value, 0, 9, Number},
    {"EffHScroll", 5, 3, 150, 0x0F, 18, 2, Value, 0, 9, Number},
    {"EffHScroll", 6, 3, 151, 0xF0, 18, 3, Value, 0, 9, Number},
    {"EffHScroll", 7, 3, 151, 0x0F, 18, 4, Value, 0, 9, Number},
};

std::string shown(Shows s, int v) {
    if (s == DryWet && v == 0) return "DRY";
    if (s == DryWet && v == 100) return "FX";
    if (s == Pan && v == 0) return "OFF";
    if (s == Pan && v == 1) return "R";
    if (s == Pan && v == 101) return "L";
    if (s == Pan) return std::to_string(v - 1) + ":" + std::to_string(101 - v);
    return std::to_string(v);
}

class EffectsTest : public EditorOpenTest {
protected:
    void SetUp() override {
        EditorOpenTest::SetUp();
        ed->SSTab1->setTab(5);
    }
    int value(const char* control, int index) { return setRaw(control, index, NoValue); }
    ScrollBarBase* slider(int i) { return FindControl<ScrollBarBase>(ed, "EffHScroll", i); }
    ComboBox* placement() { return FindControl<ComboBox>(ed, "EffCombo", 4); }
    void fill(std::initializer_list<std::pair<long, unsigned>> bytes) {
        for (auto [pos, b] : bytes) put(PrgRec, pos, b);
        ed->EditPrgFill();
    }
};

TEST_F(EffectsTest, EveryRowStoresItsBitsSendsItsMessageAndFillsBack) {
    ModeNow = 0;  // the page edits in any mode: no PROGRAM mode change
    for (const Row& r : kRows)
        for (char base : {'\0', '\xFF'})
            for (int v : {r.min, r.max, (r.min + r.max) / 2 + 1, r.min < 0 ? -1 : r.max}) {
                SCOPED_TRACE(std::string(r.control) + std::to_string(r.index) + " = " + std::to_string(v) +
                             " over " + std::to_string(static_cast<unsigned char>(base)) + " placement " +
                             std::to_string(r.placement));
                PrgRec.replace(0, 172, 172, base);
                // A placement of 7 (bits 4-6 set) shows the output pans, as 0-2 do.
                if (r.placement == 3) put(PrgRec, 152, (at(PrgRec, 152) & 0x8F) | 0x30);
                ed->EditPrgFill();
                std::string want = PrgRec;
                set(r.control, r.index, v);
                const int s = r.sends == Effect ? 47 - v : v;
                const unsigned shift = static_cast<unsigned>(std::countr_zero(r.mask));
                put(want, r.pos, (at(want, r.pos) & ~r.mask) | ((static_cast<unsigned>(s) << shift) & r.mask));
                EXPECT_EQ(PrgRec, want);
                const std::string msg = param(r.group, r.param, s & 0x7F, s < 0 ? 0x7F : s / 128);
                EXPECT_EQ(sent(), msg);
                EXPECT_EQ(monitor.text, MidiMonFormat(msg.substr(0, 10)));
                EXPECT_TRUE(PrgModified);
                set(r.control, r.index, v == r.min ? r.max : r.min);
                PrgRec = want;
                ed->EditPrgFill();
                EXPECT_EQ(value(r.control, r.index), v);
                if (r.label != None) {
                    EXPECT_EQ(FindControl<Label>(ed, "EffLab", r.index)->Caption(), shown(r.label, v));
                }
                sent();
            }
}

// Each bit of the program belongs to one row, but the two meanings of the
// I/O sliders share bytes 150 and 151.
TEST_F(EffectsTest, NoTwoRowsOwnTheSameBitButTheTwoMeaningsOfTheIoSliders) {
    const PrgParamTable& t = ProgramParams();
    auto io = [&t](const ParamRow* r) {
        for (int i = 4; i < 8; ++i)
            if (r == t.EffHScroll[static_cast<std::size_t>(i)] || r == t.EffHScrollPan[static_cast<std::size_t>(i)])
                return true;
        return false;
    };
    auto bits = [](const ParamRow& r) {
        std::map<long, unsigned> b;
        if (r.width == 16) return std::map<long, unsigned>{{r.pos, 0xFFu}, {r.pos + 1, 0xFFu}};
        b[r.pos] = r.width >= 8 ? 0xFFu : ((1u << r.width) - 1u) << r.shift;
        return b;
    };
    for (const ParamRow& a : t.rows)
        for (const ParamRow& b : t.rows) {
            if (&a == &b) continue;
            const auto ba = bits(a), bb = bits(b);
            for (auto [pos, m] : ba) {
                const auto it = bb.find(pos);
                if (it == bb.end() || (it->second & m) == 0) continue;
                const bool twoMeanings = io(&a) && io(&b) && std::string_view(a.control) != b.control;
                EXPECT_TRUE(twoMeanings) << a.control << a.index << " and " << b.control << b.index << " at " << pos;
            }
        }
    ASSERT_EQ(EffectNames.size(), 48u);
    EXPECT_STREQ(EffectNames[0], "No Effect");
    EXPECT_STREQ(EffectNames[34], "Rotary Speaker");
    EXPECT_STREQ(EffectNames[47], "Delay/Rotary");
    const ParamRow& type = *t.EffCombo[0];
    EXPECT_STREQ(type.items.front(), "Delay/Rotary");
    EXPECT_STREQ(type.items.back(), "No Effect");
}

// "No Effect" chosen has no balance; another effect has one again.
TEST_F(EffectsTest, EffectTypeAndPanAnchors) {
    fill({{144, 5}, {145, 5}});
    auto balanceOn = [this] {
        const bool on = slider(0)->Enabled();
        EXPECT_EQ(FindControl<Label>(ed, "EffLab", 0)->Enabled(), on);
        EXPECT_EQ(FindControl<Label>(ed, "EffLab1", 0)->Enabled(), on);
        return on;
    };
    EXPECT_TRUE(balanceOn());
    set("EffCombo", 0, 47);
    EXPECT_EQ(FindControl<ComboBox>(ed, "EffCombo", 0)->Text(), "No Effect");
    EXPECT_EQ(sent(), param(16, 0, 0, 0));
    EXPECT_FALSE(balanceOn());
    EXPECT_TRUE(slider(2)->Enabled());
    FindControl<ComboBox>(ed, "EffCombo", 0)->setListIndex(46);
    EXPECT_EQ(FindControl<ComboBox>(ed, "EffCombo", 0)->Text(), "Hall");
    EXPECT_EQ(at(PrgRec, 144), 0x01);
    EXPECT_TRUE(balanceOn());
    for (auto [v, text] : {std::pair{1, "R"}, {2, "1:99"}, {100, "99:1"}}) {
        set("EffHScroll", 5, v);
        EXPECT_EQ(FindControl<Label>(ed, "EffLab", 5)->Caption(), text);
    }
}

// Every slider the new placement shows is stored and sent once, in slider
// order, then the placement; what the page shows is what the program holds.
TEST_F(EffectsTest, PlacementSwitch) {
    fill({{150, 0x3C}, {151, 0x00}, {152, 0x00}});
    const std::vector<std::pair<long, unsigned>> returns = {{150, 0x55}, {151, 0x55}, {152, 0x30}};
    auto pageMatchesProgram = [this] {
        std::vector<int> shown;
        for (int i = 4; i < 8; ++i) shown.push_back(slider(i)->Visible() ? slider(i)->Value() : -1);
        const std::string before = PrgRec;
        ed->EditPrgFill();
        for (int i = 4; i < 8; ++i)
            EXPECT_EQ(slider(i)->Visible() ? slider(i)->Value() : -1, shown[static_cast<std::size_t>(i - 4)]) << i;
        EXPECT_EQ(PrgRec, before);
        EXPECT_EQ(sent(), "");
    };
    placement()->setListIndex(3);
    EXPECT_EQ(sent(), param(18, 1, 5, 0) + param(18, 2, 5, 0) + param(18, 3, 5, 0) + param(18, 4, 5, 0) +
                          param(18, 0, 3, 0));
    EXPECT_EQ(PrgRec.substr(149, 3), bytesOf({0x55, 0x55, 0x30}));
    const char* captions[] = {"FX 1 Return L", "FX 1 Return R", "FX 2 Return L", "FX 2 Return R"};
    for (int i = 4; i < 8; ++i) {
        EXPECT_TRUE(slider(i)->Visible());
        EXPECT_EQ(slider(i)->Value(), 5);
        EXPECT_EQ(slider(i)->Max(), 9);
        EXPECT_EQ(FindControl<Label>(ed, "EffLab", i)->Caption(), "5");
        EXPECT_EQ(FindControl<Label>(ed, "EffLab1", i)->Caption(), captions[i - 4]);
    }
    pageMatchesProgram();

    placement()->setListIndex(0);
    EXPECT_EQ(sent(), param(18, 1, 0, 0) + param(18, 2, 0, 0) + param(18, 0, 0, 0));
    EXPECT_EQ(PrgRec.substr(149, 3), bytesOf({0x00, 0x00, 0x00}));
    for (int i : {4, 6}) {
        EXPECT_FALSE(slider(i)->Visible());
        EXPECT_FALSE(FindControl<Label>(ed, "EffLab", i)->Visible());
        EXPECT_FALSE(FindControl<Label>(ed, "EffLab1", i)->Visible());
    }
    for (int i : {5, 7}) {
        EXPECT_EQ(slider(i)->Value(), 0);
        EXPECT_EQ(slider(i)->Max(), 101);
        EXPECT_EQ(FindControl<Label>(ed, "EffLab", i)->Caption(), "OFF");
    }
    EXPECT_EQ(FindControl<Label>(ed, "EffLab1", 7)->Caption(), "Output D Pan");
    pageMatchesProgram();

    // From pans to pans; the switches and bit 7 of 152 are kept.
    fill({{150, 0x21}, {151, 0x44}, {152, 0x85}});
    placement()->setListIndex(2);
    EXPECT_EQ(sent(), param(18, 1, 0, 0) + param(18, 2, 0, 0) + param(18, 0, 2, 0));
    EXPECT_EQ(PrgRec.substr(149, 3), bytesOf({0x00, 0x00, 0xA5}));
    pageMatchesProgram();
    placement()->setListIndex(3);
    EXPECT_EQ(at(PrgRec, 152), 0xB5u);
    sent();
    pageMatchesProgram();
}

TEST_F(EffectsTest, FillShowsTheProgramAndChangesNothing) {
    struct Case {
        std::vector<std::pair<long, unsigned>> bytes;
        const char* control;
        int index, shows;
    };
    const Case cases[] = {
        {{{144, 0x00}}, "EffCombo", 0, 47}, {{{144, 0x2F}}, "EffCombo", 0, 0}, {{{144, 0x60}}, "EffCombo", 0, 47},
        {{{145, 0x01}}, "EffCombo", 2, 46}, {{{161, 0x09}}, "EffCombo", 1, 0}, {{{171, 0x05}}, "EffCombo", 3, 5},
        {{{162, 0xF1}}, "EffHScroll", 1, -15}, {{{172, 0x0F}}, "EffHScroll", 3, 15},
        {{{146, 0x64}}, "EffHScroll", 0, 100}, {{{152, 0x30}}, "EffCombo", 4, 3},
        {{{152, 0x10}}, "EffCombo", 4, 1}, {{{152, 0x45}}, "EffCombo", 4, -1},
        {{{152, 0x45}}, "EffCheck", 0, 1}, {{{152, 0x45}}, "EffCheck", 1, 1},
        // Each placement's sliders set up before they take the program's
        // values, whatever the program before showed.
        {{{152, 0x30}, {150, 0x3C}}, "EffHScroll", 4, 3}, {{{152, 0x30}, {150, 0x3C}}, "EffHScroll", 5, 9},
        {{{152, 0x00}, {150, 0x50}}, "EffHScroll", 5, 80}, {{{152, 0x30}, {151, 0x72}}, "EffHScroll", 6, 7},
        {{{152, 0x70}, {151, 0x65}}, "EffHScroll", 7, 101},
    };
    PrgModified = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + "(" + std::to_string(c.index) + ")");
        for (auto [pos, b] : c.bytes) put(PrgRec, pos, b);
        const std::string before = PrgRec;
        ed->EditPrgFill();
        EXPECT_EQ(value(c.control, c.index), c.shows);
        EXPECT_EQ(PrgRec, before);
        EXPECT_EQ(sent(), "");
        EXPECT_TRUE(PrgModified);
        // "No Effect", also for a number past the list, has no balance.
        const unsigned type1 = at(PrgRec, 144);
        EXPECT_EQ(slider(0)->Enabled(), type1 != 0 && type1 <= 47);
        EXPECT_EQ(FindControl<Label>(ed, "EffLab1", 0)->Enabled(), slider(0)->Enabled());
        const bool returns = ((at(PrgRec, 152) >> 4) & 7) == 3;
        for (int i = 4; i < 8; ++i) {
            EXPECT_EQ(slider(i)->Visible(), returns || i == 5 || i == 7) << i;
            if (slider(i)->Visible()) {
                EXPECT_EQ(slider(i)->Max(), returns ? 9 : 101) << i;
            }
        }
    }
    fill({{145, 0x00}});
    EXPECT_FALSE(slider(2)->Enabled());
    EXPECT_FALSE(FindControl<Label>(ed, "EffLab", 2)->Enabled());
}

// What the fill shows, every handler stores back unchanged.
TEST_F(EffectsTest, FillThenEveryHandlerLeavesTheProgramAsItWas) {
    const PrgParamTable& t = ProgramParams();
    std::mt19937 rng(11);
    auto any = [&rng](const ParamRow& r) { return r.min + static_cast<int>(rng() % static_cast<unsigned>(r.max - r.min + 1)); };
    for (int n = 0; n < 200; ++n) {
        std::string rec = PrgRec;
        for (int k = 0; k < 172; ++k) rec[static_cast<std::size_t>(k)] = static_cast<char>(rng() & 0xFF);
        for (const ParamRow* r : t.EffCombo) ParamStore(rec, *r, any(*r));
        for (const ParamRow* r : t.EffCheck) ParamStore(rec, *r, any(*r));
        for (int i = 0; i < 4; ++i) ParamStore(rec, *t.EffHScroll[static_cast<std::size_t>(i)], any(*t.EffHScroll[static_cast<std::size_t>(i)]));
        const bool returns = (at(rec, 152) >> 4 & 7) == 3;
        for (int i = 4; i < 8; ++i) {
            const ParamRow* r = returns ? t.EffHScroll[static_cast<std::size_t>(i)] : t.EffHScrollPan[static_cast<std::size_t>(i)];
            if (r) ParamStore(rec, *r, any(*r));
        }
        PrgRec = rec;
        ed->EditPrgFill();
        for (int i = 0; i < 4; ++i) ed->EffCombo_Click(i);
        for (int i = 0; i < 2; ++i) ed->EffCheck_Click(i);
        for (int i = 0; i < 8; ++i) ed->EffHScroll_Change(i);
        ASSERT_EQ(PrgRec, rec) << "program " << n;
    }
}

// Every control of the page stands inside the page at the editor's size,
// with room for its text.
TEST_F(EffectsTest, EveryControlReadableOnThePage) {
    fill({{152, 0x30}});
    QWidget* page = ed->SSTab1->page(static_cast<int>(PrgPage::Effects));
    EXPECT_LE(page->width(), twipsToPxX(9330));
    EXPECT_LE(page->height(), twipsToPxY(5720));
    const auto controls = page->findChildren<QWidget*>();
    int labels = 0;
    for (QWidget* w : controls) {
        if (!w->isVisibleTo(page) || (w->objectName().isEmpty() && !qobject_cast<QLabel*>(w))) continue;
        const QRect r(w->mapTo(page, QPoint(0, 0)), w->size());
        EXPECT_TRUE(page->rect().contains(r)) << w->objectName().toStdString();
        if (auto* l = dynamic_cast<Label*>(w)) {
            ++labels;
            EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(QString::fromStdString(l->Caption())), l->width())
                << l->Caption();
        }
        if (auto* c = dynamic_cast<ComboBox*>(w)) {
            for (int k = 0; k < c->count(); ++k) {
                EXPECT_LE(QFontMetrics(c->font()).horizontalAdvance(c->itemText(k)) + 20, c->width())
                    << c->itemText(k).toStdString();
            }
        }
    }
    EXPECT_GE(labels, 8 + 13);
    auto* pan = FindControl<Label>(ed, "EffLab", 5);
    EXPECT_LE(QFontMetrics(pan->font()).horizontalAdvance("50:50"), pan->width());
}

}  // namespace

namespace {
struct RecordOnly : ParamTarget {
    std::string rec = std::string(4, '\0');
    std::string& record() override { return rec; }
    bool quiet() const override { return false; }
    void stored(const ParamRow&) override {}
    bool send(const ParamRow&, int) override { return false; }
};

// One control with two meanings: the binder's walk fills the first only.
TEST_F(EffectsTest, ARowLeftOutOfTheBindersFillIsFilledWhenAsked) {
    RecordOnly target;
    ParamBinder binder(target);
    QWidget parent;
    const ParamRow nibble = ParamRowMake("", "", "Bar", 0, ParamCtl::HScroll, 0, 9, 1, 4, 4, ParamCodec::AsIs);
    const ParamRow whole = ParamRowMake("", "", "Bar", 0, ParamCtl::HScroll, 0, 101, 1, 0, 8, ParamCodec::AsIs);
    auto* bar = static_cast<ScrollBarBase*>(binder.create(nibble, &parent));
    binder.adopt(whole, bar);
    binder.leaveOutOfFillAll(whole);
    put(target.rec, 1, 0x3C);
    binder.fillAll();
    EXPECT_EQ(bar->Value(), 3);
    bar->setMax(101);
    binder.fill(whole);
    EXPECT_EQ(bar->Value(), 60);
}
}  // namespace
