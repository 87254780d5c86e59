// Every value control of the BASIC page through the real control: the bits
// of the program it changes, the message it sends, and what the fill shows.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <bit>

#include "editorstest.h"

namespace {

enum Sends { Value, Index, IndexMinus12, Octave };
struct Row {
    const char* control;
    int index;
    long pos;
    unsigned mask;
    int group, param;
    Sends sends;
    int min, max;
};
// Transcribed from the editor's parameter list.
const Row kRows[] = {
    {"BasHScroll", 0, 28, 0xFF, 1, 4, Value, -50, 50},    {"BasHScroll", 1, 29, 0xFF, 1, 5, Value, 0, 99},
    {"BasHScroll", 2, 43, 0xFF, 15, 3, Value, -99, 99},   {"BasHScroll", 3, 44, 0xFF, 14, 1, Value, 0, 99},
    {"BasHScroll", 4, 45, 0xFF, 14, 2, Value, -99, 99},   {"BasHScroll", 5, 47, 0xFF, 15, 2, Value, -99, 99},
    {"BasHScroll", 6, 48, 0xFF, 14, 0, Value, 0, 99},     {"BasHScroll", 7, 39, 0xFF, 13, 2, Value, 0, 99},
    {"BasHScroll", 8, 40, 0xFF, 13, 3, Value, 0, 99},     {"BasHScroll", 9, 41, 0xFF, 13, 1, Value, 0, 99},
    {"BasHScroll", 10, 30, 0xFF, 3, 0, Value, -99, 99},   {"BasHScroll", 11, 31, 0xFF, 3, 1, Value, 0, 99},
    {"BasHScroll", 12, 32, 0xFF, 3, 2, Value, -99, 99},   {"BasHScroll", 13, 33, 0xFF, 3, 3, Value, 0, 99},
    {"BasHScroll", 14, 34, 0xFF, 3, 4, Value, 0, 99},     {"BasHScroll", 15, 35, 0xFF, 3, 5, Value, -99, 99},
    {"BasHScroll", 16, 36, 0xFF, 3, 6, Value, -99, 99},   {"BasHScroll", 17, 37, 0xFF, 3, 7, Value, -99, 99},
    {"BasCombo", 0, 25, 0xFF, 2, 3, Octave, 0, 3},        {"BasCombo", 1, 26, 0xFF, 2, 3, Octave, 0, 3},
    {"BasCombo", 2, 19, 0xFF, 1, 0, Index, 0, 1},         {"BasCombo", 3, 20, 0x01, 1, 1, Index, 0, 1},
    {"BasCombo", 4, 20, 0x02, 1, 2, Index, 0, 1},         {"BasCombo", 5, 27, 0xFF, 1, 3, IndexMinus12, 0, 24},
    {"BasCombo", 6, 42, 0xFF, 15, 1, IndexMinus12, 0, 24}, {"BasCombo", 7, 46, 0xFF, 15, 0, IndexMinus12, 0, 24},
    {"BasCombo", 8, 38, 0x07, 13, 0, Index, 0, 4},        {"BasCombo", 9, 38, 0x60, 13, 5, Index, 0, 3},
    {"BasCheck", -1, 38, 0x80, 13, 4, Index, 0, 1},
};

class ParamsTest : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        ed = edit(fileWindow(3), 5);
        ASSERT_NE(ed, nullptr);
        midi->clear();
    }
    // Sets a control as the user would; the control first stands elsewhere
    // (quietly), so that the value is a change.
    void set(const char* control, int index, int v) {
        const bool was = Busy;
        Busy = true;
        setRaw(control, index, v == 0 ? 1 : 0);
        Busy = was;
        setRaw(control, index, v);
    }
    void setRaw(const char* control, int index, int v) {
        if (auto* s = FindControl<ScrollBarBase>(ed, control, index)) s->setValue(v);
        if (auto* c = FindControl<ComboBox>(ed, control, index)) c->setListIndex(v);
        if (auto* c = FindControl<CheckBox>(ed, control, index)) c->setValue(v);
    }
    int shown(const char* control, int index) {
        if (auto* s = FindControl<ScrollBarBase>(ed, control, index)) return s->Value();
        if (auto* c = FindControl<ComboBox>(ed, control, index)) return c->ListIndex();
        return FindControl<CheckBox>(ed, control, index)->Value();
    }
    void load(char fill) {
        PrgRec.replace(0, 172, 172, fill);
        ed->EditPrgFill();
    }
    frmEditPrg* ed = nullptr;
};

TEST_F(ParamsTest, EveryBasicRowStoresItsBitsSendsItsMessageAndFillsBack) {
    for (const Row& r : kRows) {
        std::vector<int> values = {r.min, r.max, (r.min + r.max) / 2 + 1};
        if (r.min < 0) values.push_back(-1);
        for (char base : {'\0', '\xFF'})
            for (int v : values) {
                SCOPED_TRACE(std::string(r.control) + "(" + std::to_string(r.index) + ") = " + std::to_string(v) +
                             (base ? " over FF" : " over 00"));
                PrgOscSel = r.control == std::string("BasCombo") && r.index == 1 ? 2 : 1;
                load(base);
                const std::string before = PrgRec;
                sent();
                set(r.control, r.index, v);
                const int s = r.sends == Value ? v : r.sends == Index ? v : r.sends == IndexMinus12 ? v - 12 : 1 - v;
                std::string want = before;
                const unsigned shift = static_cast<unsigned>(std::countr_zero(r.mask));
                put(want, r.pos, (at(before, r.pos) & ~r.mask) | ((static_cast<unsigned>(s) << shift) & r.mask));
                EXPECT_EQ(PrgRec, want);
                const std::string msg = param(r.group, r.param, static_cast<unsigned>(s) & 0x7F,
                                              s < 0 ? 0x7F : static_cast<unsigned>(s) / 128);
                EXPECT_EQ(sent(), msg);
                EXPECT_TRUE(monitor.text.ends_with(MidiMonFormat(msg.substr(0, 10))) ||
                            monitor.text.ends_with(MidiMonFormat(msg)));
                EXPECT_TRUE(PrgModified);
                set(r.control, r.index, r.sends == Octave ? 3 - v : v == r.min ? r.max : r.min);  // elsewhere
                PrgRec = want;
                ed->EditPrgFill();
                EXPECT_EQ(shown(r.control, r.index), v);
                if (auto* lab = FindControl<Label>(ed, "BasLab", r.index); lab && r.control == std::string("BasHScroll"))
                    EXPECT_EQ(lab->Caption(), std::to_string(v));
                sent();
            }
    }
}

TEST_F(ParamsTest, AnchorValues) {
    struct Anchor {
        const char* control;
        int index, value;
        char base;
        std::string message;  // lo, hi
        long pos;
        unsigned byte;
    };
    const Anchor anchors[] = {
        {"BasHScroll", 0, -50, 0, "\x01\x04\x4E\x7F", 28, 0xCE}, {"BasHScroll", 2, -99, 0, "\x0F\x03\x1D\x7F", 43, 0x9D},
        {"BasHScroll", 17, -1, 0, "\x03\x07\x7F\x7F", 37, 0xFF}, {"BasCombo", 0, 3, 0, "\x02\x03\x7E\x7F", 25, 0xFE},
        {"BasCombo", 5, 0, 0, "\x01\x03\x74\x7F", 27, 0xF4},     {"BasCombo", 8, 3, '\xFF', "", 38, 0xFB},
        {"BasCombo", 8, 3, 0, "", 38, 0x03},                     {"BasCombo", 9, 2, '\xFF', "", 38, 0xDF},
        {"BasCombo", 9, 2, 0, "", 38, 0x40},                     {"BasCheck", -1, 0, '\xFF', "", 38, 0x7F},
        {"BasCombo", 3, 1, 0, "", 20, 0xFF},                     {"BasCombo", 4, 0, '\xFF', "", 20, 0xFD},
    };
    for (const Anchor& a : anchors) {
        SCOPED_TRACE(std::string(a.control) + "(" + std::to_string(a.index) + ")");
        load(a.base);
        if (a.control == std::string("BasCombo") && a.index == 3) put(PrgRec, 20, 0xFE);
        sent();
        set(a.control, a.index, a.value);
        EXPECT_EQ(at(PrgRec, a.pos), a.byte);
        if (!a.message.empty()) EXPECT_EQ(sent().substr(5, 4), a.message);
    }
    // Not yet in PROGRAM mode: the mode change goes first.
    sent();
    ModeNow = 0;
    set("BasHScroll", 0, -50);
    EXPECT_EQ(sent(), modeMsg() + param(1, 4, 0x4E, 0x7F));
    // MIDI off: the record changes, nothing is sent, no box.
    MidiOn = 0;
    set("BasHScroll", 0, 20);
    EXPECT_EQ(at(PrgRec, 28), 20);
    EXPECT_EQ(sent(), "");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ParamsTest, SeveralEditsChangeExactlyTheirBytes) {
    const std::string start = PrgRec;
    set("BasHScroll", 0, -50);
    set("BasCombo", 5, 0);
    set("BasCombo", 8, 3);
    set("BasCombo", 4, 1);
    ed->BasText[0]->setText("Pad");
    ed->MultisampleBoxSet(1, "518");
    std::string want = start;
    putMid(want, 1, std::string("Pad") + std::string(13, ' '));
    put(want, 20, (at(start, 20) & ~2u) | 2u);
    put16lo(want, 21, 518);
    put(want, 27, 0xF4);
    put(want, 28, 0xCE);
    put(want, 38, (at(start, 38) & ~7u) | 3u);
    EXPECT_EQ(PrgRec, want);
}

TEST_F(ParamsTest, MultisampleAndNameBoxes) {
    for (std::size_t n = 0; n < MultisampleNames.size(); ++n) {
        char num[4];
        std::snprintf(num, sizeof num, "%03zu", n);
        MultisampleNames[n] = std::string(num) + "Name" + std::string(num) + "abcdefgh";
    }
    TextBox* box1 = ed->BasText[1];
    QLineEdit* line = box1->lineEdit();
    const auto type = [&](TextBox* b, const QString& keys) {
        for (QChar c : keys) QTest::keyClick(b->lineEdit(), c.toLatin1());
    };
    PrgOscSel = 2;
    line->clear();
    midi->clear();
    type(box1, "518");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(sent(), param(2, 1, 0x06, 0x04));
    EXPECT_EQ(get16lo(PrgRec, 21), 518u);
    EXPECT_EQ(ed->BasVScroll[1]->Value(), 518);
    EXPECT_EQ(box1->Text(), "518  Name518abc");
    EXPECT_EQ(PrgOscSel, 2);

    ed->MultisampleBoxSet(2, "012");
    EXPECT_EQ(sent(), param(2, 1, 0x0C, 0x00));
    EXPECT_EQ(get16lo(PrgRec, 23), 12u);

    struct Typed {
        QString keys;
        bool enter;
        std::string message;
        unsigned stored;
    };
    const Typed typed[] = {
        {"519", true, "", 518}, {"-5", true, "", 518}, {"250", false, param(2, 1, 0x7A, 0x01), 250},
        {"7", true, param(2, 1, 0x07, 0x00), 7},
    };
    for (const Typed& t : typed) {
        SCOPED_TRACE(t.keys.toStdString());
        line->clear();
        type(box1, t.keys);
        if (t.enter) QTest::keyClick(line, Qt::Key_Return);
        EXPECT_EQ(sent(), t.message);
        EXPECT_EQ(get16lo(PrgRec, 21), t.stored);
        QFocusEvent leave(QEvent::FocusOut);  // leaving the box shows the stored multisample
        QCoreApplication::sendEvent(line, &leave);
        EXPECT_EQ(box1->Text().substr(0, 3), std::to_string(1000 + t.stored).substr(1));
    }
    ed->BasVScroll[1]->setValue(ed->BasVScroll[1]->Value() + 1);
    EXPECT_EQ(sent(), param(2, 1, 0x08, 0x00));

    // The name: cut to 16, blank-padded, never sent; foreign characters refused.
    TextBox* name = ed->BasText[0];
    name->setText("Pad");
    EXPECT_EQ(PrgRec.substr(0, 16), "Pad" + std::string(13, ' '));
    name->setText("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(PrgRec.substr(0, 16), "ABCDEFGHIJKLMNOP");
    name->lineEdit()->setText("Pad");
    name->lineEdit()->setCursorPosition(3);
    QKeyEvent euro(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xE2\x82\xAC"));  // typed
    QCoreApplication::sendEvent(name->lineEdit(), &euro);
    name->lineEdit()->insert(QString::fromUtf8("\xC5\x93"));                 // pasted
    EXPECT_EQ(name->lineEdit()->text(), "Pad");
    name->lineEdit()->insert(QString::fromLatin1("\xE9"));
    EXPECT_EQ(PrgRec.substr(0, 16), "Pad\xE9" + std::string(12, ' '));
    EXPECT_EQ(sent(), "");
}

TEST_F(ParamsTest, OctaveOfTheOtherOscillatorAndTheOscillatorSelect) {
    PrgOscSel = 1;
    ModeNow = 0;
    const std::string before = PrgRec;
    auto* octave2 = FindControl<ComboBox>(ed, "BasCombo", 1);
    const int stored = octave2->ListIndex();
    octave2->setListIndex(stored == 0 ? 1 : 0);
    EXPECT_EQ(sent(), modeMsg());
    EXPECT_EQ(PrgRec, before);
    EXPECT_EQ(octave2->ListIndex(), stored);

    PrgModified = false;
    ed->BasOption[1]->setValue(true);
    EXPECT_EQ(sent(), param(2, 0, 1, 0));
    EXPECT_EQ(PrgOscSel, 2);
    EXPECT_TRUE(ed->OscOption[1]->Value() && ed->OscOption[3]->Value());
    ed->Unload();
    PrgOscSelect(2);
    EXPECT_EQ(sent(), param(2, 0, 1, 0));
    EXPECT_EQ(PrgRec, before);
    EXPECT_FALSE(PrgModified);
}

}  // namespace
