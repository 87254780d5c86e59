// The line printer: the service switch and the real one (into a PDF file,
// or with no printer installed).
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontInfo>
#include <QPrinterInfo>

#include "platform/QtPrinter.h"
#include "testenv.h"

using PrinterTest = VelmoraTest;

TEST_F(PrinterTest, WithoutAPrinterBeginSaysSo) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
    QtLinePrinter real;
    std::string error;
    EXPECT_FALSE(real.begin(error));
    EXPECT_EQ(error, "No printer is installed.");
    real.printLine("nothing happens");  // no document: ignored
    real.endDoc();
}

TEST_F(PrinterTest, FullPagesStartNewOnes) {
    QtLinePrinter pdf;
    QString path = QString::fromStdString(startFile("list.pdf"));
    pdf.setOutputFile(path);
    std::string error;
    ASSERT_TRUE(pdf.begin(error)) << error;
    pdf.setFont("DejaVu Sans Mono", 10);
    for (int i = 0; i < 300; ++i) pdf.printLine("line " + std::to_string(i));
    const int pages = pdf.pages();  // some 55 to 75 lines of 10 points on a page
    EXPECT_TRUE(pages >= 4 && pages <= 6) << pages;
    pdf.newPage();
    EXPECT_EQ(pdf.pages(), pages + 1);
    pdf.printLine("last");
    pdf.endDoc();
    EXPECT_TRUE(!pdf.active() && QFileInfo(path).size() > 0);
}

// The lists are columns of characters: the font keeps a fixed pitch where the machine lacks it.
TEST_F(PrinterTest, AMissingFontGivesAFixedPitchOne) {
    QtLinePrinter p;
    for (const char* name : {"Courier New", "No Such Typewriter"}) {
        p.setFont(name, 10);
        EXPECT_TRUE(EqualAdvances(p.font())) << name << ": " << QFontInfo(p.font()).family().toStdString();
    }
}
