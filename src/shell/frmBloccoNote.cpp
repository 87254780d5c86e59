#include "shell/frmBloccoNote.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTextCursor>
#include <QTextDocument>

#include "app/ImageLayout.h"
#include "app/Messages.h"
#include "app/state.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"
#include "shell/SmallFiles.h"
#include "shell/state.h"

namespace {
std::string noteCaption() { return std::string("Velmora - Velmora v 3.0 ") + "- " + Msg(128); }
}  // namespace

frmBloccoNote::frmBloccoNote(MdiFrame* frame)
    : ToolForm(frame, QStringLiteral("frmBloccoNote"), Kind, MenuId::mnuBloccoNote) {
    Text1 = new TextBox(this, QStringLiteral("Text1"), -1, true);
    Text1->Change = [this] { Text1_Change(); };
}

bool frmBloccoNote::NoteBufLoad() {
    if (NoteUnsaved) return true;
    // The file is one record: anything longer, or that is not a file (a
    // pipe would hold the menu command forever), is not the notebook's and
    // is left as it is, unread.
    std::string rec;
    FileFit fit = FileFit::Fits;
    const FileError e = ReadFileUpTo(BloccoNoteFile, NoteRecLen, rec, fit);
    MsgTitle = noteCaption();
    if (e != FileError::None && e != FileError::NotFound) {
        FileErrMsg(e, BloccoNoteFile);
        return false;
    }
    if (fit != FileFit::Fits) {
        ErrMsg(ErrReading, MsgTitle, BloccoNoteFile);
        return false;
    }
    if (e == FileError::None && rec.empty()) DeleteFile(BloccoNoteFile);
    // The bytes as they are (line ends from elsewhere included), padded with blanks.
    std::size_t n = rec.size();
    while (n > 0 && (rec[n - 1] == ' ' || rec[n - 1] == '\0')) --n;
    NoteBuf = rec.substr(0, n);
    NoteBuf.resize(static_cast<std::size_t>(NoteRecLen), ' ');
    return true;
}

void frmBloccoNote::Form_Load() {
    ToolLoaded(false);
    Move(0, 0, DesignWidth, DesignHeight);
    Text1->Move(0, 10);
    if (NoteBuf.size() != static_cast<std::size_t>(NoteRecLen)) NoteBuf = NoteRecordFromText(QString());
    std::string tag(ImgFixedLen, '\0');
    put(tag, ImgKind, Kind);
    setTag(tag);
    setCaption(noteCaption());
    Text1->setMaxLength(static_cast<int>(NoteRecLen));
    // NoteBuf keeps the bytes as read until the text is edited.
    accepted_ = NoteTextFromRecord(NoteBuf);
    refusing_ = true;
    Text1->setText(fromQt(accepted_));
    refusing_ = false;
    accepted_ = shownText();
}

QString frmBloccoNote::shownText() const {
    QString t = Text1->plainEdit()->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    return t;
}

void frmBloccoNote::Text1_Change() {
    if (refusing_) return;
    const QString now = shownText();
    if (!NoteEditAccepted(accepted_, now, Text1->MaxLength())) {
        // Refused whole, however it came in (typed, pasted, dropped): what
        // the file cannot hold, or what goes beyond its record.
        const TextSplice back = TextSpliceBack(accepted_, now);
        QTextCursor c(Text1->plainEdit()->document());
        c.setPosition(back.position);
        c.setPosition(back.position + back.length, QTextCursor::KeepAnchor);
        refusing_ = true;
        c.insertText(back.text);
        refusing_ = false;
        QApplication::beep();
        return;
    }
    accepted_ = now;
    NoteBuf = NoteRecordFromText(now);
}

void frmBloccoNote::Form_Activate() {
    MenuAgg();
    // Once the menu that opened the window has given the focus back.
    QTimer::singleShot(0, this, [this] {
        if (frame() && frame()->ActiveForm() == this) Text1->setFocus();
    });
}

void frmBloccoNote::Form_Resize() {
    switch (WindowState()) {
    case vbNormal:
        WinEntry(Kind).State = 1;
        if (Height() > 400) Text1->setHeight(Height() - 400);
        if (Width() > 1920) Text1->setWidth(Width() - 80);
        break;
    case vbMinimized: WinEntry(Kind).State = 2; break;
    default: break;
    }
}

void frmBloccoNote::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {
    // Saved at every close, the program's own included; a failure is told
    // and the text is kept in NoteBuf for the next close.
    const FileError e = WriteWholeFile(BloccoNoteFile, NoteBuf);
    NoteUnsaved = e != FileError::None;
    if (NoteUnsaved) {
        MsgTitle = noteCaption();
        FileErrMsg(e, BloccoNoteFile);
    }
}

void frmBloccoNote::Form_Unload(int& /*Cancel*/) {
    ToolUnloaded(false);
    MenuAgg();
}
