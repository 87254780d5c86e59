#include "shell/SmallFiles.h"

#include <algorithm>

namespace {
bool isBreak(QChar c) {
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Latin-1 bytes with CR LF, a lone CR and a lone LF as "\n".
QString latin1Lines(const std::string& bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            out += u'\n';
        } else {
            out += QChar(b);
        }
    }
    return out;
}
}  // namespace

QString NoteTextFromRecord(const std::string& record) {
    std::size_t n = std::min<std::size_t>(record.size(), NoteRecLen);
    while (n > 0 && (record[n - 1] == ' ' || record[n - 1] == '\0')) --n;
    return latin1Lines(record.substr(0, n));
}

std::string NoteRecordFromText(const QString& text) {
    std::string out;
    out.reserve(NoteRecLen);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isBreak(c)) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += "\r\n";
        } else {
            out += static_cast<char>(c.unicode() < 256 ? c.unicode() : '?');
        }
    }
    out.resize(NoteRecLen, ' ');
    return out;
}

long NoteTextBytes(const QString& text) {
    long n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isBreak(c)) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            n += 2;
        } else if (c.unicode() < 256) {
            ++n;
        } else {
            return -1;
        }
    }
    return n;
}

bool NoteEditAccepted(const QString& before, const QString& after, long limit) {
    const long now = NoteTextBytes(after);
    if (now < 0) return false;
    return now <= limit || now <= NoteTextBytes(before);
}

TextSplice TextSpliceBack(const QString& before, const QString& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    TextSplice s;
    s.position = static_cast<int>(head);
    s.length = static_cast<int>(after.size() - head - tail);
    s.text = before.mid(head, before.size() - head - tail);
    return s;
}

GuideParse GuideTextParse(const std::string& file, const std::string& firstLine, std::string& text) {
    text.clear();
    if (file.compare(0, firstLine.size(), firstLine) != 0) return GuideParse::WrongFirstLine;
    std::size_t from = firstLine.size();
    if (file.compare(from, 2, "\r\n") == 0)
        from += 2;
    else if (from < file.size() && file[from] == '\n')
        from += 1;
    else if (from < file.size())
        return GuideParse::WrongFirstLine;  // the first line goes on
    if (file.size() - from > static_cast<std::size_t>(GuideMaxChars)) return GuideParse::TooLong;
    text = file.substr(from);
    return GuideParse::Ok;
}

QString GuideTextShown(const std::string& text) { return latin1Lines(text); }
