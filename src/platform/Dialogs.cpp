#include "platform/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QFontMetrics>
#include <QSpacerItem>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/Text.h"

namespace {

// A box's text with a place to break the line after every character of a
// run too long for a line (a path, a file name), so that it wraps inside
// the box like the rest of the text instead of widening the box.
QString wrappable(const QString& text) {
    constexpr int longRun = 24;
    QString out;
    out.reserve(text.size() * 2);
    int run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        const bool splitsPair = c.isHighSurrogate() && i + 1 < text.size();
        if (run >= longRun && !splitsPair) out += QChar(0x200B);  // zero-width space
    }
    return out;
}

// The real boxes, shown modally over the active window.
class QtDialogs : public DialogService {
public:
    int msgBox(const std::string& text, int style, const std::string& title) override {
        QMessageBox box(QApplication::activeWindow());
        // Wide enough for its title: the title often names the file the box
        // is about ("Opening Song.arr"), and a narrow box gets it cut short;
        // but never wider than half the screen: a longer title loses its
        // middle.
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const QFontMetrics titleMetrics(titleFont);
        const QScreen* screen = box.screen();
        const int most = screen ? screen->availableGeometry().width() / 2 : 500;
        const QString shownTitle = title.empty() ? QApplication::applicationName() : toQt(title);
        box.setWindowTitle(titleMetrics.elidedText(shownTitle, Qt::ElideMiddle, most - 120));
        box.setText(wrappable(toQt(text)));
        switch (style & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        struct B { QMessageBox::StandardButton qt; int answer; };
        std::vector<B> buttons;
        switch (style & 0x0F) {
        case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbAbortRetryIgnore:
            buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
            break;
        case vbYesNoCancel:
            buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
            break;
        case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
        case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
        default: buttons = {{QMessageBox::Ok, vbOK}}; break;
        }
        QMessageBox::StandardButtons all;
        for (const B& b : buttons) all |= b.qt;
        box.setStandardButtons(all);
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            // The window manager draws the title in a font of its own, often
            // larger than ours, beside its icon and buttons: room to spare.
            const int titleWidth = titleMetrics.horizontalAdvance(box.windowTitle()) * 4 / 3 + 160;
            grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                          grid->rowCount(), 0, 1, grid->columnCount());
        }
        int result = box.exec();
        for (const B& b : buttons)
            if (result == b.qt) return b.answer;
        // Closed by the window's close box: Cancel where there is one, else the only answer.
        int style0 = style & 0x0F;
        if (style0 == vbYesNo) return vbNo;
        if (style0 == vbOKOnly) return vbOK;
        return vbCancel;
    }

    bool inputBox(const std::string& prompt, const std::string& title, const std::string& def,
                  std::string& answer) override {
        bool ok = false;
        QString s = QInputDialog::getText(QApplication::activeWindow(), toQt(title), toQt(prompt), QLineEdit::Normal,
                                          toQt(def), &ok);
        answer = ok ? fromQt(s) : std::string();
        return ok;
    }

    bool fileDialog(FileDialogRequest& req) override {
        QFileDialog dlg(QApplication::activeWindow(), toQt(req.title), toQt(req.initDir));
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        dlg.setAcceptMode(req.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(req.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!req.defaultExt.empty()) dlg.setDefaultSuffix(toQt(req.defaultExt));
        // "Description|pattern|Description|pattern" -> one name filter per pair.
        // "*.*" means every file, also the bank files that have no extension.
        QStringList parts = toQt(req.filter).split('|');
        QStringList filters;
        for (int i = 0; i + 1 < parts.size(); i += 2) {
            QString desc = parts[i].trimmed();
            QStringList pats = parts[i + 1].split(';', Qt::SkipEmptyParts);
            for (QString& p : pats) p = p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed();
            filters << (desc.contains('(') ? desc.left(desc.indexOf('(')).trimmed() : desc) + " (" +
                           pats.join(' ') + ")";
        }
        if (!filters.isEmpty()) {
            dlg.setNameFilters(filters);
            int idx = req.filterIndex >= 1 && req.filterIndex <= filters.size() ? req.filterIndex - 1 : 0;
            dlg.selectNameFilter(filters[idx]);
        }
        if (!req.fileName.empty()) dlg.selectFile(toQt(req.fileName));
        QCheckBox* ro = nullptr;
        if (req.showReadOnly) {
            ro = new QCheckBox(QCoreApplication::translate("Platform", "Open as read-only"), &dlg);
            ro->setChecked(req.readOnly);
            if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout())) grid->addWidget(ro, grid->rowCount(), 0, 1, -1);
        }
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
        req.fileName = fromQt(dlg.selectedFiles().first());
        req.filterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
        if (req.filterIndex < 1) req.filterIndex = 1;
        if (ro) req.readOnly = ro->isChecked();
        return true;
    }

    bool waitBox(const std::string& title, const std::string& stopCaption,
                 const std::function<bool(std::string&)>& step) override {
        std::string text;
        if (!step(text)) return false;
        QDialog dlg(QApplication::activeWindow());
        dlg.setWindowTitle(title.empty() ? QApplication::applicationName() : toQt(title));
        auto* layout = new QVBoxLayout(&dlg);
        auto* label = new QLabel(toQt(text), &dlg);
        label->setMinimumWidth(320);
        auto* stop = new QPushButton(toQt(stopCaption), &dlg);
        layout->addWidget(label);
        layout->addWidget(stop, 0, Qt::AlignHCenter);
        QObject::connect(stop, &QPushButton::clicked, &dlg, &QDialog::reject);
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &dlg, [&] {
            if (step(text)) label->setText(toQt(text));
            else dlg.accept();
        });
        tick.start(100);
        // Stop, Escape and the close box all stop.
        return dlg.exec() != QDialog::Accepted;
    }
};

QtDialogs qtDialogs;
DialogService* current = nullptr;

}  // namespace

bool DialogService::waitBox(const std::string&, const std::string&,
                            const std::function<bool(std::string&)>& step) {
    std::string text;
    while (step(text)) {
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 100);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void SetDialogService(DialogService* service) { current = service; }
DialogService& Dialogs() { return current ? *current : qtDialogs; }

int MsgBox(const std::string& text, int style, const std::string& title) { return Dialogs().msgBox(text, style, title); }

std::string InputBox(const std::string& prompt, const std::string& title, const std::string& def) {
    std::string answer;
    if (!Dialogs().inputBox(prompt, title, def, answer)) return {};
    return answer;
}

bool ShowFileDialog(FileDialogRequest& req) { return Dialogs().fileDialog(req); }

bool WaitBox(const std::string& title, const std::string& stopCaption,
             const std::function<bool(std::string& text)>& step) {
    return Dialogs().waitBox(title, stopCaption, step);
}
