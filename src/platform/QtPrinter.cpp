#include "platform/QtPrinter.h"

#include <QFontMetrics>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/Controls.h"
#include "platform/Text.h"

bool CapturePrinter::begin(std::string& error) {
    if (!available) {
        error = NoPrinterText;
        return false;
    }
    begun = true;
    ended = false;
    return true;
}

// The lists are columns of characters.
QtLinePrinter::QtLinePrinter() : font_(TypewriterFont(QStringLiteral("Courier New"), 10)) {}

QtLinePrinter::~QtLinePrinter() {
    if (painter_.isActive()) painter_.end();
}

bool QtLinePrinter::begin(std::string& error) {
    if (painter_.isActive()) endDoc();
    if (pdfPath_.isEmpty()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            error = NoPrinterText;
            return false;
        }
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfPath_);
    }
    printer_->setDocName(QStringLiteral("Velmora"));
    if (!painter_.begin(printer_.get())) {
        const QString where = pdfPath_.isEmpty() ? printer_->printerName() : pdfPath_;
        printer_.reset();
        error = fromQt(where) + " could not be opened for printing.";
        return false;
    }
    painter_.setFont(font_);
    y_ = 0;
    pages_ = 1;
    return true;
}

void QtLinePrinter::setFont(const std::string& name, int pointSize) {
    font_ = TypewriterFont(toQt(name), pointSize > 0 ? pointSize : 10);
    if (painter_.isActive()) painter_.setFont(font_);
}

void QtLinePrinter::printLine(const std::string& text) {
    if (!painter_.isActive()) return;
    QFontMetrics fm(font_, printer_.get());
    int pageHeight = painter_.viewport().height();
    // A line that does not fit goes on a new page (a page always takes at least one line).
    if (y_ > 0 && y_ + fm.height() > pageHeight) newPage();
    painter_.drawText(0, y_ + fm.ascent(), toQt(text));
    y_ += fm.lineSpacing();
}

void QtLinePrinter::newPage() {
    if (!painter_.isActive()) return;
    printer_->newPage();
    y_ = 0;
    ++pages_;
}

void QtLinePrinter::endDoc() {
    if (painter_.isActive()) painter_.end();
    printer_.reset();
    y_ = 0;
}

namespace {
LinePrinter* installed = nullptr;
}

void SetPrinterService(LinePrinter* p) { installed = p; }

LinePrinter& Printer() {
    if (installed) return *installed;
    static QtLinePrinter real;
    return real;
}
