#include "banks/BankWindow.h"

#include <algorithm>

#include <QMdiSubWindow>
#include <QMouseEvent>

#include "app/Captions.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Tables.h"
#include "app/state.h"
#include "files/FileFormats.h"
#include "files/WindowImage.h"
#include "library/Links.h"
#include "library/state.h"
#include "midi/MIDI.h"
#include "midi/state.h"
#include "platform/Controls.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"

namespace {
constexpr int ComboLeft = 400, ComboWidth = 860, LabelGap = 50, ButtonsGap = 500, ButtonStep = 1950;
constexpr int ButtonWidth = 1500, ButtonHeight = 375, RightMargin = 60, ListGap = 30;

MenuId menuOf(int kind) {
    static constexpr MenuId items[] = {MenuId::mnuWProgA, MenuId::mnuWProgB, MenuId::mnuWProgC, MenuId::mnuWProgD,
                                       MenuId::mnuWProgE, MenuId::mnuDrum,   MenuId::mnuPerc};
    return items[std::clamp(kind, 4, 10) - 4];
}

bool isKit(int kind) { return kind == 9 || kind == 10; }

// Twips a control needs to show its text whole in its own font.
int neededWidth(const QWidget* w) { return pxToTwipsX(w->sizeHint().width()); }
int neededHeight(const QWidget* w) { return pxToTwipsY(w->sizeHint().height()); }
}  // namespace

std::string BankRowText(int kind, int i) {
    const std::string& names = isKit(kind) ? DrumKitNames : PrgRomNames[static_cast<std::size_t>(std::clamp(kind, 4, 8) - 4)];
    return RowCode(i) + "  " + padRight(mid(names, 16L * i + 1, 16), 16);
}

std::string BankImage(int kind, int channel) {
    std::string img = WindowImageNew(kind);
    if (img.empty()) return img;
    put(img, ImgChannel, static_cast<unsigned>(channel & 0x0F));
    if (isKit(kind)) {
        putMid(img, ImgDrumNames, padRight(mid(DrumKitNames, 1, ImgDrumWinLen - ImgDrumNames + 1),
                                           ImgDrumWinLen - ImgDrumNames + 1));
        return img;
    }
    for (int i = 0; i < RowTableRows(kind); ++i) putMid(img, RowPos(ImgPcgRows, i) + 1, BankRowText(kind, i));
    return img;
}

void FitColumnRows(ListBox* list, int perColumn) {
    // The list lays a column out while a whole row ends above its inside's
    // last pixel: n rows of step s need n * s + 1 pixels, and n + 1 do not
    // fit in that. A horizontal scroll bar would take its height off the
    // inside; with every column in view there is none.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * list->frameWidth();
    const int step = std::max(1, (list->height() - frame - 1) / perColumn);
    list->setRowHeight(pxToTwipsY(step));
    list->setHeight(pxToTwipsY(step * perColumn + 1 + frame));
}

BankWindow::BankWindow(MdiFrame* frame, const QString& name, int kind, const Shape& shape)
    : DocWindow(frame, name, kind), shape_(shape) {
    List1 = new ListBox(this, QStringLiteral("List1"));
    List1->setFont(ListFont());
    List1->setColumns(4);
    List1->setMultiSelect(shape_.multiSelect);
    List1->Click = [this] { List1_Click(); };
    List1->MouseDown = [this](int b, int s, int x, int y) { List1_MouseDown(b, s, x, y); };
    List1->MouseUp = [this](int b, int s, int x, int y) { List1_MouseUp(b, s, x, y); };
    Combo1 = new ComboBox(this, QStringLiteral("Combo1"));
    Combo1->setComboStyle(2);
    for (int c = 1; c <= 16; ++c) Combo1->AddItem((c < 10 ? "  " : " ") + std::to_string(c));
    Combo1->Click = [this] { Combo1_Click(); };
    Label1 = new Label(this, QStringLiteral("Label1"));
    Label1->setCaption("MIDI Channel");
    addModeButtons();
}

void BankWindow::Form_Load() {
    beginLoad();
    const int k = kind();
    CommClose->setCaption(Msg(8));
    Layout l = layoutRead();
    fitStandardSize(layoutControls(), l.Height, l.Width);
    layoutWrite(l);
    placeFromRecord();
    const int channel = WinEntry(k).Chan & 0x0F;
    layoutControls();
    const std::string image = BankImage(k, channel);
    setTag(image);
    setCaption(DocCaptionBuild(image));
    Combo1->setListIndex(channel);
    for (int i = 0; i < shape_.rows; ++i) List1->AddItem(BankRowText(k, i));
    MainWindowLink().enableMenu(menuOf(k), false);
    // The View command has counted the window before it loaded.
    endLoad(PrgWinCount, true);
}

void BankWindow::Form_Resize() {
    if (loading()) return;
    DocWindow::Form_Resize();
    layoutControls();
}

void BankWindow::Form_Unload(int& Cancel) {
    const bool minimised = WindowState() == vbMinimized;
    DocWindow::Form_Unload(Cancel);
    // A minimised window stands at its icon's place: it reopens (normal) where
    // it stood before.
    if (minimised && normalPlace_.x() >= 0) {
        WinStateWork = WinEntry(kind());
        WinStateWork.Left = pxToTwipsX(normalPlace_.x());
        WinStateWork.Top = pxToTwipsY(normalPlace_.y());
        WinEntry(kind()) = WinStateWork;
    }
    // The banks keep the state they closed in; the kits' image has no place for it.
    if (!isKit(kind())) put(Tag(), ImgOpenState, WinEntry(kind()).State);
}

// The design's order and gaps, kept inside the window: the channel box, its
// label and the three buttons along the bottom, sized to show their texts
// and the buttons' steps shortened where the last would pass the right
// edge; above them the list, no wider than the inside, its rows running
// down four columns.
Extent BankWindow::layoutControls() {
    const Place& p = TwipsY == 12 ? shape_.large : shape_.normal;
    const int comboW = std::max(ComboWidth, neededWidth(Combo1)), comboH = neededHeight(Combo1);
    const int labelW = neededWidth(Label1), labelH = neededHeight(Label1);
    int buttonW = ButtonWidth, buttonH = ButtonHeight;
    for (const CommandButton* b : {CommArrPlay, CommSongPlay, CommClose}) {
        buttonW = std::max(buttonW, neededWidth(b));
        buttonH = std::max(buttonH, neededHeight(b));
    }
    const int rowH = std::max({buttonH, p.comboDown + comboH, p.comboDown + p.labelDown + labelH});
    const int top = bottomRowTop(p.bottomTop, rowH);

    Combo1->Move(ComboLeft, top + p.comboDown, comboW, comboH);
    const int labelLeft = ComboLeft + comboW + LabelGap;
    Label1->Move(labelLeft, top + p.comboDown + p.labelDown, labelW, labelH);
    const int first = labelLeft + labelW + ButtonsGap;
    int step = ButtonStep;
    if (ScaleWidth() > 0 && first + 2 * step + buttonW > ScaleWidth() - RightMargin)
        step = std::max(buttonW + LabelGap, (ScaleWidth() - RightMargin - buttonW - first) / 2);
    CommArrPlay->Move(first, top, buttonW, buttonH);
    CommSongPlay->Move(first + step, top, buttonW, buttonH);
    CommClose->Move(first + 2 * step, top, buttonW, buttonH);

    // Four columns wide enough for a row code and a whole 16-character name.
    const ListGrid grid = ListGridFor(List1, shape_.rowsPerColumn, 4, p.listWidth, 0);
    List1->Move(0, p.listTop, insideWidth(grid.width), std::max(0, std::min(p.listHeight, top - p.listTop - ListGap)));
    FitColumnRows(List1, shape_.rowsPerColumn);
    return {std::max(grid.width, first + 2 * ButtonStep + buttonW) + RightMargin, p.bottomTop + rowH + ListGap};
}

void BankWindow::Combo1_Click() {
    if (loading()) return;
    const int c = Combo1->ListIndex();
    if (c < 0) return;
    put(Tag(), ImgChannel, static_cast<unsigned>(c));
    WinStateWork = WinEntry(kind());
    WinStateWork.Chan = static_cast<uint8_t>(c);
    WinEntry(kind()) = WinStateWork;
    setCaption(DocCaptionBuild(Tag()));
}

void BankWindow::List1_Click() {
    if (loading()) return;
    if (shape_.clickRefreshes) MenuAgg();
    const int n = List1->ListIndex();
    if (n < 0 || n >= shape_.rows) return;
    const std::string image = Tag();
    if (EditArrSelPrg) {
        // Assigned to the edited arrangement's track and sent on its channel.
        EditorLink().editArrPrgAssign(n, image);
        PrgSelectSend(image, n);
        return;
    }
    MidiMonLog("");
    PrgSelectSend(image, n);
    MidiMonLogSent();
    if (shape_.clickRefreshes) StatusMsg(0);
}

void BankWindow::editMenu(int button, bool release) {
    if (button == vbRightButton && release == shape_.popupOnRelease) showEditPopup();
}

void BankWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::RightButton) return DocWindow::mousePressEvent(e);
    e->accept();
    Form_MouseDown(vbRightButton);
}

void BankWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::RightButton) return DocWindow::mouseReleaseEvent(e);
    e->accept();
    Form_MouseUp(vbRightButton);
}

bool BankWindow::eventFilter(QObject* o, QEvent* e) {
    QMdiSubWindow* sub = subWindow();
    if (o == sub && e->type() == QEvent::Move && !(sub->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        normalPlace_ = sub->pos();
    return DocWindow::eventFilter(o, e);
}


void BankWindow::unloadMenus() { MainWindowLink().enableMenu(menuOf(kind()), true); }
