#include "platform/TabOrder.h"

#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {
// A control, or a container with the stops inside it, at its place among
// its siblings.
struct Stop {
    QRect at;
    std::vector<QWidget*> chain;
};

// Columns win over rows only where their gutter is clearly the wider gap:
// controls lined up in a grid run row by row.
constexpr int ColumnSlack = 2;

// The widget that takes the focus for `w` (a text box's edit field).
QWidget* taker(QWidget* w) {
    while (w->focusProxy()) w = w->focusProxy();
    return w;
}

bool tabStop(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; }

void order(std::vector<Stop>& stops, std::vector<QWidget*>& out);
std::vector<QWidget*> stopsUnder(const QWidget* parent);

// The stops of one child of a container (none for a label or an empty frame).
std::vector<QWidget*> stopsOf(QWidget* w) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        std::vector<QWidget*> chain;
        if (tabStop(tabs->tabBar())) chain.push_back(tabs->tabBar());
        for (int i = 0; i < tabs->count(); ++i) {
            const std::vector<QWidget*> page = stopsUnder(tabs->widget(i));
            chain.insert(chain.end(), page.begin(), page.end());
        }
        return chain;
    }
    if (w->focusProxy()) {
        QWidget* t = taker(w);
        return tabStop(t) ? std::vector<QWidget*>{t} : std::vector<QWidget*>{};
    }
    if (tabStop(w)) return {w};
    return stopsUnder(w);
}

std::vector<QWidget*> stopsUnder(const QWidget* parent) {
    std::vector<Stop> stops;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow()) continue;
        std::vector<QWidget*> chain = stopsOf(w);
        if (!chain.empty()) stops.push_back({w->geometry(), std::move(chain)});
    }
    std::vector<QWidget*> out;
    order(stops, out);
    return out;
}

// Splits stops in two at the widest gap that none of them crosses: above
// and below it (rows), or left and right of it (columns). `gap` is its
// width, -1 where no such gap exists.
struct Cut {
    std::vector<Stop> before, after;
    int gap = -1;
};

Cut cut(std::vector<Stop> stops, bool columns) {
    auto start = [columns](const Stop& s) { return columns ? s.at.left() : s.at.top(); };
    auto end = [columns](const Stop& s) { return columns ? s.at.left() + s.at.width() : s.at.top() + s.at.height(); };
    auto across = [columns](const Stop& s) { return columns ? s.at.top() : s.at.left(); };
    std::stable_sort(stops.begin(), stops.end(), [&](const Stop& a, const Stop& b) {
        return start(a) != start(b) ? start(a) < start(b) : across(a) < across(b);
    });
    Cut c;
    std::size_t at = 0;
    int reach = end(stops.front());
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (start(stops[i]) >= reach && start(stops[i]) - reach > c.gap) {
            c.gap = start(stops[i]) - reach;
            at = i;
        }
        reach = std::max(reach, end(stops[i]));
    }
    if (c.gap < 0) return c;
    c.before.assign(stops.begin(), stops.begin() + static_cast<std::ptrdiff_t>(at));
    c.after.assign(stops.begin() + static_cast<std::ptrdiff_t>(at), stops.end());
    return c;
}

// Appends the stops' chains in layout order: split at the widest gap, each
// side in turn, down to single stops.
void order(std::vector<Stop>& stops, std::vector<QWidget*>& out) {
    if (stops.empty()) return;
    if (stops.size() == 1) {
        out.insert(out.end(), stops[0].chain.begin(), stops[0].chain.end());
        return;
    }
    Cut rows = cut(stops, false), columns = cut(stops, true);
    Cut* split = nullptr;
    if (columns.gap >= 0 && (rows.gap < 0 || columns.gap > rows.gap + ColumnSlack))
        split = &columns;
    else if (rows.gap >= 0)
        split = &rows;
    if (!split) {
        // Overlapping every way: reading order.
        std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
            return a.at.top() != b.at.top() ? a.at.top() < b.at.top() : a.at.left() < b.at.left();
        });
        for (Stop& s : stops) out.insert(out.end(), s.chain.begin(), s.chain.end());
        return;
    }
    order(split->before, out);
    order(split->after, out);
}
}  // namespace

void OrderTabsByLayout(QWidget* root) {
    if (!root) return;
    std::vector<QWidget*> chain = stopsUnder(root);
    if (!chain.empty() && qobject_cast<QTabBar*>(chain.front()))
        std::rotate(chain.begin(), chain.begin() + 1, chain.end());
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}
