#include "shell/Print.h"

#include <QDateTime>
#include <QLocale>

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/Names.h"
#include "app/state.h"
#include "files/StyGroups.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Printer.h"
#include "platform/Text.h"
#include "platform/bytes.h"
#include "shell/frmMain.h"

namespace {

constexpr int MsgPrintFailed = 160;   // the print job could not start ("_" the printer's reason)

// Every line is composed in a buffer of this many blanks; the fields are
// written into it at fixed 1-based columns and never make it longer.
constexpr std::size_t LineLen = 92;
constexpr int DateCol = 68, DateLen = 20;
constexpr int LastNameCol = DateCol - 1;   // the name and its extension end here at the latest

const char* const PrgColumns = "       No  Program         No  Program         No  Program         No  Program          ";
const char* const ArrColumns = "       No  Arrangement     Style               Tempo Upper1              Upper2          ";

// Fields of an arrangement block, 1-based within its 164 bytes.
constexpr long BlkStyle = 18, BlkStyKind = 19, BlkTempo = 22;
// The tempo is kept as tempo - 30; a byte outside 10-210 reads as 40, as
// the arrangement editor shows it.
constexpr int TempoOffset = 30, TempoByteMin = 10, TempoByteMax = 210, TempoDefault = 40;
constexpr int FactoryStyles = 128, UserStyles = 16;
constexpr int UpperTrack1 = 6, UpperTrack2 = 7;

bool among(int v, std::initializer_list<int> set) {
    for (int s : set)
        if (s == v) return true;
    return false;
}
bool isPrgList(int kind) { return among(kind, {4, 5, 6, 7, 8, 21, 22}); }
bool isArrList(int kind) { return among(kind, {2, 3, 19, 20}); }

// Writes text at column col, at most width characters, within the line.
void writeAt(std::string& line, int col, const std::string& text, std::size_t width = LineLen) {
    const std::size_t start = static_cast<std::size_t>(col - 1);
    if (start >= line.size()) return;
    const std::size_t n = std::min({text.size(), width, line.size() - start});
    line.replace(start, n, text, 0, n);
}

// A list row as the window shows it: cut at its first NUL.
std::string rowOf(const std::vector<std::string>& rows, int i) {
    return i < static_cast<int>(rows.size()) ? cutAtNul(rows[static_cast<std::size_t>(i)]) : std::string();
}

// "       File name: " and the name, the extension right after the name's
// last character, the date and time at column 68. A long name is cut so
// that it and its extension end before the date.
std::string headerLine(const std::string& name, const std::string& ext, const std::string& date) {
    std::string line(LineLen, ' ');
    const std::string lead = "       File name: ";
    const std::size_t room = LastNameCol - lead.size() - ext.size();
    writeAt(line, 1, lead + Utf8Head(name, room));
    if (!ext.empty()) {
        int c = LastNameCol;
        while (c > 1 && line[static_cast<std::size_t>(c - 1)] == ' ') --c;
        writeAt(line, c + 1, ext);
    }
    writeAt(line, DateCol, Utf8Head(date, DateLen), DateLen);
    return line;
}

std::string fileNameOf(const std::string& image) { return PathName(ImgPathOf(image)); }

std::vector<std::string> programList(const std::string& image, const std::vector<std::string>& rows,
                                     const std::string& date) {
    const int kind = WinKind(image);
    std::string name, ext;
    if (kind == 21 || kind == 22) {
        name = fileNameOf(image);
        if (at(image, ImgUntitled) == 0) ext = at(image, ImgPrgType) == 0 ? ".prg" : ".pgg";
    } else {
        name = rtrim(cutAtNul(mid(image, ImgPath, ImgTitleLen(kind))));
    }
    std::vector<std::string> out = {headerLine(name, ext, date), "", PrgColumns, ""};
    for (int r = 0; r < 16; ++r) {
        if (r == 8) out.emplace_back();
        std::string line(LineLen, ' ');
        for (int c = 0; c < 4; ++c) writeAt(line, 8 + 20 * c, rowOf(rows, r + 16 * c), 20);
        out.push_back(line);
    }
    return out;
}

std::string styleText(const std::string& image, int i) {
    const long b = ImgArrBlock(i) - 1;
    const int style = at(image, b + BlkStyle);
    if (at(image, b + BlkStyKind) == 1) {
        const std::string code = "U" + std::to_string((style / 8 + 1) * 10 + style % 8 + 1);
        if (style >= UserStyles) return code;
        return code + " " + (at(image, ImgStyPart) == ImgStyOwn ? StyItemName(style, image) : std::string("User"));
    }
    if (style >= FactoryStyles) return std::to_string(style);
    return ArrNumName(style) + " " + rtrim(cutAtNul(StyRomNames[static_cast<std::size_t>(style)]));
}

std::string tempoText(const std::string& image, int i) {
    const int b = at(image, ImgArrBlock(i) - 1 + BlkTempo);
    const int tempo = b < TempoByteMin || b > TempoByteMax ? TempoDefault : b + TempoOffset;
    std::string t = std::to_string(tempo);
    return std::string(5 - t.size(), ' ') + t;
}

std::vector<std::string> arrangementList(const std::string& image, const std::vector<std::string>& rows,
                                         const std::string& date) {
    const int kind = WinKind(image);
    std::vector<std::string> out = {headerLine(fileNameOf(image), kind == 19 ? ".arr" : "", date), "",
                                    ArrColumns, ""};
    for (int i = 0; i < 64; ++i) {
        if (i == 32) out.emplace_back();
        std::string line(LineLen, ' ');
        const std::string row = rowOf(rows, i);
        writeAt(line, 8, row, 20);
        // A row that holds no more than its code is an empty slot.
        if (rtrim(row).size() > 2) {
            writeAt(line, 28, styleText(image, i));
            writeAt(line, 48, tempoText(image, i));
            writeAt(line, 54, PrgNameOfTrack(image, i, UpperTrack1), 16);
            writeAt(line, 74, PrgNameOfTrack(image, i, UpperTrack2), 16);
        }
        out.push_back(line);
    }
    return out;
}

std::function<std::string()>& clockOverride() {
    static std::function<std::string()> c;
    return c;
}

}  // namespace

std::vector<std::string> PrintListLines(const std::string& image, const std::vector<std::string>& rows,
                                        const std::string& dateText) {
    const int kind = WinKind(image);
    if (isPrgList(kind)) return programList(image, rows, dateText);
    if (isArrList(kind)) return arrangementList(image, rows, dateText);
    return {};
}

void SetPrintClock(std::function<std::string()> clock) { clockOverride() = std::move(clock); }

std::string PrintDateText() {
    if (clockOverride()) return clockOverride()();
    const QLocale loc = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    // The short time format with the seconds after the minutes.
    QString tf = loc.timeFormat(QLocale::ShortFormat);
    if (!tf.contains(QLatin1Char('s'))) {
        const qsizetype m = tf.indexOf(QLatin1String("mm"));
        tf = m < 0 ? QStringLiteral("HH:mm:ss") : tf.insert(m + 2, QLatin1String(":ss"));
    }
    const QString text =
        loc.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') + loc.toString(now.time(), tf);
    return Utf8Head(fromQt(text), DateLen);
}

void mnuPrint_Click() {
    frmMain* m = MainForm();
    if (!m || m->Forms().empty()) return;
    ChildForm* c = m->ActiveForm();
    if (!c) return;
    std::vector<std::string> rows;
    if (auto* list = FindControl<ListBox>(c, QStringLiteral("List1")))
        for (int i = 0; i < list->ListCount(); ++i) rows.push_back(list->List(i));
    const std::vector<std::string> lines = PrintListLines(c->Tag(), rows, PrintDateText());
    if (lines.empty()) return;

    LinePrinter& printer = Printer();
    printer.setFont("Courier New", 10);
    std::string why;
    if (!printer.begin(why)) {
        if (why == NoPrinterText)
            ErrMsg(ErrNoPrinter, "");
        else
            MsgBox(MsgSubst(Msg(MsgPrintFailed), why), vbOKOnly | vbExclamation, ProgramTitle);
        return;
    }
    for (const std::string& line : lines) printer.printLine(line);
    printer.endDoc();
}

void InstallPrint() { RegisterMenuCommand(MenuId::mnuPrint, [] { mnuPrint_Click(); }); }
