// The notebook record and the guide file as bytes.
#include <gtest/gtest.h>

#include "shell/SmallFiles.h"
#include "shell/frmAvviso2.h"
#include "shell/frmGuida.h"

TEST(SmallFiles, NotebookRecordRoundTrip) {
    const std::string pad30k(30000, 'x');
    struct Case {
        const char* what;
        std::string record;  // as it lies in the file
        QString text;        // as the window shows it
        std::string saved;   // the record written back, without its padding
    } cases[] = {
        {"missing file", "", "", ""},
        {"lines, Latin-1, padding", std::string("caf\xE8\r\nriga 2") + std::string(50, ' '), u"caf\u00e8\nriga 2"_qs,
         "caf\xE8\r\nriga 2"},
        {"zero bytes of a short record", std::string("ab ") + std::string(9, '\0'), "ab", "ab"},
        {"lone LF and lone CR", "a\nb\rc", "a\nb\nc", "a\r\nb\r\nc"},
        {"a longer file: its first record", pad30k + std::string(2000, 'y') + "tail", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString shown = NoteTextFromRecord(c.record);
        const std::string rec = NoteRecordFromText(shown);
        ASSERT_EQ(rec.size(), static_cast<std::size_t>(NoteRecLen));
        if (c.record.size() > static_cast<std::size_t>(NoteRecLen)) {
            EXPECT_EQ(rec, c.record.substr(0, NoteRecLen));
            continue;
        }
        EXPECT_EQ(shown, c.text);
        EXPECT_EQ(rec, c.saved + std::string(NoteRecLen - c.saved.size(), ' '));
    }
}

TEST(SmallFiles, NotebookLimitCountsFileBytes) {
    const QString full(NoteRecLen, u'a');
    const QString almost(NoteRecLen - 1, u'a');
    EXPECT_EQ(NoteTextBytes(u"a\nb\u2029c"_qs), 7);
    EXPECT_EQ(NoteTextBytes(u"a\u20acb"_qs), -1);
    EXPECT_TRUE(NoteEditAccepted(almost, full));
    EXPECT_FALSE(NoteEditAccepted(full, full + u'b'));
    EXPECT_FALSE(NoteEditAccepted(almost, almost + u'\n')) << "a line break takes two bytes";
    EXPECT_FALSE(NoteEditAccepted("", u"\u0100"_qs));
    const QString over = full + u"bb"_qs;  // a text from elsewhere may be shortened
    EXPECT_TRUE(NoteEditAccepted(over, full + u'b'));
    EXPECT_FALSE(NoteEditAccepted(over, over + u'c'));
}

TEST(SmallFiles, SpliceBackUndoesOneEdit) {
    struct Case {
        QString before, after;
    } cases[] = {{"abcd", "abXYcd"}, {"abcd", "ad"}, {"abcd", "aXd"}, {"aaaa", "aaaaa"}, {"", "xyz"}, {"xyz", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after.toStdString());
        const TextSplice s = TextSpliceBack(c.before, c.after);
        QString undone = c.after;
        undone.replace(s.position, s.length, s.text);
        EXPECT_EQ(undone, c.before);
    }
}

TEST(SmallFiles, GuideFirstLineAndLength) {
    const std::string head = "UserGuide.txt";
    const std::string most(GuideMaxChars, 'g');
    struct Case {
        const char* what;
        std::string file;
        GuideParse result;
        std::string text;
    } cases[] = {
        {"CR LF", head + "\r\nline 1\r\nline 2", GuideParse::Ok, "line 1\r\nline 2"},
        {"LF only keeps every character", head + "\nabc\n", GuideParse::Ok, "abc\n"},
        {"first line only", head, GuideParse::Ok, ""},
        {"32000 characters", head + "\r\n" + most, GuideParse::Ok, most},
        {"32001 characters", head + "\r\n" + most + "g", GuideParse::TooLong, ""},
        {"32001 after LF", head + "\n" + most + "g", GuideParse::TooLong, ""},
        {"another guide", "GuidaUtente.txt\r\nx", GuideParse::WrongFirstLine, ""},
        {"first line goes on", head + "x\r\nx", GuideParse::WrongFirstLine, ""},
        {"cut short", "UserGui", GuideParse::WrongFirstLine, ""},
        {"empty", "", GuideParse::WrongFirstLine, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = "earlier";
        EXPECT_EQ(GuideTextParse(c.file, head, text), c.result);
        EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(GuideTextShown("a\r\nb\n\xE8"), u"a\nb\n\u00e8"_qs);
}

TEST(SmallFiles, GuideSizeAndNoticePlace) {
    struct Case {
        int frameHeight, twipsY, height, width;
    } cases[] = {{9000, 12, 8000, 8800}, {9000, 15, 7950, 9600}, {1500, 15, 1200, 9600}, {1500, 12, 1200, 8800}};
    for (const Case& c : cases) {
        int h = 0, w = 0;
        frmGuida::SizeFor(c.frameHeight, 300, c.twipsY, h, w);
        EXPECT_EQ(h, c.height) << c.frameHeight << " " << c.twipsY;
        EXPECT_EQ(w, c.width);
    }
    EXPECT_EQ(frmAvviso2::CentreOffset(12001, 4001), 4000);
    EXPECT_EQ(frmAvviso2::CentreOffset(9000, 1500), 3750);
}
