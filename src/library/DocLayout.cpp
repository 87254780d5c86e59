#include "library/DocLayout.h"

#include <algorithm>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>

#include "platform/Controls.h"

ListGrid ListGridFor(const ListBox* list, int rows, int columns, int designWidth, int designHeight) {
    const QFontMetrics fm(list->font());
    // A row: the position code and the marker, then a name of 16 capitals
    // of the font's average width (names in mixed case take less).
    static const QString capitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const int name = (fm.horizontalAdvance(capitals) * 16 + 25) / 26;
    const int text = fm.horizontalAdvance(QStringLiteral("88 +")) + name;
    // The item's own margins around its text, and a pixel either side.
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1) + 2;
    const int frame = 2 * list->frameWidth();
    const int column = std::max(text + margin, (twipsToPxX(designWidth) - frame) / columns);
    const int row = std::max(fm.height() + 4, (twipsToPxY(designHeight) - frame) / rows);
    ListGrid g;
    g.columnWidth = pxToTwipsX(column);
    g.rowStep = pxToTwipsY(row);
    g.width = pxToTwipsX(columns * column + frame);
    // The list lays its rows out above the room of a horizontal scroll bar
    // (shown only when the columns outgrow it); a pixel to spare below the
    // last row, so the column breaks after it and never one row early.
    const int bar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    g.height = pxToTwipsY(rows * row + 2 + bar + frame);
    return g;
}

void PlaceList(ListBox* list, int left, int top, const ListGrid& grid) {
    list->Move(left, top, grid.width, grid.height);
    list->setRowHeight(grid.rowStep);
}

int CaptionFit(const QWidget* w, int designWidth) {
    if (!qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QLabel*>(w)) return designWidth;
    return std::max(designWidth, pxToTwipsX(w->sizeHint().width()));
}

int PlaceRow(std::initializer_list<Placed> row) {
    int shift = 0, right = 0;
    for (const Placed& p : row) {
        const int width = CaptionFit(p.w, p.width);
        p.w->setGeometry(twipsToPxX(p.left + shift), twipsToPxY(p.top), twipsToPxX(width), twipsToPxY(p.height));
        shift += width - p.width;
        right = std::max(right, p.left + shift + p.width);
    }
    return right;
}

int PlaceColumn(std::initializer_list<QWidget*> buttons, int left, int top, int step, int width, int height) {
    for (const QWidget* b : buttons) width = CaptionFit(b, width);
    for (QWidget* b : buttons) {
        b->setGeometry(twipsToPxX(left), twipsToPxY(top), twipsToPxX(width), twipsToPxY(height));
        top += step;
    }
    return left + width;
}
