// The arrangement editor as a user meets it: the record it edits, the fill
// and what it sends, mute and solo, the variation and type-ahead, the name
// and the field selection, the close, and the whole road from the window.
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "app/Messages.h"
#include "arrtest.h"
#include "files/Clipboard.h"
#include "midi/frmTastiera.h"

namespace {

class ArrEditorTest : public ArrEditTest {
protected:
    static std::string control(std::vector<ArrByte> bytes) { return arrFileWith({{5, "Five"}, {6, "Six"}, {7, "Seven"}}, bytes); }
    Label* label(const char* name, int i) { return FindControl<Label>(ed, name, i); }
    frmEditArr* ed = nullptr;
};

TEST_F(ArrEditorTest, RecordIsBuiltFromTheImageAndStoredBackIntoIt) {
    frmArrU* w = openShow(control({{5, 42, 12}, {5, 43, 0}}));  // track 0: user program 12
    std::string img = w->Tag();
    for (long k = 0; k < 164; ++k) put(img, ImgArrBlock(63) + k, static_cast<unsigned>(k + 1));
    struct Case {
        const char* what;
        std::vector<std::pair<long, unsigned>> image;  // image bytes set first
        int index;
        long pos;
        std::string text;
    } cases[] = {
        {"user program without companion", {{ImgArrBlock(5) + 39, 12}, {ImgArrBlock(5) + 40, 3}}, 5, 181, "UserPrg12"},
        {"empty companion program", {{ImgArrBlock(5) + 39, 12}, {ImgArrBlock(5) + 40, 3}, {ImgPrgPresent, 1}, {ImgCompanionBlock(12), 0}}, 5, 181, ""},
        {"companion program 70", {{ImgArrBlock(5) + 39, 70}, {ImgArrBlock(5) + 40, 3}, {ImgPrgPresent, 1}}, 5, 181, "UserPrg70"},
        {"user style", {{ImgArrBlock(6) + 17, 3}, {ImgArrBlock(6) + 18, 1}}, 6, 165, "UserStyle3"},
        {"style 200 of the banks", {{ImgArrBlock(6) + 17, 200}, {ImgArrBlock(6) + 18, 0}}, 6, 165, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string image = img;
        for (auto [p, v] : c.image) put(image, p, v);
        const std::string rec = ArrRecMake(image, c.index).value();
        EXPECT_EQ(rec.size(), 567u);
        EXPECT_EQ(rec.substr(0, 164), image.substr(static_cast<std::size_t>(ImgArrBlock(c.index) - 1), 164));
        EXPECT_EQ(mid(rec, c.pos, 16), padRight(c.text, 16));
        EXPECT_EQ(mid(rec, 325, 5), bytesOf({19, unsigned(c.index), 1, ' ', ' '}));
        EXPECT_EQ(rtrim(mid(rec, 330)), "Show");
    }
    EXPECT_EQ(ArrStyleLabel(200, 0), "Style (200)");
    EXPECT_EQ(ArrRecMake(img, 63).value().substr(0, 164), img.substr(10634, 164));
    EXPECT_FALSE(ArrRecMake(img, 64));

    // Stored: the block and the changed mark, nothing else; the renamed
    // row keeps its prefix, and the window its row.
    ed = edit(w, 5);
    const std::string before = w->Tag();
    const std::string oldRow = w->List1->List(5);
    ed->Text1[0]->lineEdit()->selectAll();
    QTest::keyClicks(ed->Text1[0]->lineEdit(), "Late Show");
    put(ArrRec, 60, 99);
    ASSERT_TRUE(ArrRecStore());
    std::string want = before;
    putMid(want, ImgArrBlock(5), ArrRec.substr(0, 164));
    put(want, 4, 1);
    EXPECT_EQ(w->Tag(), want);
    EXPECT_EQ(w->List1->List(5), oldRow.substr(0, 4) + "Late Show       ");
    EXPECT_EQ(w->List1->ListIndex(), 5);
    EXPECT_FALSE(ArrModified || ArrNameChanged);

    // The window saved under another name is still the window the
    // arrangement came from: the store goes into it.
    putField(w->Tag(), ImgPath, ImgPathLen, song("Other"));
    put(ArrRec, 60, 98);
    ArrModified = true;
    EXPECT_TRUE(ArrRecStore());
    EXPECT_EQ(at(w->Tag(), ImgArrBlock(5) + 59), 98u);
    EXPECT_FALSE(ArrModified);
}

TEST_F(ArrEditorTest, ReadOnlyWindowKeepsItsImageAndTheEdits) {
    frmArrU* w = openShow(control({}), true);
    ed = edit(w, 5);
    const std::string before = w->Tag();
    FindControl<VScroll>(ed, "VScroll1", 13)->setValue(77);
    dialogs.answer(vbOK);
    EXPECT_FALSE(ArrRecStore());
    EXPECT_EQ(boxesShown(), "Read only file|" + ed->Caption());
    EXPECT_EQ(w->Tag(), before);
    EXPECT_TRUE(ArrModified);
}

TEST_F(ArrEditorTest, FillSendsTheSwitchesAndEffectsItChangesAndKeepsTheRecord) {
    frmArrU* w = openShow(control({{5, 28, 0x0C}, {5, 29, 0x10}, {6, 136, 5}, {7, 136, 60}, {7, 137, 5}}));
    ed = edit(w, 5);
    EXPECT_EQ(sent(), msg(0x4F, 1, 0) + msg(0x59, 1, 0) + msg(0x01, 1, 0));
    ed->Text1_Click(4);
    for (int row : {6, 7}) {
        SCOPED_TRACE(row);
        w->List1->setListIndex(row);
        const std::string out = sent();
        if (row == 6)
            EXPECT_EQ(out, msg(0x06, 5, 0) + msg(0x4F, 0, 0) + msg(0x59, 0, 0) + msg(0x01, 0, 0) + selectOf(row, 1));
        else
            EXPECT_EQ(out, msg(0x06, 0, 0) + msg(0x08, 5, 0) + selectOf(row, 1));
        EXPECT_EQ(ArrRec, ArrRecMake(w->Tag(), row).value());
        EXPECT_FALSE(ArrModified);
        EXPECT_EQ(EditArrSelPrg, 4);
        EXPECT_EQ(ed->Text1[4]->BackColor(), ArrSelectedBack);
    }
    EXPECT_EQ(at(ArrRec, 136), 60);
}

TEST_F(ArrEditorTest, FillShowsWhatTheControlsCanShow) {
    struct Case {
        long pos;
        unsigned byte;
        const char* control;
        int index;
        int value;           // list index or slider value
        std::string label;   // the value label ("" none)
    } cases[] = {
        {22, 5, "VScroll1", 0, 40, "40"},     {22, 210, "VScroll1", 0, 240, "240"},
        {24, 0, "HScroll1", 0, 60, "C4"},     {24, 61, "HScroll1", 0, 61, "C4#"},
        {26, 250, "Combo1", 4, 17, ""},       {26, 100, "Combo1", 4, 0, ""},
        {136, 0, "EffCombo", 0, 47, ""},      {136, 60, "EffCombo", 0, 47, ""},
        {43, 255, "VScroll1", 2, 1, "OFF"},   {43, 7, "VScroll1", 2, 9, "L8"},
        {43, 20, "VScroll1", 2, 22, "R5"},    {43, 100, "VScroll1", 2, 17, "CNT"},
        {42, 200, "VScroll1", 1, 100, "100"}, {27, 12, "Combo1", 9, 12, ""},
        {27, 16, "Combo1", 9, 0, ""},         {23, 200, "Combo1", 0, -1, ""},
        {46, 14, "Combo2", 3, 3, ""},         {46, 14, "Combo2", 4, 0, ""},
        {46, 9, "Combo2", 3, 1, ""},          {46, 9, "Combo2", 4, 2, ""},
        {44, 0xA5, "Combo2", 0, 5, ""},       {44, 0xA5, "Combo2", 1, 0, ""},
        {44, 0x0C, "Combo2", 0, 0, ""},       {44, 0x0C, "Combo2", 1, 10, ""},
        {30, 12, "HScroll1", 1, 8, "12"},
    };
    frmArrU* w = openShow(control({}));
    ed = edit(w, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + std::to_string(c.index) + " byte " + std::to_string(c.byte));
        ArrRec = ArrRecMake(w->Tag(), 6).value();
        put(ArrRec, c.pos, c.byte);
        const std::string built = ArrRec;
        ed->EditArrFill();
        if (auto* s = FindControl<ScrollBarBase>(ed, c.control, c.index)) {
            EXPECT_EQ(s->Value(), c.value);
        } else {
            auto* b = FindControl<ComboBox>(ed, c.control, c.index);
            EXPECT_EQ(b->ListIndex(), c.value);
            if (c.value == 12 && c.index == 9) { EXPECT_EQ(b->List(12), " Dr25"); }
        }
        const std::string shown = std::string(c.control) == "HScroll1" ? ed->Label1[static_cast<std::size_t>(c.index == 0 ? 3 : 4)]->Caption()
                                  : c.index == 0 && std::string(c.control) == "VScroll1" ? ed->Label1[0]->Caption()
                                  : std::string(c.control) == "VScroll1" ? ed->Label2[static_cast<std::size_t>(c.index)]->Caption()
                                                                         : std::string();
        EXPECT_EQ(shown, c.label);
        EXPECT_EQ(ArrRec, built);
        sent();
    }
    EXPECT_EQ(ed->EffLab1[0]->Caption(), "Effect 1 (Off)");

    // A user program whose name is blank: both fields empty; a kit by name.
    DrumKitNames = std::string(16 * 12, 'k') + padRight("Jazz Kit", 16) + std::string(48, 'k');
    put(ArrRec, 48, 9), put(ArrRec, 49, 3), put(ArrRec, 56, 12), put(ArrRec, 57, 4);
    putField(ArrRec, 181 + 16, 16, "");
    ed->EditArrFill();
    EXPECT_EQ(std::tuple(rtrim(ed->Text1[4]->Text()), ed->Text1[5]->Text()), std::tuple(std::string(), std::string()));
    EXPECT_EQ(std::tuple(ed->Text1[6]->Text(), ed->Text1[7]->Text()), std::tuple(padRight("Jazz Kit", 16), std::string("Dr 25")));
}

TEST_F(ArrEditorTest, MuteAndSoloGoOutAsMutesAndChangeNoByte) {
    frmArrU* w = openShow(control({}));
    ed = edit(w, 5);
    sent();
    const std::string rec = ArrRec;
    ed->CommM[0]->press();
    EXPECT_EQ(sent(), msg(0x0F, 1, 0));
    ed->CommM[0]->press();
    EXPECT_EQ(sent(), msg(0x0F, 0, 0));
    ed->CommM[3]->press();
    sent();
    ed->CommS[2]->press();
    std::string nine;
    for (int t = 0; t < 9; ++t) nine += msg(0x0F + 10u * t, t == 2 ? 0 : 1, 0);
    EXPECT_EQ(sent(), nine);
    for (int t = 0; t < 9; ++t) {
        EXPECT_EQ(ed->CommM[static_cast<std::size_t>(t)]->BackColor(), t == 2 ? ArrOffColor : ArrMuteColor) << t;
        EXPECT_EQ(ed->CommS[static_cast<std::size_t>(t)]->BackColor(), t == 2 ? ArrSoloColor : ArrOffColor) << t;
    }
    ed->CommS[2]->press();
    std::string zeros;
    for (int t = 0; t < 9; ++t) zeros += msg(0x0F + 10u * t, 0, 0);
    EXPECT_EQ(sent(), zeros);
    EXPECT_EQ(ArrRec, rec);
    EXPECT_FALSE(ArrModified);

    // Reopened with ACC1 muted: its M is red, and a click unmutes it.
    ed->CommM[3]->press();
    sent();
    ASSERT_TRUE(ed->Unload());
    ed = edit(w, 5);
    EXPECT_EQ(ed->CommM[3]->BackColor(), ArrMuteColor);
    sent();
    ed->CommM[3]->press();
    EXPECT_EQ(sent(), msg(0x2D, 0, 0));
}

TEST_F(ArrEditorTest, VariationShowsItsByteAndTypeAheadPicksWholeItems) {
    frmArrU* w = openShow(control({{5, 32, 3}}));
    ed = edit(w, 5);
    sent();
    ed->Combo1[5]->setListIndex(2);  // " VAR3"
    EXPECT_EQ(std::tuple(ed->Label1[4]->Caption(), ed->HScroll1[1]->Value(), ArrModified), std::tuple(std::string("3"), 3, false));
    ed->HScroll1[1]->setValue(5);
    EXPECT_EQ(at(ArrRec, 32), 5);
    EXPECT_TRUE(ArrModified);
    EXPECT_EQ(sent(), "");

    // The split point: its note, and the keyboard window's slider with it
    // (whose own change sends the split point again).
    RunMenuCommand(MenuId::mnuTastiera);
    auto* kbd = dynamic_cast<frmTastiera*>(ToolForm::Find(m, frmTastiera::Kind));
    ASSERT_TRUE(kbd && KeyboardLoaded);
    ed->HScroll1[0]->setValue(61);
    EXPECT_EQ(std::tuple(ed->Label1[3]->Caption(), kbd->VScroll1->Value(), at(ArrRec, 24)), std::tuple(std::string("C4#"), 61, 61u));
    EXPECT_EQ(sent(), msg(0x02, 61, 0) + msg(0x02, 61, 0));

    ArrRec = ArrRecMake(w->Tag(), 6).value();  // variation bytes all 0
    ed->EditArrFill();
    const std::string rec = ArrRec;
    for (int v : {1, 2, 3, 0}) ed->Combo1[5]->setListIndex(v);
    EXPECT_EQ(ArrRec, rec);
    EXPECT_FALSE(ArrModified);

    ed->Combo1[0]->lineEdit()->selectAll();
    QTest::keyClicks(ed->Combo1[0]->lineEdit(), "spl");
    EXPECT_EQ(ArrRec, rec);
    QTest::keyClicks(ed->Combo1[0]->lineEdit(), "it 2");
    EXPECT_EQ(ed->Combo1[0]->ListIndex(), 6);
    EXPECT_EQ(at(ArrRec, 23), 6);
    QTest::keyClicks(ed->Combo1[0]->lineEdit(), "x");
    emit ed->Combo1[0]->lineEdit()->editingFinished();  // the box left
    EXPECT_EQ(std::tuple(ed->Combo1[0]->Text(), ed->Combo1[0]->ListIndex()), std::tuple(std::string("SPLIT 2"), 6));
}

TEST_F(ArrEditorTest, NameAndFieldSelection) {
    frmArrU* w = openShow(arrFileWith({{5, "Evening Jazz"}}));
    ed = edit(w, 5);
    EXPECT_EQ(ed->Caption(), "Edit Arrangement  Show.arr / Evening Jazz");
    QLineEdit* name = ed->Text1[0]->lineEdit();
    name->selectAll();
    QTest::keyClicks(name, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(mid(ArrRec, 1, 16), "ABCDEFGHIJKLMNOP");
    EXPECT_TRUE(ArrModified && ArrNameChanged);
    for (int k = 0; k < 4; ++k) QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(mid(ArrRec, 1, 16), "ABCDEFGHIJKL    ");
    name->insert(QString::fromUtf8("€"));
    EXPECT_EQ(mid(ArrRec, 1, 16), "ABCDEFGHIJKL    ");
    EXPECT_EQ(name->text(), "ABCDEFGHIJKL");

    QTest::mouseClick(ed->Text1[2]->lineEdit(), Qt::LeftButton);  // a locked field takes clicks
    ed->Text1_Click(4);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(EditArrSelFlags[static_cast<std::size_t>(i)], i == 4) << i;
    EXPECT_EQ(ed->Text1[2]->BackColor(), EditArrBackColor);
    EXPECT_EQ(std::tuple(ed->Text1[4]->BackColor(), ed->Text1[4]->ForeColor()), std::tuple(ArrSelectedBack, ArrSelectedFore));
    ed->Text1_Click(4);
    EXPECT_EQ(EditArrSelPrg, 0);
    EXPECT_EQ(ed->Text1[4]->BackColor(), EditArrBackColor);

    std::vector<QMenu*> popups;
    SetPopupMenuHandler([&](QMenu* menu) { popups.push_back(menu); });
    QTest::mouseClick(ed->Text1[1]->lineEdit(), Qt::LeftButton);
    EXPECT_TRUE(EditArrSelSty);
    QTest::mouseClick(ed->frames[0], Qt::RightButton, {}, QPoint(180, 145));  // where no control sits
    EXPECT_FALSE(EditArrSelSty);
    EXPECT_EQ(ed->Text1[1]->BackColor(), EditArrBackColor);
    EXPECT_EQ(popups.size(), 1u);
    QTest::mouseClick(ed->Text1[1]->lineEdit(), Qt::LeftButton);
    QTest::mouseClick(ed->SSTab1->tabBar(), Qt::RightButton, {}, ed->SSTab1->tabBar()->tabRect(1).center());
    EXPECT_TRUE(EditArrSelSty);
    EXPECT_EQ(popups.size(), 2u);
}

}  // namespace
