// The Global windows: the parameter table through the controls, the dump,
// the channel lists, the instrument's own window, closing and saving, the
// queue while a slider is dragged, and the backing-sequence view.
#include <algorithm>
#include <functional>
#include <QTabBar>
#include <QTest>

#include "app/Tables.h"
#include "documents/Documents.h"
#include "editors/arrangement/frmEditBSQ.h"
#include "editors/global/GblParams.h"
#include "editors/global/frmGbl.h"
#include "editorstest.h"
#include "files/FileFormats.h"
#include "files/state.h"
#include "platform/Timer.h"

namespace {

// Stage.gbl: the header, 24 zero bytes, parameter k holding (37k + 11) And
// FFh, and a last byte 5Ah.
std::string stageFile() {
    std::string f = GblMagic() + std::string(24, '\0');
    for (int k = 0; k < 415; ++k) f.push_back(static_cast<char>((37 * k + 11) & 0xFF));
    f.push_back('\x5A');
    return f;
}

// What each control stores and shows, written out from the parameter list:
// its byte (offset from 303), its values, the byte it leaves from the value
// and the byte before, and what it shows for a byte (-1: no entry).
struct Expect {
    const char* control;
    int index, offset, lo, hi;
    std::function<int(int v, int old)> store;
    std::function<int(int b)> fill;
};

const int kPedalCodes[52] = {0,  1,  2,  47, 3,  38, 37, 4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                             15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 39, 40, 41,
                             42, 44, 45, 46, 48, 49, 50, 51, 52, 30, 43, 31, 32, 33, 34, 53};

std::vector<Expect> expectations() {
    auto whole = [](int v, int) { return v & 0xFF; };
    auto upTo = [](int max, int other) { return [=](int b) { return b > max ? other : b; }; };
    auto tune = [](int b) { return b <= 50 ? b : b >= 206 ? b - 256 : 0; };
    auto bit = [](int s) { return [=](int v, int old) { return (old & ~(1 << s)) | (v << s); }; };
    auto bitFill = [](int s) { return [=](int b) { return (b >> s) & 1; }; };
    auto nibble = [](int n) { return n <= 2 ? 2 - n : n == 15 ? 3 : n == 14 ? 4 : -1; };
    auto pedal = [](int v, int) { return kPedalCodes[v]; };
    auto pedalFill = [](int b) { return std::max(0, int(std::find(kPedalCodes, kPedalCodes + 52, b) - kPedalCodes) % 52); };
    auto off = [](int v, int) { return v == 0 ? 255 : v - 1; };
    auto offFill = [](int max) { return [=](int b) { return b == 255 ? 0 : b > max ? 1 : b + 1; }; };
    auto index = [&](const char* c, int i, int offset, int hi) { return Expect{c, i, offset, 0, hi, whole, upTo(hi, 0)}; };
    std::vector<Expect> e = {
        {"GblHScroll1", 0, 0, -50, 50, whole, tune},      {"GblOption1", 0, 2, 0, 1, bit(0), bitFill(0)},
        {"GblCombo1", 16, 2, 0, 1, bit(3), bitFill(3)},   {"GblCombo1", 17, 2, 0, 1, bit(4), bitFill(4)},
        {"GblCombo1", 18, 2, 0, 1, bit(5), bitFill(5)},   {"GblCheck1", 2, 222, 0, 1, bit(0), bitFill(0)},
        {"GblCheck1", 1, 222, 0, 1, bit(1), bitFill(1)},  {"GblCheck1", 0, 29, 0, 1, whole, bitFill(0)},
        {"Check3", -1, 221, 0, 1, whole, bitFill(0)},     {"GblCombo1", 10, 3, 0, 51, pedal, pedalFill},
        index("GblCombo1", 6, 5, 23),  index("GblCombo1", 8, 6, 11),  index("GblCombo1", 2, 19, 7),
        index("GblCombo1", 3, 20, 7),  index("GblCombo1", 7, 21, 23), index("GblCombo1", 9, 22, 11),
        index("GblHScroll1", 1, 212, 127), index("HScroll3", 0, 216, 116), index("Combo3", 2, 219, 16),
        {"GblCombo1", 19, 2, 0, 2, [](int v, int old) { return (old & 0x3F) | (v << 6); },
         [](int b) { return b >> 6 == 3 ? -1 : b >> 6; }},
        {"GblCombo1", 5, 28, 0, 2, whole, [](int b) { return (b & 3) == 3 ? 0 : b & 3; }},
        {"GblCombo1", 0, 213, 0, 4, [](int v, int old) { return (old & 0xF0) | ((2 - v) & 15); },
         [=](int b) { return nibble(b & 15); }},
        {"GblCombo1", 1, 213, 0, 4, [](int v, int old) { return (old & 0x0F) | (((2 - v) & 15) << 4); },
         [=](int b) { return nibble(b >> 4); }},
        {"Combo3", 0, 215, 0, 6, [](int v, int) { return v <= 3 ? 3 - v : 259 - v; },
         [](int b) { return b >= 253 ? 259 - b : b <= 3 ? 3 - b : 0; }},
        {"HScroll3", 1, 217, 11, 127, whole, [](int b) { return b < 11 || b > 127 ? 127 : b; }},
        {"Combo3", 1, 218, 0, 16, off, offFill(15)},      {"Combo3", 3, 220, 0, 33, off, offFill(32)},
    };
    for (int k = 11; k <= 15; ++k) e.push_back({"GblCombo1", k, 12 + k, 0, 51, pedal, pedalFill});
    for (int i = 0; i < 48; ++i) e.push_back({"VScroll2", i, 32 + i, -50, 50, whole, tune});
    return e;
}

}  // namespace

class GblTest : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        GlobalChannel = 0;
        writeFileBytes(stagePath(), stageFile());
        sent();
    }
    std::string stagePath(const std::string& name = "Stage") const { return startDir() + "/" + name + ".gbl"; }
    // File > Open Gbl on a file; its window.
    frmGbl* openFile(const std::string& name = "Stage", bool readOnly = false) {
        GblSlotFree();
        const int s = GblSlotCur;
        dialogs.chooseFile(stagePath(name), 4, readOnly);
        RunMenuCommand(MenuId::mnuApriGbl);
        return s ? GblForms()[static_cast<std::size_t>(s)].data() : nullptr;
    }
    frmGbl* openInstrument() {
        RunMenuCommand(MenuId::mnuGlobalParam);
        return GblForms()[0].data();
    }
    // Sets a control as the user does; what it shows.
    static void set(frmGbl* w, const Expect& e, int v) {
        const QString n = QString::fromLatin1(e.control);
        if (n == "GblOption1") return FindControl<OptionButton>(w, n, v ? 0 : 1)->setValue(true);
        if (n.contains("Combo")) return FindControl<ComboBox>(w, n, e.index)->setListIndex(v);
        if (n.contains("Check")) return FindControl<CheckBox>(w, n, e.index)->setValue(v);
        FindControl<ScrollBarBase>(w, n, e.index)->setValue(v);
    }
    static int shown(frmGbl* w, const Expect& e) {
        const QString n = QString::fromLatin1(e.control);
        if (n == "GblOption1") return FindControl<OptionButton>(w, n, 0)->Value() ? 1 : 0;
        if (n.contains("Combo")) return FindControl<ComboBox>(w, n, e.index)->ListIndex();
        if (n.contains("Check")) return FindControl<CheckBox>(w, n, e.index)->Value();
        return FindControl<ScrollBarBase>(w, n, e.index)->Value();
    }
    static std::string data(const frmGbl* w) { return w->Tag().substr(270); }
};

TEST_F(GblTest, OpenShowsTheFileExactlyAndSendsNothing) {
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly);
        frmGbl* w = openFile("Stage", readOnly);
        ASSERT_NE(w, nullptr);
        std::string header(20, '\0');
        header[0] = 25, header[1] = readOnly, header[14] = static_cast<char>(w->slot());
        std::string path = startDir() + "/Stage";
        path.resize(238, ' ');
        EXPECT_EQ(w->Tag(), header + path + std::string(12, ' ') + stageFile());
        EXPECT_EQ(w->Caption(), readOnly ? "File Gbl - Stage.gbl - Read Only" : "File Gbl - Stage.gbl");
        EXPECT_EQ(sent(), "");
        w->Unload(vbFormCode);
    }
    // Eight files fill the slots; closing one lets Open Gbl and its recent entries in again.
    for (int k = 1; k <= 8; ++k) {
        writeFileBytes(stagePath("S" + std::to_string(k)), stageFile());
        ASSERT_NE(openFile("S" + std::to_string(k)), nullptr);
    }
    EXPECT_FALSE(frame->mnuApriGbl->isEnabled());
    GblForms()[4]->Unload(vbFormCode);
    EXPECT_TRUE(frame->mnuApriGbl->isEnabled());
}

// Every value of every control, reached from another value, on data of 00h
// and of FFh: its byte as listed, nothing else but the changed mark, one
// dump of the image; the fill of every byte as listed, changing nothing.
TEST_F(GblTest, EveryControlStoresSendsAndShowsItsByte) {
    const auto table = expectations();
    ASSERT_EQ(table.size(), GblParams().rows.size());
    frmGbl* w = openFile();
    ASSERT_NE(w, nullptr);
    for (char base : {'\x00', '\xFF'}) {
        w->showInstrument(std::string(448, base));
        for (const Expect& e : table) {
            SCOPED_TRACE(std::string(e.control) + "(" + std::to_string(e.index) + ") on " + std::to_string(base & 0xFF));
            for (int v = e.lo; v <= e.hi; ++v) {
                if (shown(w, e) == v) set(w, e, v == e.lo ? e.hi : e.lo);
                sent();
                std::string want = w->Tag();
                const int old = at(want, 303 + e.offset);
                put(want, 303 + e.offset, static_cast<unsigned>(e.store(v, old)));
                put(want, ImgChanged, 1);
                set(w, e, v);
                ASSERT_EQ(w->Tag(), want) << v;
                const std::string m = sent();
                ASSERT_EQ(m.size(), 481u) << v;
                ASSERT_EQ(Unpack7(m.substr(5, 475)).substr(0, 415), want.substr(302, 415)) << v;
            }
        }
    }
    for (int b = 0; b < 256; ++b) {
        const std::string d(448, static_cast<char>(b));
        w->showInstrument(d);
        for (const Expect& e : table) ASSERT_EQ(shown(w, e), e.fill(b)) << e.control << "(" << e.index << ") " << b;
        ASSERT_EQ(data(w), d);
    }
    EXPECT_EQ(sent(), "");
    // Picked by their texts.
    const struct { const char* control; int index, start; const char* text; unsigned want; } picks[] = {
        {"GblCombo1", 19, 0x49, " IN 2", 0x89}, {"GblCombo1", 0, 0x21, " U-1", 0x2F}, {"GblCombo1", 1, 0x2F, " L-2", 0xEF},
        {"GblCombo1", 10, 0, "SYNC STOP", 47},  {"Combo3", 3, 0, " Keyboard", 32},    {"Combo3", 0, 0, " -3", 253},
    };
    for (const auto& p : picks) {
        const long pos = RowNamed(GblParams().rows, p.control, p.index).pos;
        std::string d(448, '\0');
        d[static_cast<std::size_t>(pos - 271)] = static_cast<char>(p.start);
        w->showInstrument(d);
        auto* c = FindControl<ComboBox>(w, p.control, p.index);
        c->setListIndex(c->findText(QString::fromLatin1(p.text)));
        EXPECT_EQ(at(w->Tag(), pos), p.want) << p.text;
    }
    std::string d(448, '\0');
    d[3 + 32] = 35;   // an unused pedal code
    w->showInstrument(d);
    EXPECT_EQ(w->GblCombo1[10]->Text(), "OFF");
    w->GblHScroll1[0]->setValue(-12);
    w->GblHScroll1[1]->setValue(0);
    w->HScroll3[1]->setValue(127);
    EXPECT_EQ(std::tuple(w->GblLab1[1]->Caption(), w->GblLab1[13]->Caption(), w->Lab3[7]->Caption()),
              std::tuple("-12", "Normal", "G9"));
}

TEST_F(GblTest, TheDumpAndTheInstrumentsBlock) {
    frmGbl* w = openFile();
    ASSERT_NE(w, nullptr);
    w->GblHScroll1[0]->setValue(-12);
    EXPECT_EQ(at(w->Tag(), 303), 0xF4u);
    const std::string m = sent();
    ASSERT_EQ(m.size(), 481u);
    EXPECT_EQ(m.substr(0, 13), bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x51, 0x71, 0x74, 0x30, 0x55, 0x7A, 0x1F, 0x44, 0x69}));
    EXPECT_EQ(m.substr(477), bytesOf({0x03, 0x3C, 0x61, 0xF7}));
    EXPECT_EQ(std::tuple(GblInstr, int{GblInstrSet}, frame->mnuGlobalParam->isEnabled(), monitor.text),
              std::tuple(data(w), 1, true, MidiMonFormat(m)));
    // A reset of user scale 3: its twelve bytes, the mark, one dump.
    std::string want = w->Tag();
    for (long p = 359; p <= 370; ++p) put(want, p, 0);
    w->CommResetUS[2]->click();
    EXPECT_EQ(w->Tag(), want);
    EXPECT_EQ(sent().size(), 481u);
    // Not sent: MIDI off, or refused by the layer (its one box); the edit stays.
    const std::string instr = GblInstr;
    frame->mnuGlobalParam->setEnabled(false);
    for (bool refused : {false, true}) {
        if (refused) midi->failWrite = MidiErrFailed, dialogs.answer(vbOK);
        else MidiOn = 0;
        w->GblCombo1[2]->setListIndex(w->GblCombo1[2]->ListIndex() == 5 ? 6 : 5);
        EXPECT_EQ(std::tuple(at(w->Tag(), 322), GblInstr == instr, frame->mnuGlobalParam->isEnabled()),
                  std::tuple(static_cast<unsigned>(w->GblCombo1[2]->ListIndex()), true, false));
        MidiOn = 1, midi->failWrite = 0;
        sent();
    }
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(GblTest, ChannelListsSetTheProgramsChannelsOnly) {
    frmGbl* a = openFile();
    writeFileBytes(stagePath("Other"), stageFile());
    frmGbl* b = openFile("Other");
    ASSERT_TRUE(a && b);
    for (const GblChannelRow& ch : GblChannelRows()) {
        SCOPED_TRACE(ch.caption);
        const std::string before = a->Tag();
        const int v = *ch.setting == 6 ? 7 : 6;
        a->Combo3[static_cast<std::size_t>(ch.index)]->setListIndex(v);
        EXPECT_EQ(std::tuple(*ch.setting, a->Tag() == before, sent(), b->Combo3[static_cast<std::size_t>(ch.index)]->Text()),
                  std::tuple(v, true, std::string(), std::string(" ") + std::to_string(v + 1)));
    }
    a->Combo3[4]->setListIndex(5);
    a->GblCheck1[0]->setValue(1);
    EXPECT_EQ(sent().substr(0, 5), bytesOf({0xF0, 0x42, 0x35, 0x4D, 0x51}));
}

TEST_F(GblTest, TheInstrumentsWindow) {
    GblInstr = stageFile();
    GblInstrSet = 1;
    frame->mnuGlobalParam->setEnabled(true);
    frmGbl* f = openFile("Stage", true);   // a read-only open before it
    frmGbl* g = openInstrument();
    ASSERT_TRUE(f && g);
    EXPECT_EQ(std::tuple(int{at(g->Tag(), 1)}, int{at(g->Tag(), 2)}, data(g), g->Caption(),
                         frame->mnuGlobalParam->isEnabled()),
              std::tuple(14, 0, stageFile(), "Global Parameters", false));
    // A file's dump is what the instrument holds now, and its window shows it.
    f->GblHScroll1[0]->setValue(-12);
    EXPECT_EQ(std::tuple(data(g), int{at(g->Tag(), ImgChanged)}, g->GblHScroll1[0]->Value(),
                         frame->mnuGlobalParam->isEnabled()),
              std::tuple(data(f), 0, -12, false));
    // Changed or not, it closes without a question and the item comes back.
    g->GblHScroll1[0]->setValue(3);
    g->Unload(vbFormCode);
    EXPECT_EQ(std::tuple(dialogs.shown.size(), frame->mnuGlobalParam->isEnabled(), int{GblSlots[0].State}),
              std::tuple(0u, true, 0));
}

// Closing a changed file window: each answer, and saves that cannot be made.
TEST_F(GblTest, CloseAndSave) {
    const struct { const char* what; int answer; bool readOnly, folder, closed; std::size_t boxes; bool written; } cases[] = {
        {"unchanged", 0, false, false, true, 0, false},     {"No", vbNo, false, false, true, 1, false},
        {"Cancel", vbCancel, false, false, false, 1, false}, {"Yes", vbYes, false, false, true, 1, true},
        {"Yes, read-only", vbYes, true, false, false, 2, false},
        {"Yes, file replaced by a folder", vbYes, false, true, false, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFileBytes(stagePath(), stageFile());
        dialogs.shown.clear();
        QPointer<frmGbl> w = openFile("Stage", c.readOnly);
        ASSERT_TRUE(w);
        if (c.answer) w->GblHScroll1[0]->setValue(-12), dialogs.answer(c.answer);
        if (c.folder) QFile::remove(QString::fromStdString(stagePath())), QDir().mkdir(QString::fromStdString(stagePath()));
        if (c.boxes == 2) dialogs.answer(vbOK);
        const std::string image = w->Tag();
        AppClosing = true;
        w->Unload(vbFormCode);
        EXPECT_EQ(std::tuple(w.isNull() || !w->Loaded(), dialogs.shown.size(), AppClosing),
                  std::tuple(c.closed, c.boxes, c.closed));
        if (!c.closed) { EXPECT_EQ(w->Tag(), image); }
        if (!c.folder) { EXPECT_EQ(readFileBytes(stagePath()), c.written ? image.substr(270) : stageFile()); }
        AppClosing = false;
        if (w && w->Loaded()) {
            dialogs.answer(vbNo);
            w->Unload(vbFormCode);
        }
        if (c.folder) QDir().rmdir(QString::fromStdString(stagePath()));
    }
}

// A dragged slider: every step queues the whole block, but a block still
// waiting gives way to the newer one.
TEST_F(GblTest, ADragKeepsOnlyTheNewestDumpWaiting) {
    frmGbl* w = openFile();
    ASSERT_NE(w, nullptr);
    for (int v = 1; v <= 20; ++v) {
        w->GblHScroll1[0]->setValue(v);
        Timer::Advance(5);
        EXPECT_LE(MidiDev::Pending(), 2 * 481u);
    }
    const std::string all = sent();
    ASSERT_GE(all.size(), 2 * 481u);
    EXPECT_EQ(all.substr(all.size() - 481), GblDumpMsg(w->Tag()));
    EXPECT_LE(all.size(), 3 * 481u);
}

TEST_F(GblTest, SizesAndTheBackingSequenceView) {
    frmGbl* g = nullptr;
    GblInstrSet = 1;
    g = openInstrument();
    ASSERT_NE(g, nullptr);
    g->Move(0, 0, 9000, 4995);
    EXPECT_EQ(std::tuple(WinEntry(14).Width, WinEntry(14).Height), std::tuple(9000, 4995));
    // Every control stands inside the window at its standard size.
    g->Move(0, 0, 9072, 5640);
    for (int p = 0; p < 4; ++p) {
        g->SSTab1->setTab(p);
        for (QWidget* c : g->findChildren<QWidget*>()) {
            if (!c->isVisible() || c->objectName().isEmpty()) continue;
            const QRect r(c->mapTo(g, QPoint(0, 0)), c->size());
            EXPECT_TRUE(g->rect().contains(r)) << c->objectName().toStdString() << " on page " << p;
        }
    }
    // The right button on every frame and on the tab strip: the Edit menu.
    int popups = 0;
    SetPopupMenuHandler([&](QMenu*) { ++popups; });
    const auto frames = g->findChildren<Frame*>();
    for (Frame* f : frames) QTest::mouseClick(f, Qt::RightButton, {}, QPoint(3, f->height() - 3));
    QTest::mouseClick(g->SSTab1->tabBar(), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(std::tuple(frames.size(), popups), std::tuple(10, 11));
    auto* v = new frmEditBSQ(frame.data());
    v->Show();
    EXPECT_EQ(v->Tag(), bytesOf({0x1E, 0x00}));
    EXPECT_EQ(v->Caption(), "Edit Backing Sequence");
    // Sizes in whole pixels (15 twips).
    const struct { int w, h, wantW, wantH; } sizes[] = {{8000, 6000, 7000, 5000}, {6000, 4000, 6000, 4000}};
    for (const auto& s : sizes) {
        v->Move(0, 0, s.w, s.h);
        EXPECT_NEAR(v->Width(), s.wantW, 14);
        EXPECT_NEAR(v->Height(), s.wantH, 14);
    }
    v->setWindowState(vbMinimized);
    EXPECT_EQ(int{WinEntry(30).State}, 2);
    v->Unload(vbFormCode);
    EXPECT_EQ(int{WinEntry(30).State}, 0);
}

// The user-scale sliders run from +50 at the top: two clicks on the up
// arrow of note C raise it to 2, shown, stored and sent.
TEST_F(GblTest, UserScaleUpArrowRaisesTheNote) {
    frmGbl* w = openFile();
    ASSERT_NE(w, nullptr);
    w->showInstrument(std::string(448, '\0'));
    w->SSTab1->setTab(1);
    VScroll* c = w->VScroll2[0];
    sent();
    for (int k = 0; k < 2; ++k) QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() / 2, 2));
    EXPECT_EQ(c->Value(), 2);
    EXPECT_EQ(w->Lab2[0]->Caption(), "2");
    EXPECT_EQ(at(w->Tag(), 303 + 32), 2u);
    const std::string m = sent();
    ASSERT_EQ(m.size(), 2 * 481u);
    EXPECT_EQ(Unpack7(m.substr(481 + 5, 475))[32], '\x02');
}
