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

using ParamsTest = EditorOpenTest;

TEST_F(ParamsTest, EveryBasicRowStoresItsBitsSendsItsMessageAndFillsBack) {
    for (const Row& r : kRows)
        for (char base : {'\0', '\xFF'})
            for (int v = r.min; v <= r.max; ++v) {
                SCOPED_TRACE(std::string(r.control) + std::to_string(r.index) + " = " + std::to_string(v) + " over " +
                             std::to_string(static_cast<unsigned char>(base)));
                PrgOscSel = r.control == std::string("BasCombo") && r.index == 1 ? 2 : 1;
                PrgRec.replace(0, 172, 172, base);
                ed->EditPrgFill();
                std::string want = PrgRec;
                set(r.control, r.index, v);
                const int s = r.sends == IndexMinus12 ? v - 12 : r.sends == Octave ? 1 - v : v;
                const unsigned shift = static_cast<unsigned>(std::countr_zero(r.mask));
                put(want, r.pos, (at(want, r.pos) & ~r.mask) | ((static_cast<unsigned>(s) << shift) & r.mask));
                EXPECT_EQ(PrgRec, want);
                const std::string msg = param(r.group, r.param, s & 0x7F, s < 0 ? 0x7F : s / 128);
                EXPECT_EQ(sent(), msg);
                EXPECT_EQ(monitor.text, MidiMonFormat(msg.substr(0, 10)));
                EXPECT_TRUE(PrgModified);
                set(r.control, r.index, r.sends == Octave ? 3 - v : v == r.min ? r.max : r.min);
                PrgRec = want;
                ed->EditPrgFill();
                EXPECT_EQ(setRaw(r.control, r.index, NoValue), v);
                if (r.control == std::string("BasHScroll")) {
                    EXPECT_EQ(FindControl<Label>(ed, "BasLab", r.index)->Caption(), std::to_string(v));
                }
                sent();
            }
}

TEST_F(ParamsTest, ModeChangeFirstAndNothingWithMidiOff) {
    ModeNow = 0;
    set("BasHScroll", 0, -50);
    EXPECT_EQ(sent(), modeMsg() + param(1, 4, 0x4E, 0x7F));
    MidiOn = 0;
    set("BasHScroll", 0, 20);
    EXPECT_EQ(at(PrgRec, 28), 20);
    EXPECT_EQ(sent(), "");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ParamsTest, MultisampleAndNameBoxes) {
    for (std::size_t n = 0; n < MultisampleNames.size(); ++n) {
        char num[4];
        std::snprintf(num, sizeof num, "%03zu", n);
        MultisampleNames[n] = std::string(num) + "Name" + std::string(num) + "abcdefgh";
    }
    TextBox* box1 = ed->BasText[1];
    QLineEdit* line = box1->lineEdit();
    PrgOscSel = 2;
    struct Typed {
        QString keys;
        bool enter;
        std::string message;
        unsigned stored;
    };
    const Typed typed[] = {{"518", true, param(2, 1, 0x06, 0x04), 518}, {"519", true, "", 518}, {"-5", true, "", 518},
                           {"250", false, param(2, 1, 0x7A, 0x01), 250}, {"7", true, param(2, 1, 0x07, 0x00), 7}};
    for (const Typed& t : typed) {
        SCOPED_TRACE(t.keys.toStdString());
        line->clear();
        for (QChar c : t.keys) QTest::keyClick(line, c.toLatin1());
        if (t.enter) QTest::keyClick(line, Qt::Key_Return);
        EXPECT_EQ(sent(), t.message);
        EXPECT_EQ(get16lo(PrgRec, 21), t.stored);
        EXPECT_EQ(ed->BasVScroll[1]->Value(), static_cast<int>(t.stored));
        QFocusEvent leave(QEvent::FocusOut);  // leaving the box shows the stored multisample
        QCoreApplication::sendEvent(line, &leave);
        EXPECT_EQ(box1->Text().substr(0, 3), std::to_string(1000 + t.stored).substr(1));
    }
    EXPECT_EQ(box1->Text(), "007  Name007abc");
    EXPECT_EQ(PrgOscSel, 2);
    ed->MultisampleBoxSet(2, "012");
    EXPECT_EQ(sent(), param(2, 1, 0x0C, 0x00));
    EXPECT_EQ(get16lo(PrgRec, 23), 12u);
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

namespace {
// The multisample bar runs from 518 at the top: its up arrow raises the
// number. A box the user leaves shows what the record holds, also a number
// past the list, which stays in the record.
TEST_F(ParamsTest, MultisampleUpArrowAndLeavingTheBox) {
    VScroll* bar = ed->BasVScroll[1];
    put16lo(PrgRec, 21, 250);
    ed->EditPrgFill();
    sent();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 2));
    EXPECT_EQ(get16lo(PrgRec, 21), 251u);
    EXPECT_EQ(ed->BasText[1]->Text().substr(0, 3), "251");
    EXPECT_EQ(sent(), param(2, 1, 251 & 0x7F, 1));

    put16lo(PrgRec, 21, 600);
    ed->EditPrgFill();
    const std::string before = PrgRec;
    EXPECT_EQ(ed->BasText[1]->Text(), "600");
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(ed->BasText[1]->lineEdit(), &leave);
    EXPECT_EQ(ed->BasText[1]->Text(), "600");
    EXPECT_EQ(PrgRec, before);
    EXPECT_EQ(sent(), "");
}
}  // namespace
