// The program editor: the pages, their frames and the controls of every
// parameter row.
#include <QFont>
#include <QFontMetrics>
#include <algorithm>

#include "banks/state.h"
#include "editors/ProgramParams.h"
#include "editors/frmEditPrg.h"

namespace {
// Places are designed in pixels of a 96-dpi screen.
void place(QWidget* w, int x, int y, int wd, int h) {
    w->setGeometry(twipsToPxX(x * 15), twipsToPxY(y * 15), twipsToPxX(wd * 15), twipsToPxY(h * 15));
}

constexpr int RowStep = 18, RowTop = 15, ColWidth = 198, ColStep = 202;

struct FramePlace {
    int x, y;
};
// The BASIC page's frames, in the order of PrgPageFrames; their heights
// follow from the rows they hold.
constexpr FramePlace kBasicFrames[] = {
    {4, 46},    // OSC 1/2
    {4, 2},     // PROGRAM NAME
    {206, 2},   // OSCILLATOR
    {4, 90},    // JOYSTICK
    {408, 170}, // VDF MG
    {4, 168},   // AFTERTOUCH
    {408, 2},   // PITCH EG
};
// The oscillator pages' frames, in the order of PrgPageFrames; 0 width: a
// column's. Both oscillators' pages look the same.
struct OscFramePlace {
    int x, y, width;
};
constexpr OscFramePlace kOscFramesA[] = {
    {4, 2, 0},     // Pitch MG
    {206, 2, 0},   // VDF
    {408, 2, 0},   // VDF EG
    {206, 153, 0}, // VDA
    {4, 207, 0},   // PITCH EG
    {4, 250, 0},   // OSC 1/2
};
constexpr OscFramePlace kOscFramesA2[] = {
    {4, 207, 0},   // PITCH EG
    {4, 2, 0},     // Pitch MG
    {206, 2, 0},   // VDF
    {408, 2, 0},   // VDF EG
    {206, 153, 0}, // VDA
    {4, 250, 0},   // OSC 1/2
};
constexpr OscFramePlace kOscFramesB[] = {
    {4, 2, 0},      // VDA EG
    {206, 2, 400},  // the polarity grid
    {206, 143, 0},  // SEND
    {4, 153, 0},    // COLOR
    {408, 143, 0},  // Kbd Track Mode
    {4, 214, 0},    // PANPOT
};
constexpr int ListCaptionWidth = 102, ListLeft = 108, ListWidth = 86;
// The polarity grid: row captions on the left, then a column of lists per
// byte under its caption.
constexpr int GridLeft = 62, GridColumn = 82, GridListWidth = 70, GridRowStep = 22, GridTop = RowTop + 30;
constexpr int GridHeight = GridTop + 4 * GridRowStep + 4;

int frameHeight(int rows) { return RowTop + rows * RowStep + 6; }

// The value label's control name: "BasHScroll" → "BasLab".
QString labelName(const char* control) {
    QString n = QString::fromLatin1(control);
    n.replace(QStringLiteral("HScroll"), QStringLiteral("Lab"));
    return n;
}
}  // namespace

void frmEditPrg::buildPages() {
    SSTab1 = new SSTab(this, QStringLiteral("SSTab1"));
    SSTab1->setTabs(PrgPageCount);
    std::vector<std::vector<Frame*>> pageFrames(PrgPageCount);
    int basic = 0, osc = 0, eff = 0;
    for (int p = 0; p < PrgPageCount; ++p) {
        const auto page = static_cast<PrgPage>(p);
        SSTab1->setTabCaption(p, PrgPageCaption(page));
        const auto& captions = PrgPageFrames(page);
        for (std::size_t k = 0; k < captions.size(); ++k) {
            Frame* f;
            if (page == PrgPage::Basic)
                f = new Frame(SSTab1->page(p), QStringLiteral("Frame1"), basic++);
            else if (page == PrgPage::Effects)
                f = new Frame(SSTab1->page(p), QStringLiteral("EffFrame"), eff++);
            else
                f = new Frame(SSTab1->page(p), QStringLiteral("OscFrame"), osc++);
            f->setCaption(captions[k]);
            f->MouseDown = [this](int button, int, int, int) { Form_MouseDown(button); };
            if (page == PrgPage::Basic) {
                const FramePlace& fp = kBasicFrames[k];
                place(f, fp.x, fp.y, ColWidth, frameHeight(1));
            } else if (page == PrgPage::Effects) {
                place(f, 4 + ColStep * static_cast<int>(k), 2, ColWidth, 300);
            } else {
                const OscFramePlace& fp = page == PrgPage::Osc1a   ? kOscFramesA[k]
                                          : page == PrgPage::Osc2a ? kOscFramesA2[k]
                                                                   : kOscFramesB[k];
                place(f, fp.x, fp.y, fp.width ? fp.width : ColWidth, frameHeight(1));
            }
            pageFrames[static_cast<std::size_t>(p)].push_back(f);
            frames.push_back(f);
        }
    }
    auto frameOf = [&](PrgPage page, const std::string& caption) -> Frame* {
        for (Frame* f : pageFrames[static_cast<std::size_t>(page)])
            if (f->Caption() == caption) return f;
        return nullptr;
    };

    // The option pairs: one on the BASIC page, one on each first oscillator page.
    auto optionPair = [this](Frame* f, OptionButton** pair, const QString& name, int first) {
        for (int k = 0; k < 2; ++k) {
            auto* b = new OptionButton(f, name, first + k);
            b->setCaption(k == 0 ? "OSC 1" : "OSC 2");
            place(b, 8 + 90 * k, RowTop + 2, 80, 16);
            pair[k] = b;
        }
    };
    optionPair(frameOf(PrgPage::Basic, "OSC 1/2"), &BasOption[0], QStringLiteral("BasOption"), 0);
    optionPair(frameOf(PrgPage::Osc1a, "OSC 1/2"), &OscOption[0], QStringLiteral("OscOption"), 0);
    optionPair(frameOf(PrgPage::Osc2a, "OSC 1/2"), &OscOption[2], QStringLiteral("OscOption"), 2);
    for (int k = 0; k < 2; ++k) BasOption[k]->Click = [this, k] { BasOption_Click(k); };
    for (int k = 0; k < 4; ++k) OscOption[k]->Click = [this, k] { OscOption_Click(k); };

    // The name box.
    Frame* nameFrame = frameOf(PrgPage::Basic, "PROGRAM NAME");
    BasText[0] = new TextBox(nameFrame, QStringLiteral("BasText"), 0);
    BasText[0]->setMaxLength(16);
    place(BasText[0], 8, RowTop + 2, 140, 19);

    // The polarity grids' captions.
    for (PrgPage page : {PrgPage::Osc1b, PrgPage::Osc2b}) {
        Frame* f = frameOf(page, PrgPolarityFrame);
        for (int c = 0; c < 4; ++c) {
            auto* l = new Label(f, QString(), -1);
            // Two lines: the envelope ("VDF EG1"), then what drives it.
            std::string text = PrgPolarityColumn(c);
            if (const auto cut = text.find(' ', text.find(' ') + 1); cut != std::string::npos) text[cut] = '\n';
            l->setCaption(text);
            l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
            place(l, GridLeft + GridColumn * c, RowTop, GridColumn - 4, 28);
        }
        f->setHeight(GridHeight * 15);
    }

    // Every row, in the frame of its caption, one under the other; the
    // polarity lists in their grid.
    std::vector<std::pair<Frame*, int>> used;
    for (const ParamRow& row : ProgramParams().rows) {
        if (effBoundLater(row)) continue;
        Frame* f = frameOf(PrgPageOf(row), row.frame);
        if (const int cell = PrgPolarityCell(row); cell >= 0) {
            const int column = cell / 4, r = cell % 4;
            const int y = GridTop + GridRowStep * r;
            if (column == 0) {
                auto* l = new Label(f, QString(), -1);
                l->setCaption(row.caption);
                place(l, 6, y + 2, GridLeft - 8, 14);
            }
            place(binder_.create(row, f), GridLeft + GridColumn * column, y, GridListWidth, 17);
            continue;
        }
        auto it = std::find_if(used.begin(), used.end(), [f](const auto& u) { return u.first == f; });
        if (it == used.end()) it = used.insert(used.end(), {f, 0});
        it->second += buildRow(row, f, RowTop + RowStep * it->second);
    }
    for (auto [f, n] : used)
        f->setHeight(frameHeight(n) * 15);
    buildEffects();
    for (int i = 0; i < 3; ++i) {
        BasText[i]->Change = [this, i] { BasText_Change(i); };
        BasText[i]->MouseDown = [this, i](int, int, int, int) { BasText_MouseDown(i); };
    }
    for (int i = 1; i < 3; ++i) {
        BasText[i]->KeyPress = [this, i](int& key) {
            if (key == 13) multisampleCommit(i);
        };
        BasText[i]->LostFocus = [this, i] { multisampleLeft(i); };
    }
}

int frmEditPrg::buildRow(const ParamRow& row, QWidget* frame, int y) {
    // The EFFECTS page names its captions (EffLab1): the placement changes
    // some, the effect type enables some.
    const int captionIndex = effCaptionIndex(row);
    auto caption = [&](int width) {
        auto* l = new Label(frame, captionIndex < 0 ? QString() : QStringLiteral("EffLab1"), captionIndex);
        l->setCaption(row.caption);
        place(l, 6, y + 2, width, 14);
        if (captionIndex >= 0) EffLab1[static_cast<std::size_t>(captionIndex)] = l;
    };
    const bool effects = PrgPageOf(row) == PrgPage::Effects;
    // A caption too long to stand beside its control stands above it.
    const bool multisample = row.kind == ParamCtl::VScroll;
    const QFontMetrics metrics(frame->font());
    // An EFFECTS list whose items are too wide for the list beside its
    // caption (the effect types) runs the frame's width under it.
    bool wideList = false;
    if (effects && row.kind == ParamCtl::List)
        for (const char* item : row.items)
            wideList = wideList || metrics.horizontalAdvance(QString::fromLatin1(item)) > twipsToPxX((ListWidth - 24) * 15);
    const bool above = multisample || wideList ||
                       (row.kind == ParamCtl::List &&
                        metrics.horizontalAdvance(QString::fromLatin1(row.caption)) > twipsToPxX(ListCaptionWidth * 15));
    switch (row.kind) {
    case ParamCtl::HScroll: {
        // On the EFFECTS page the caption stands above and the bar under it,
        // with room beside it for a pan's "50:50".
        caption(effects ? ColWidth - 12 : 74);
        const int barY = effects ? y + RowStep + 1 : y + 1;
        if (effects)
            place(binder_.create(row, frame, effHandler(row)), 6, barY, 140, 15);
        else
            place(binder_.create(row, frame), 82, barY, 88, 15);
        auto* lab = new Label(frame, labelName(row.control), row.index);
        lab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (effects)
            place(lab, 148, barY, 44, 15);
        else
            place(lab, 172, barY, 22, 15);
        binder_.setLabel(row, lab);
        return effects ? 2 : 1;
    }
    case ParamCtl::List:
        caption(above ? ColWidth - 12 : ListCaptionWidth);
        if (wideList)
            place(binder_.create(row, frame, effHandler(row)), 6, y + RowStep, ColWidth - 12, 17);
        else
            place(binder_.create(row, frame, effHandler(row)), ListLeft, above ? y + RowStep : y, ListWidth, 17);
        break;
    case ParamCtl::Check: place(binder_.create(row, frame), 6, y, 186, 17); break;
    case ParamCtl::VScroll: {
        // A multisample box: the number typed or picked, the bar beside it.
        caption(160);
        const int i = row.osc;
        BasText[i] = new TextBox(frame, QStringLiteral("BasText"), i);
        BasText[i]->setMaxLength(15);
        place(BasText[i], 40, y + RowStep, 136, 17);
        auto* s = static_cast<VScroll*>(binder_.create(row, frame, [this, i] { BasVScroll_Change(i); }));
        s->setLargeChange(1);
        place(s, 178, y, 16, 2 * RowStep - 1);
        BasVScroll[i] = s;
        break;
    }
    case ParamCtl::Option: break;
    }
    return above ? 2 : 1;
}
