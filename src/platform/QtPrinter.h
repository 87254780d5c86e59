#pragma once
// The line printer over QPrinter: the system's default printer, or a PDF file
// when one is named (used to check the page layout without a printer).
#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>

#include "platform/Printer.h"

class QPrinter;

class QtLinePrinter : public LinePrinter {
public:
    QtLinePrinter();
    ~QtLinePrinter() override;
    // Prints into this PDF file instead of the default printer ("" : printer).
    void setOutputFile(const QString& pdfPath) { pdfPath_ = pdfPath; }

    bool begin(std::string& error) override;
    void setFont(const std::string& name, int pointSize) override;
    void printLine(const std::string& text) override;
    void newPage() override;
    void endDoc() override;

    bool active() const { return painter_.isActive(); }
    int pages() const { return pages_; }  // pages of the current or last document
    const QFont& font() const { return font_; }

private:
    QString pdfPath_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    int y_ = 0;
    int pages_ = 0;
};
