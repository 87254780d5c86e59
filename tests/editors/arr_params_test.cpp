// Every stored control of the arrangement editor through the real control:
// the bits of the arrangement it changes, the message it sends, and what
// the fill shows back.
#include <set>

#include "arrtest.h"

namespace {

// How a control's value v becomes the byte (from the old one), the value
// sent and the negative flag, as the editor's parameter lists give them.
enum Coding { Index, Bit, Ensemble, Transpose, Tempo, Effect, Pan, Octave, CSend, DSend, Out1, Out2, Wrap };
struct Expect {
    unsigned byte;
    int value, neg;
};
Expect expected(Coding c, int bit, int v, unsigned old) {
    switch (c) {
    case Index: return {unsigned(v), v, 0};
    case Bit: return {(old & ~(1u << bit)) | (unsigned(v) << bit), v, 0};
    case Ensemble: return {(old & 128u) | unsigned(v), v, 0};
    case Transpose: return {unsigned(v <= 11 ? 11 - v : 267 - v), v <= 11 ? 11 - v : 267 - v, v >= 12};
    case Tempo: return {unsigned(v - 30), v, 0};
    case Effect: return {unsigned(47 - v), 47 - v, 0};
    case Pan: {
        const int b = v == 1 ? 255 : v == 17 ? 15 : v == 33 ? 31 : v - 2;
        return {unsigned(b), b, v == 1};
    }
    case Octave: {
        const int b = v <= 2 ? 2 - v : v == 3 ? 255 : 254;
        return {unsigned(b), b, v >= 3};
    }
    case CSend: return {(old & 240u) | unsigned(10 - v), 10 - v, 0};
    case DSend: return {(old & 15u) | unsigned((10 - v) * 16), 10 - v, 0};
    case Out1: return {(old & 12u) | unsigned(v), int((old & 12u) | unsigned(v)), 0};
    case Out2: return {(old & 3u) | unsigned(v * 4), v, 0};
    case Wrap: return {unsigned(v <= 11 ? 11 - v : 255), v <= 11 ? 11 - v : 255, v == 12};
    }
    return {};
}

struct Row {
    std::string control;
    int index;
    long pos;
    Coding coding;
    int bit;    // Bit: which
    int param;  // -1: not sent
    int min, max;
};

std::vector<Row> rows() {
    std::vector<Row> r = {
        {"Combo1", 0, 23, Index, 0, -1, 0, 10},   {"Combo1", 1, 38, Index, 0, 4, 0, 12},
        {"Combo1", 2, 39, Index, 0, 5, 0, 12},    {"Combo1", 3, 20, Index, 0, -1, 0, 3},
        {"Combo1", 4, 26, Transpose, 0, 3, 0, 22}, {"Combo1", 6, 34, Index, 0, -1, 0, 3},
        {"Combo1", 7, 35, Index, 0, -1, 0, 3},    {"Combo1", 8, 25, Ensemble, 0, -1, 0, 9},
        {"Combo1", 9, 27, Index, 0, -1, 0, 15},   {"Check1", 0, 28, Bit, 0, -1, 0, 1},
        {"Check1", 1, 28, Bit, 1, -1, 0, 1},      {"Check1", 2, 28, Bit, 2, 79, 0, 1},
        {"Check1", 3, 28, Bit, 3, 89, 0, 1},      {"Check1", 4, 29, Bit, 0, -1, 0, 1},
        {"Check1", 5, 29, Bit, 1, -1, 0, 1},      {"Check1", 6, 29, Bit, 2, -1, 0, 1},
        {"Check1", 7, 29, Bit, 3, -1, 0, 1},      {"Check1", 8, 29, Bit, 4, 1, 0, 1},
        {"Check1", 9, 25, Bit, 7, -1, 0, 1},      {"HScroll1", 0, 24, Index, 0, 2, 36, 96},
        {"EffCombo", 0, 136, Effect, 0, 6, 0, 47}, {"EffCombo", 1, 137, Effect, 0, 8, 0, 47},
        {"VScroll1", 0, 22, Tempo, 0, 0, 40, 240},
    };
    const std::set<int> unsent = {2, 5, 8, 11, 45, 47, 51, 53};
    for (int t = 0; t < 9; ++t) {
        const long p = 40 + 8L * t;
        const int q = 10 * t;
        r.push_back({"VScroll1", 2 * t + 1, p + 2, Index, 0, q + 11, 0, 127});
        r.push_back({"VScroll1", 2 * t + 2, p + 3, Pan, 0, q + 12, 1, 33});
        const Row fields[6] = {{"Combo2", 6 * t, p + 4, CSend, 0, q + 13, 0, 10},
                               {"Combo2", 6 * t + 1, p + 4, DSend, 0, q + 14, 0, 10},
                               {"Combo2", 6 * t + 2, p + 5, Octave, 0, q + 16, 0, 4},
                               {"Combo2", 6 * t + 3, p + 6, Out1, 0, q + 17, 0, 3},
                               {"Combo2", 6 * t + 4, p + 6, Out2, 0, q + 15, 0, 2},
                               {"Combo2", 6 * t + 5, p + 7, Wrap, 0, q + 18, 0, 12}};
        for (Row f : fields) {
            if (unsent.count(f.index)) f.param = -1;
            r.push_back(f);
        }
    }
    return r;
}

class ArrParamsTest : public ArrEditTest {
protected:
    void SetUp() override {
        ArrEditTest::SetUp();
        w = openShow(arrFileWith({{5, "Five"}}));
        ed = edit(w, 5);
        ASSERT_NE(ed, nullptr);
        sent();
    }
    int get(const Row& r) {
        if (auto* s = FindControl<ScrollBarBase>(ed, QString::fromStdString(r.control), r.index)) return s->Value();
        if (auto* c = FindControl<ComboBox>(ed, QString::fromStdString(r.control), r.index)) return c->ListIndex();
        return FindControl<CheckBox>(ed, QString::fromStdString(r.control), r.index)->Value();
    }
    void set(const Row& r, int v) {
        if (auto* s = FindControl<ScrollBarBase>(ed, QString::fromStdString(r.control), r.index)) return s->setValue(v);
        if (auto* c = FindControl<ComboBox>(ed, QString::fromStdString(r.control), r.index)) return c->setListIndex(v);
        FindControl<CheckBox>(ed, QString::fromStdString(r.control), r.index)->setValue(v);
    }
    // The control at `v` as the user leaves it there, from another value.
    void reach(const Row& r, int v, char base) {
        ArrFilling = true;
        set(r, v == r.min ? r.max : r.min);
        ArrFilling = false;
        ArrRec.replace(0, 164, 164, base);
        ArrModified = false;
        sent();
        set(r, v);
    }
    frmArrU* w = nullptr;
    frmEditArr* ed = nullptr;
};

TEST_F(ArrParamsTest, EveryRowStoresItsBitsSendsItsMessageAndFillsBack) {
    for (const Row& r : rows())
        for (char base : {'\0', '\xFF'})
            for (int v = r.min; v <= r.max; ++v) {
                SCOPED_TRACE(r.control + "(" + std::to_string(r.index) + ") = " + std::to_string(v) + " over " +
                             std::to_string(static_cast<unsigned char>(base)));
                std::string want = ArrRec;
                want.replace(0, 164, 164, base);
                const Expect e = expected(r.coding, r.bit, v, static_cast<unsigned char>(base));
                put(want, r.pos, e.byte);
                reach(r, v, base);
                ASSERT_EQ(ArrRec, want);
                EXPECT_TRUE(ArrModified);
                const unsigned hi = e.neg ? 0x7F : (unsigned(e.value) >> 7) & 0x7F;
                EXPECT_EQ(sent(), r.param < 0 || (r.coding == Out2 && v == 2)
                                      ? std::string()
                                      : msg(unsigned(r.param), unsigned(e.value) & 0x7F, hi));
                ed->EditArrFill();
                sent();
                // An out-status byte above 11 (the other status past its
                // list) shows as "BOTH" and "PLAY".
                const bool pastList = (r.coding == Out1 || r.coding == Out2) && e.byte > 11;
                EXPECT_EQ(get(r), pastList ? (r.coding == Out1 ? 3 : 0) : v);
                EXPECT_EQ(ArrRec, want);
            }
}

TEST_F(ArrParamsTest, WireBytesWhereTheHighByteMatters) {
    auto row = [](const std::string& c, int i) {
        for (const Row& r : rows())
            if (r.control == c && r.index == i) return r;
        throw std::logic_error("no row");
    };
    reach(row("VScroll1", 0), 240, '\0');
    EXPECT_EQ(sent(), msg(0x00, 0x70, 0x01));
    EXPECT_EQ(at(ArrRec, 22), 210);
    reach(row("Combo1", 4), 22, '\0');  // " -11"
    EXPECT_EQ(sent(), msg(0x03, 0x75, 0x7F));
    reach(row("Combo2", 6 * 6 + 5), 12, '\0');  // UPPER1 " ORG"
    EXPECT_EQ(sent(), msg(0x4E, 0x7F, 0x7F));
    reach(row("Combo2", 6 * 6 + 4), 1, '\0');  // UPPER1 Out Status2 "MUTE"
    sent();
    set(row("Combo2", 6 * 6 + 3), 2);  // then Out Status1 "EXT"
    EXPECT_EQ(sent(), msg(0x4D, 0x06, 0x00));
    reach(row("Combo2", 1), 7, '\0');  // Drum D send " 3"
    sent();
    set(row("Combo2", 0), 0);  // then C send "PRG"
    EXPECT_EQ(sent(), msg(0x0D, 0x0A, 0x00));
    EXPECT_EQ(at(ArrRec, 44), 58);
    set(row("Combo2", 6 * 6 + 4), 2);  // "SOLO"
    EXPECT_EQ(sent(), "");
}

}  // namespace
