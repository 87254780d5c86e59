#pragma once
// The system's default printer as a line printer.
#include <string>
#include <vector>

// What begin() reports when the system has no printer at all.
inline constexpr const char* NoPrinterText = "No printer is installed.";

class LinePrinter {
public:
    virtual ~LinePrinter() = default;
    // Starts a document; false (with a message in `error`) when there is no printer.
    virtual bool begin(std::string& error) = 0;
    virtual void setFont(const std::string& name, int pointSize) = 0;
    // One line; a new page starts by itself when the page is full.
    virtual void printLine(const std::string& text) = 0;
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
};

// nullptr restores the real printer. The caller keeps ownership.
void SetPrinterService(LinePrinter* p);
LinePrinter& Printer();

// Records what would be printed; used by tests.
class CapturePrinter : public LinePrinter {
public:
    bool available = true;
    bool begun = false, ended = false;
    std::string fontName;
    int fontSize = 0;
    std::vector<std::string> lines;   // "\f" marks a page break
    bool begin(std::string& error) override;
    void setFont(const std::string& name, int pointSize) override { fontName = name; fontSize = pointSize; }
    void printLine(const std::string& text) override { lines.push_back(text); }
    void newPage() override { lines.push_back("\f"); }
    void endDoc() override { ended = true; }
};
