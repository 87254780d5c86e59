// The arrangement editor: its two pages, their frames and every control.
#include <QLineEdit>

#include "editors/arrangement/ArrParams.h"
#include "editors/arrangement/frmEditArr.h"

namespace {
// Places are designed in pixels of a 96-dpi screen.
void place(QWidget* w, int x, int y, int wd, int h) {
    w->setGeometry(twipsToPxX(x * 15), twipsToPxY(y * 15), twipsToPxX(wd * 15), twipsToPxY(h * 15));
}

constexpr int Row = 18, kTop = 14, CtlH = 17;
constexpr int TrackW = 198, TrackH = 158, TopH = 162;

Label* caption(QWidget* parent, const char* text, int x, int y, int w) {
    auto* l = new Label(parent, QString(), -1);
    l->setCaption(text);
    place(l, x, y + 1, w, CtlH - 2);
    return l;
}

Label* valueLabel(QWidget* parent, const QString& name, int index, int x, int y, int w) {
    auto* l = new Label(parent, name, index);
    l->setAlignment(Qt::AlignCenter);
    place(l, x, y, w, 14);
    return l;
}

}  // namespace

// The control of a row, made by the binder, its changes going to `own`.
template <class C>
C* frmEditArr::make(const ParamRow& row, QWidget* parent, std::function<void()> own) {
    return static_cast<C*>(binder_.create(row, parent, std::move(own)));
}

// A list of the table at its place.
ComboBox* frmEditArr::listAt(const ParamRow& row, QWidget* parent, std::function<void()> own, int x, int y, int w) {
    auto* c = make<ComboBox>(row, parent, std::move(own));
    place(c, x, y, w, CtlH + 1);
    return c;
}

void frmEditArr::buildLayout() {
    const ArrParamTable& map = ArrCtrlMap();
    SSTab1 = new SSTab(this, QStringLiteral("SSTab1"));
    SSTab1->setTabs(2);
    SSTab1->setTabCaption(0, "General, Drum, Percussion, Bass");
    SSTab1->setTabCaption(1, "ACC1,2,3, UPPER1, UPPER2, LOWER");
    SSTab1->MouseDown = [this](int button, int, int, int) { SSTab1_MouseDown(button); };
    QWidget* p0 = SSTab1->page(0);
    QWidget* p1 = SSTab1->page(1);

    static const char* const names[13] = {"General", "Frame2", "Frame1", "Frame5", "Drum", "Percussion", "FrBass",
                                          "FrAcc1", "FrACC2", "FrACC3", "UPPER1", "UPPER2", "LOWER"};
    static const char* const captions[13] = {"General", "Switches", "Effects 1,2, On/Off", "Ensemble", "Drum",
                                             "Percussion", "Bass", "ACC1", "ACC2", "ACC3", "UPPER1", "UPPER2",
                                             "LOWER"};
    for (int k = 0; k < 13; ++k) {
        Frame* f = new Frame(k < 7 ? p0 : p1, QString::fromLatin1(names[k]), -1);
        f->setCaption(captions[k]);
        f->MouseDown = [this](int button, int, int, int) { Frame_MouseDown(button); };
        frames[static_cast<std::size_t>(k)] = f;
    }
    place(frames[0], 2, 2, 326, TopH);
    place(frames[1], 330, 2, 128, TopH);
    place(frames[2], 460, 2, 138, 86);
    place(frames[3], 460, 90, 138, TopH - 88);
    for (int t = 0; t < 9; ++t) {
        const int col = t < 3 ? t : (t - 3) % 3;
        const int y = t < 3 ? TopH + 4 : t < 6 ? 2 : TrackH + 4;
        place(frames[static_cast<std::size_t>(4 + t)], 2 + col * (TrackW + 2), y, TrackW, TrackH);
    }

    // ---- General ----
    Frame* g = frames[0];
    auto rowY = [](int k) { return kTop + Row * k; };
    // The name and style fields hold 16 characters whole.
    const int ax = 4, ac = 70, aw = 96, bx = ax + ac + aw + 4, bc = 59, bw = 63, sw = 42;
    caption(g, "Arrangement", ax, rowY(0), ac);
    caption(g, "Style", ax, rowY(1), ac);
    for (int i = 0; i < 20; ++i) {
        QWidget* parent = i < 2 ? static_cast<QWidget*>(g) : frames[static_cast<std::size_t>(4 + (i - 2) / 2)];
        Text1[static_cast<std::size_t>(i)] = new TextBox(parent, QStringLiteral("Text1"), i);
    }
    place(Text1[0], ax + ac, rowY(0), aw, CtlH);
    place(Text1[1], ax + ac, rowY(1), aw, CtlH);
    StyleLabel = new Label(g, QStringLiteral("Label"), 1);
    StyleLabel->setCaption("Style");
    place(StyleLabel, ax + ac, rowY(2) + 1, aw, CtlH - 2);
    struct At {
        int index;
        const char* caption;
        int x, k;
    };
    const At lists[] = {{0, "Kbd Assign", ax, 3}, {3, "Init. Var.", ax, 4}, {4, "Transpose", ax, 5},
                        {6, "Kick Desig.", ax, 6}, {7, "Snare Desig.", ax, 7}, {1, "Fill 1", bx, 0},
                        {2, "Fill 2", bx, 1},     {5, "DDrumMap", bx, 2}};
    for (const At& a : lists) {
        caption(g, a.caption, a.x, rowY(a.k), a.x == ax ? ac : bc);
        const int i = a.index;
        Combo1[static_cast<std::size_t>(i)] =
            listAt(i == 5 ? map.Variation : *map.Combo1[static_cast<std::size_t>(i)], g, [this, i] { Combo1_Click(i); },
                   a.x + (a.x == ax ? ac : bc), rowY(a.k), a.x == ax ? 80 : bw);
    }
    caption(g, "Variation", bx, rowY(3), bc);
    HScroll1[1] = make<HScroll>(map.VariationValue, g, [this] { HScroll1_Change(1); });
    place(HScroll1[1], bx + bc, rowY(3) + 1, sw, 15);
    Label1[4] = valueLabel(g, QStringLiteral("Label1"), 4, bx + bc + sw + 1, rowY(3) + 1, 20);
    caption(g, "Split Point", bx, rowY(4), bc);
    HScroll1[0] = make<HScroll>(*map.HScroll1[0], g, [this] { HScroll1_Change(0); });
    place(HScroll1[0], bx + bc, rowY(4) + 1, sw, 15);
    Label1[3] = valueLabel(g, QStringLiteral("Label1"), 3, bx + bc + sw + 1, rowY(4) + 1, 24);
    binder_.setLabel(*map.HScroll1[0], Label1[3]);
    caption(g, "Tempo", 248, rowY(7), 50)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    VScroll1[0] = make<VScroll>(*map.VScroll1[0], g, [this] { VScroll1_Change(0); });
    place(VScroll1[0], 302, kTop, 16, TopH - kTop - 22);
    Label1[0] = valueLabel(g, QStringLiteral("Label1"), 0, 296, TopH - 20, 28);
    binder_.setLabel(*map.VScroll1[0], Label1[0]);

    // ---- Switches ----
    for (int i = 0; i < 9; ++i) {
        auto* c = make<CheckBox>(*map.Check1[static_cast<std::size_t>(i)], frames[1], [this, i] { Check1_Click(i); });
        place(c, 4, kTop + 16 * i, 122, 16);
        Check1[static_cast<std::size_t>(i)] = c;
    }

    // ---- Effects ----
    for (int i = 0; i < 2; ++i) {
        const int y = kTop + 36 * i;
        EffLab1[static_cast<std::size_t>(i)] = new Label(frames[2], QStringLiteral("EffLab1"), i);
        EffLab1[static_cast<std::size_t>(i)]->setCaption(i == 0 ? "Effect 1" : "Effect 2");
        place(EffLab1[static_cast<std::size_t>(i)], 6, y + 1, 86, CtlH - 2);
        EffComm[static_cast<std::size_t>(i)] = new CommandButton(frames[2], QStringLiteral("EffComm"), i);
        EffComm[static_cast<std::size_t>(i)]->setCaption("On");
        place(EffComm[static_cast<std::size_t>(i)], 94, y, 38, CtlH);
        EffCombo[static_cast<std::size_t>(i)] =
            listAt(*map.EffCombo[static_cast<std::size_t>(i)], frames[2], [this, i] { EffCombo_Click(i); }, 4, y + 18, 128);
    }

    // ---- Ensemble ----
    caption(frames[3], "Type", 6, kTop, 34);
    Combo1[8] = listAt(*map.Combo1[8], frames[3], [this] { Combo1_Click(8); }, 42, kTop, 90);
    Check1[9] = make<CheckBox>(*map.Check1[9], frames[3], [this] { Check1_Click(9); });
    place(Check1[9], 6, kTop + 19, 40, 16);
    caption(frames[3], "Drum Kit", 6, kTop + 38, 50);
    Combo1[9] = listAt(*map.Combo1[9], frames[3], [this] { Combo1_Click(9); }, 58, kTop + 38, 74);

    // ---- Tracks ----
    static const char* const fields[6] = {"C Send L", "D Send L", "Octave", "Out Status1", "Out Status2", "W-Around"};
    for (int t = 0; t < 9; ++t) {
        Frame* f = frames[static_cast<std::size_t>(4 + t)];
        TextBox* prg = Text1[static_cast<std::size_t>(2 + 2 * t)];
        TextBox* bank = Text1[static_cast<std::size_t>(3 + 2 * t)];
        prg->setToolTip(QStringLiteral("Program"));
        bank->setToolTip(QStringLiteral("Bank"));
        place(prg, 4, kTop, 124, CtlH);
        place(bank, 130, kTop, 64, CtlH);
        for (int k = 0; k < 2; ++k) {
            const int i = 2 * t + 1 + k;
            const int x = 4 + 32 * k;
            caption(f, k == 0 ? "VOL" : "PAN", x + 1, kTop + 19, 28)->setAlignment(Qt::AlignCenter);
            const ParamRow& row = *map.VScroll1[static_cast<std::size_t>(i)];
            VScroll1[static_cast<std::size_t>(i)] = make<VScroll>(row, f, [this, i] { VScroll1_Change(i); });
            place(VScroll1[static_cast<std::size_t>(i)], x + 7, kTop + 35, 16, 70);
            Label2[static_cast<std::size_t>(i)] = valueLabel(f, QStringLiteral("Label2"), i, x, kTop + 106, 30);
            binder_.setLabel(row, Label2[static_cast<std::size_t>(i)]);
        }
        CommM[static_cast<std::size_t>(t)] = new CommandButton(f, QStringLiteral("CommM"), t);
        CommM[static_cast<std::size_t>(t)]->setCaption("M");
        place(CommM[static_cast<std::size_t>(t)], 4, kTop + 122, 30, CtlH + 1);
        CommS[static_cast<std::size_t>(t)] = new CommandButton(f, QStringLiteral("CommS"), t);
        CommS[static_cast<std::size_t>(t)]->setCaption("S");
        place(CommS[static_cast<std::size_t>(t)], 36, kTop + 122, 30, CtlH + 1);
        for (int k = 0; k < 6; ++k) {
            const int i = 6 * t + k;
            const int y = kTop + 20 + 20 * k;
            caption(f, fields[k], 70, y, 62);
            Combo2[static_cast<std::size_t>(i)] =
                listAt(*map.Combo2[static_cast<std::size_t>(i)], f, [this, i] { Combo2_Click(i); }, 132, y, 62);
        }
    }

    // ---- text fields ----
    for (int i = 0; i < 20; ++i) {
        TextBox* b = Text1[static_cast<std::size_t>(i)];
        b->setMaxLength(i >= 3 && i % 2 == 1 ? 10 : 16);
        b->setLocked(i != 0);
        b->Change = [this, i] { Text1_Change(i); };
        b->Click = [this, i] { Text1_Click(i); };
    }

    for (int i = 0; i < 10; ++i) Combo1[static_cast<std::size_t>(i)]->Change = [this, i] { Combo1_Change(i); };
    for (int i = 0; i < 54; ++i) Combo2[static_cast<std::size_t>(i)]->Change = [this, i] { Combo2_Change(i); };
    // A box left with text that names no item shows its item again.
    for (ComboBox* c : Combo1) restoreOnLeave(c);
    for (ComboBox* c : Combo2) restoreOnLeave(c);
    for (ComboBox* c : EffCombo) restoreOnLeave(c);
    for (int i = 0; i < 2; ++i) EffComm[static_cast<std::size_t>(i)]->Click = [this, i] { EffComm_Click(i); };
    for (int t = 0; t < 9; ++t) {
        CommM[static_cast<std::size_t>(t)]->Click = [this, t] { CommM_Click(t); };
        CommS[static_cast<std::size_t>(t)]->Click = [this, t] { CommS_Click(t); };
    }
}

void frmEditArr::restoreOnLeave(ComboBox* c) {
    if (!c->lineEdit()) return;
    connect(c->lineEdit(), &QLineEdit::editingFinished, c, [c] {
        const int i = c->ListIndex();
        c->setText(i >= 0 ? c->List(i) : std::string());
    });
}
