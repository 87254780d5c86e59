// A bare Qt Widgets MDI program: a main window with an MDI area and a menu
// bar of four menus. The start-up benchmark times it beside Velmora: on its
// first paint it writes "painted" on a line of its own and closes.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <cstdio>

namespace {
class FirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* w = qobject_cast<QMainWindow*>(o);
        if (e->type() == QEvent::Paint && !done_ && w && w->isWindow()) {
            done_ = true;
            QTimer::singleShot(0, this, [w = QPointer<QMainWindow>(w)] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                if (w) w->close();
            });
        }
        return false;
    }

private:
    bool done_ = false;
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.installEventFilter(new FirstPaint(&app));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Bare MDI"));
    w.setCentralWidget(new QMdiArea(&w));
    for (const char* title : {"&File", "&Edit", "&View", "&Help"}) {
        QMenu* m = w.menuBar()->addMenu(QString::fromLatin1(title));
        m->addAction(QStringLiteral("Item"));
    }
    // Velmora's frame starts maximized with the settings the benchmark gives it.
    w.showMaximized();
    return app.exec();
}
