// The Global window's four pages: frames, controls and captions, placed in
// pixels of a 96-dpi screen inside the window's standard size.
#include "app/Names.h"
#include "editors/global/GblParams.h"
#include "editors/global/frmGbl.h"
#include "platform/Controls.h"

namespace {
void place(QWidget* w, int x, int y, int wd, int h) {
    w->setGeometry(twipsToPxX(x * 15), twipsToPxY(y * 15), twipsToPxX(wd * 15), twipsToPxY(h * 15));
}

constexpr int ComboH = 20, LabelH = 14, RowStep = 24;
const char* const kNotes[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
}  // namespace

void frmGbl::buildPages() {
    SSTab1 = new SSTab(this, QStringLiteral("SSTab1"));
    SSTab1->setTabs(4);
    const char* pages[] = {"General", "User Scale 1, 2", "User Scale 3, 4", "Harmony, MIDI"};
    for (int p = 0; p < 4; ++p) SSTab1->setTabCaption(p, pages[p]);
    place(SSTab1, 2, 2, 593, 318);
    place(CommLoadGbl, 2, 324, 90, 24);
    place(CommGlobal, 96, 324, 90, 24);
    place(CommClose, 505, 324, 90, 24);

    auto frame = [this](int page, const char* name, int index, const char* caption, int x, int y, int w, int h) {
        auto* f = new Frame(SSTab1->page(page), QString::fromLatin1(name), index);
        f->setCaption(caption);
        f->MouseDown = [this](int button, int, int, int) {
            if (button == vbRightButton) showEditPopup();
        };
        place(f, x, y, w, h);
        return f;
    };
    auto label = [](QWidget* parent, const char* name, int index, const std::string& text, int x, int y, int w,
                     Qt::Alignment align = Qt::AlignLeft) {
        auto* l = new Label(parent, QString::fromLatin1(name), index);
        l->setCaption(text);
        l->setAlignment(align | Qt::AlignVCenter);
        place(l, x, y, w, LabelH);
        return l;
    };
    const GblParamTable& rows = GblParams();
    auto combo = [this](QWidget* parent, const ParamRow& row, int x, int y, int w) {
        auto* c = static_cast<ComboBox*>(binder_.create(row, parent));
        place(c, x, y, w, ComboH);
        return c;
    };
    auto scroll = [this](QWidget* parent, const ParamRow& row, Label* value, int x, int y, int w, int h) {
        QWidget* s = binder_.create(row, parent);
        binder_.setLabel(row, value);
        place(s, x, y, w, h);
        return s;
    };
    const ParamRow& mt = *rows.GblHScroll1[0];
    const ParamRow& vel = *rows.GblHScroll1[1];

    // ---- General ------------------------------------------------------------
    Frame4 = frame(0, "Frame4", -1, "General", 2, 2, 360, 172);
    Frame3 = frame(0, "Frame3", -1, "Midi In", 2, 176, 144, 112);
    Frame2 = frame(0, "Frame2", -1, "Scales", 150, 176, 212, 112);
    Frame1 = frame(0, "Frame1", -1, "Pedals", 366, 2, 223, 286);
    int cap = 0;   // caption labels of the page: GblLab1 past the two value labels
    auto caption = [&](QWidget* parent, const char* text, int x, int y, int w) {
        if (cap == 1 || cap == 13) ++cap;
        GblLab1[static_cast<std::size_t>(cap)] = label(parent, "GblLab1", cap, text, x, y, w);
        ++cap;
    };
    auto sliderBlock = [&](QWidget* parent, const ParamRow& row, int valueIndex, const char* lo, const char* mid,
                           const char* hi, int y) {
        caption(parent, row.caption, 8, y, 90);
        Label* value = label(parent, "GblLab1", valueIndex, "", 100, y, 40);
        GblLab1[static_cast<std::size_t>(valueIndex)] = value;
        GblHScroll1[static_cast<std::size_t>(row.index)] = static_cast<HScroll*>(scroll(parent, row, value, 8, y + 15, 134, 16));
        caption(parent, lo, 8, y + 32, 30);
        if (mid) caption(parent, mid, 65, y + 32, 12);
        caption(parent, hi, 114, y + 32, 28);
        GblLab1[static_cast<std::size_t>(cap - 1)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    auto comboRow = [&](QWidget* parent, int index, int x, int y, int capW, int comboW) {
        const ParamRow& row = *rows.GblCombo1[static_cast<std::size_t>(index)];
        caption(parent, row.caption, x, y + 3, capW);
        return combo(parent, row, x + capW + 2, y, comboW);
    };
    sliderBlock(Frame4, mt, 1, "-50", "0", "50", 20);
    GblCombo1[2] = comboRow(Frame4, 2, 8, 68, 104, 52);
    GblCombo1[3] = comboRow(Frame4, 3, 8, 68 + RowStep, 104, 52);
    GblCombo1[5] = comboRow(Frame4, 5, 8, 68 + 2 * RowStep, 96, 80);
    const int checkPlace[][2] = {{8, 144}, {190, 18}, {190, 36}};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* c = static_cast<CheckBox*>(binder_.create(*rows.GblCheck1[i], Frame4));
        place(c, checkPlace[i][0], checkPlace[i][1], 160, 18);
        GblCheck1[i] = c;
    }
    caption(Frame4, "Damper Polarity", 190, 56, 90);
    const char* signs[] = {"+", "-"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new OptionButton(Frame4, QStringLiteral("GblOption1"), i);
        o->setCaption(signs[i]);
        place(o, 284 + 36 * i, 54, 34, 18);
        GblOption1[static_cast<std::size_t>(i)] = o;
    }
    binder_.adopt(*rows.GblOption1, GblOption1[0], GblOption1[1]);
    int y = 76;
    for (int i = 16; i <= 19; ++i, y += RowStep)
        GblCombo1[static_cast<std::size_t>(i)] = comboRow(Frame4, i, 190, y, 86, 70);

    sliderBlock(Frame3, vel, 13, "0", nullptr, "127", 20);
    GblCombo1[0] = comboRow(Frame3, 0, 8, 66, 76, 54);
    GblCombo1[1] = comboRow(Frame3, 1, 8, 66 + RowStep, 76, 54);
    y = 18;
    for (int i : {6, 8, 7, 9}) {
        GblCombo1[static_cast<std::size_t>(i)] = comboRow(Frame2, i, 6, y, 86, 116);
        y += RowStep;
    }
    y = 18;
    for (int i = 10; i <= 15; ++i, y += 44) {
        const ParamRow& row = *rows.GblCombo1[static_cast<std::size_t>(i)];
        caption(Frame1, row.caption, 10, y, 200);
        GblCombo1[static_cast<std::size_t>(i)] = combo(Frame1, row, 10, y + 16, 200);
    }

    // ---- User scales ----------------------------------------------------------
    for (int k = 0; k < 4; ++k) {
        const std::string title = "User Scale " + std::to_string(k + 1);
        Frame* f = Frame5[static_cast<std::size_t>(k)] =
            frame(1 + k / 2, "Frame5", k, title.c_str(), 2 + 294 * (k % 2), 2, 290, 286);
        for (int n = 0; n < 12; ++n) {
            const int i = 12 * k + n, x = 8 + 23 * n;
            const auto ui = static_cast<std::size_t>(i);
            Lab2[ui] = label(f, "Lab2", i, "0", x - 3, 16, 26, Qt::AlignHCenter);
            VScroll2[ui] = static_cast<VScroll*>(scroll(f, *rows.VScroll2[ui], Lab2[ui], x + 2, 32, 16, 196));
            LabNote[static_cast<std::size_t>(i)] = label(f, "LabNote", i, kNotes[n], x - 3, 230, 26, Qt::AlignHCenter);
        }
        auto* b = new CommandButton(f, QStringLiteral("CommResetUS"), k);
        b->setCaption("Reset US" + std::to_string(k + 1));
        place(b, 8, 252, 96, 24);
        b->Click = [this, k] { CommResetUS_Click(k); };
        CommResetUS[static_cast<std::size_t>(k)] = b;
    }

    // ---- Harmony, MIDI --------------------------------------------------------
    Frame6 = frame(3, "Frame6", -1, "Harmony", 2, 2, 330, 286);
    Frame7 = frame(3, "Frame7", -1, "MIDI Channels", 336, 2, 253, 286);
    y = 18;
    for (int i = 0; i < 4; ++i, y += RowStep) {
        const ParamRow& row = *rows.Combo3[static_cast<std::size_t>(i)];
        Lab3[static_cast<std::size_t>(i)] = label(Frame6, "Lab3", i, row.caption, 8, y + 3, 118);
        Combo3[static_cast<std::size_t>(i)] = combo(Frame6, row, 128, y, 110);
    }
    y += 6;
    for (int i = 0; i < 2; ++i, y += 42) {
        const ParamRow& row = *rows.HScroll3[static_cast<std::size_t>(i)];
        Lab3[static_cast<std::size_t>(4 + 2 * i)] = label(Frame6, "Lab3", 4 + 2 * i, row.caption, 8, y, 118);
        Label* value = label(Frame6, "Lab3", 5 + 2 * i, "", 128, y, 60);
        Lab3[static_cast<std::size_t>(5 + 2 * i)] = value;
        HScroll3[static_cast<std::size_t>(i)] = static_cast<HScroll*>(scroll(Frame6, row, value, 8, y + 16, 310, 16));
    }
    Check3 = static_cast<CheckBox*>(binder_.create(*rows.Check3, Frame6));
    place(Check3, 8, y + 4, 160, 18);
    y = 18;
    for (const GblChannelRow& ch : GblChannelRows()) {
        Lab3[static_cast<std::size_t>(ch.index + 4)] = label(Frame7, "Lab3", ch.index + 4, ch.caption, 8, y + 3, 150);
        auto* c = new ComboBox(Frame7, QStringLiteral("Combo3"), ch.index, 2);
        for (const char* item : GblChannelItems()) c->AddItem(item);
        place(c, 162, y, 80, ComboH);
        Combo3[static_cast<std::size_t>(ch.index)] = c;
        y += RowStep;
    }
    for (int i = 4; i < 15; ++i) Combo3[static_cast<std::size_t>(i)]->Click = [this, i] { Combo3_Click(i); };
}
