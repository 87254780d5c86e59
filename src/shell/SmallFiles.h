#pragma once
// The files of the notebook and of the user's guide, as bytes: one Latin-1
// byte a character, line breaks stored as CR LF.
#include <QString>
#include <string>

// ---- the notebook ---------------------------------------------------------

// The notebook file is one record of this many bytes.
constexpr long NoteRecLen = 32000;

// The text a record holds: its first NoteRecLen bytes without trailing
// blanks and zero bytes; CR LF, and a lone CR or LF, are line breaks ("\n").
QString NoteTextFromRecord(const std::string& record);
// The record of a text: Latin-1, each line break ("\n", or a paragraph or
// line separator of the edit control) as CR LF, padded with blanks to
// NoteRecLen. A text that does not fit is cut there.
std::string NoteRecordFromText(const QString& text);
// Bytes the text takes in the record (a line break two); -1 when it holds a
// character the file cannot keep (outside Latin-1).
long NoteTextBytes(const QString& text);
// Whether an edit that turned `before` into `after` is kept: the result holds
// only characters the file can keep, and fits in `limit` bytes or at least
// does not grow (a longer text from elsewhere can still be shortened).
bool NoteEditAccepted(const QString& before, const QString& after, long limit = NoteRecLen);

// What turns `after` back into `before`: replace `length` characters at
// `position` with `text`.
struct TextSplice {
    int position = 0;
    int length = 0;
    QString text;
};
TextSplice TextSpliceBack(const QString& before, const QString& after);

// ---- the user's guide -----------------------------------------------------

// Characters of text a guide may hold after its first line.
constexpr long GuideMaxChars = 32000;

enum class GuideParse { Ok, WrongFirstLine, TooLong };
// A guide file begins with the line `firstLine`, ended by CR LF or LF (or
// by the end of the file); `text` receives everything after it.
GuideParse GuideTextParse(const std::string& file, const std::string& firstLine, std::string& text);
// The guide text as the viewer shows it: Latin-1, CR LF and LF as line breaks.
QString GuideTextShown(const std::string& text);
