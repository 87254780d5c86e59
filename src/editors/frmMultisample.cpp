// The multisample picker.
#include "editors/frmMultisample.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "app/state.h"
#include "banks/state.h"
#include "editors/frmEditPrg.h"
#include "files/WindowImage.h"
#include "platform/Controls.h"
#include "platform/Text.h"
#include "platform/Timer.h"
#include "shell/MenuAgg.h"
#include "shell/frmMain.h"

namespace {
// Layout: the lists' margin inside their page (twips). The lists step their
// rows by the font they show and show as many columns as their widest row
// allows side by side, so that a page shows whole in the standard size.
constexpr int Margin = 60, ColumnGapPx = 12;

std::string rowText(int n) { return fromQt(QString::fromLatin1(MultisampleText(static_cast<unsigned>(n)))); }
}  // namespace

std::string MultisamplePageCaption(int page) {
    const int first = MultisampleEntry(page, 0);
    const int last = std::min(first + MultisamplePageRows, static_cast<int>(MultisampleNames.size())) - 1;
    char s[16];
    std::snprintf(s, sizeof s, "%03d-%03d", first, last);
    return s;
}

int MultisampleBoxNumber(const std::string& text) {
    // A box holds "NNN  name", or the number alone when it is past the list:
    // the whole number then, not its first three digits, so that 1300 is
    // not taken for 130.
    std::size_t k = 0;
    while (k < text.size() && (text[k] == ' ' || text[k] == '\t')) ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) negative = text[k++] == '-';
    double v = 0;
    for (; k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])); ++k) {
        v = v * 10 + (text[k] - '0');
        if (v > 1e6) break;  // far past the list either way
    }
    if (k < text.size() && text[k] == '.') {
        double scale = 0.1;
        for (++k; k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])); ++k, scale /= 10)
            v += (text[k] - '0') * scale;
    }
    return static_cast<int>(std::nearbyint(negative ? -v : v));
}

frmMultisample::frmMultisample(MdiFrame* frame)
    : ToolForm(frame, QStringLiteral("frmMultisample"), Kind, MenuId::mnuMultisample) {
    SSTab1 = new SSTab(this, QStringLiteral("SSTab1"));
    SSTab1->setTabs(MultisamplePages);
    SSTab1->MouseDown = [this](int button, int, int, int) { SSTab1_MouseDown(button); };
    for (int p = 0; p < MultisamplePages; ++p) {
        SSTab1->setTabCaption(p, MultisamplePageCaption(p));
        auto* l = new ListBox(SSTab1->page(p), QStringLiteral("List1"), p);
        l->setMultiSelect(0);
        l->setColumns(1);
        l->Click = [this, p] { List1_Click(p); };
        l->MouseDown = [this](int button, int, int, int) { List1_MouseDown(button); };
        List1[static_cast<std::size_t>(p)] = l;
    }
    Timer = new ::Timer(this, QStringLiteral("Timer"));
    Timer->setInterval(TimerInterval);
    Timer->setEnabled(false);
    Timer->onTimer = [this] { Timer_Timer(); };
    instance_ = this;
}

frmMultisample* frmMultisample::Open() {
    frmMultisample* f = instance_.data();
    return f && f->Loaded() && !f->Discarded() ? f : nullptr;
}

void frmMultisample::Form_Load() {
    const Quiet quiet;
    ToolLoaded(true);
    setTag(WindowImageNew(Kind));
    const int count = static_cast<int>(MultisampleNames.size());
    for (int n = 0; n < count; ++n) List1[static_cast<std::size_t>(MultisamplePage(n))]->AddItem(rowText(n));
    columnPx_ = widestRow() + ColumnGapPx;
    setCaption("Multisample");
    layoutControls();
}

int frmMultisample::widestRow() const {
    // Character by character (the gap covers kerning): measuring each row
    // as a whole costs more than filling the lists.
    const QFontMetrics fm(List1[0]->font());
    std::array<int, 256> advance;
    advance.fill(-1);
    int widest = 0;
    for (const ListBox* l : List1)
        for (int i = 0; i < l->ListCount(); ++i) {
            int w = 0;
            for (QChar c : l->item(i)->text()) {
                const char16_t u = c.unicode();
                if (u >= advance.size()) {
                    w += fm.horizontalAdvance(c);
                    continue;
                }
                int& a = advance[u];
                if (a < 0) a = fm.horizontalAdvance(c);
                w += a;
            }
            widest = std::max(widest, w);
        }
    return widest;
}

void frmMultisample::layoutControls() {
    SSTab1->setGeometry(0, 0, width(), height());
    const QSize place = SSTab1->pageSize();
    const int w = pxToTwipsX(place.width()), h = pxToTwipsY(place.height());
    for (int p = 0; p < MultisamplePages; ++p) {
        ListBox* l = List1[static_cast<std::size_t>(p)];
        l->Move(Margin, Margin, std::max(0, w - 2 * Margin), std::max(0, h - 2 * Margin));
        const int columns = std::max(1, (l->width() - 2 * l->frameWidth()) / std::max(1, columnPx_));
        if (l->Columns() != columns) l->setColumns(columns);
    }
}

void frmMultisample::Form_Activate() { MenuAgg(); }

void frmMultisample::Form_Resize() {
    layoutControls();
    if (Busy) return;
    ToolResizedToStandard();
    layoutControls();
    MenuAgg();
}

void frmMultisample::Form_Unload(int&) {
    Timer->setEnabled(false);
    ToolUnloaded(true);
    MenuAgg();
}

void frmMultisample::List1_Click(int page) {
    if (following_ || !EditPrgOpen || (OscTextSel != 1 && OscTextSel != 2)) return;
    frmEditPrg* ed = frmEditPrg::Open();
    const int row = List1[static_cast<std::size_t>(page)]->ListIndex();
    if (!ed || row < 0) return;
    ed->MultisampleBoxSet(OscTextSel, rowText(MultisampleEntry(page, row)));
}

void frmMultisample::Timer_Timer() {
    Timer->setEnabled(false);
    frmEditPrg* ed = frmEditPrg::Open();
    if (!ed || !EditPrgOpen || (OscTextSel != 1 && OscTextSel != 2)) return;
    const int n = MultisampleBoxNumber(ed->BasText[static_cast<std::size_t>(OscTextSel)]->Text());
    if (n < 0 || n >= static_cast<int>(MultisampleNames.size())) return;
    const int page = MultisamplePage(n), row = MultisampleRow(n);
    ListBox* l = List1[static_cast<std::size_t>(page)];
    // Shown, not picked: the box keeps what it holds.
    following_ = true;
    l->setListIndex(row);
    following_ = false;
    SSTab1->setTab(page);
    if (QListWidgetItem* it = l->item(row)) l->scrollToItem(it);
}

void frmMultisample::List1_MouseDown(int button) {
    if (button != vbRightButton) return;
    if (frmMain* m = MainForm()) PopupMenu(m->mnuModifica->subMenu());
}

void frmMultisample::SSTab1_MouseDown(int button) { List1_MouseDown(button); }

void MultisamplePickerArm() {
    if (frmMultisample* f = frmMultisample::Open()) f->Timer->setEnabled(true);
}
