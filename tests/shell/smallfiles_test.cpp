// The notebook record and the guide file as bytes, and the guide's least height.
#include <gtest/gtest.h>

#include "shell/SmallFiles.h"
#include "shell/frmGuida.h"

TEST(SmallFiles, NotebookRecordAndItsLimit) {
    struct Case {
        std::string record;  // as it lies in the file
        QString text;        // as the window shows it
        std::string saved;   // written back, before the padding
    } cases[] = {
        {"", "", ""},
        {std::string("caf\xE8\r\nriga") + std::string(50, ' '), u"caf\u00e8\nriga"_qs, "caf\xE8\r\nriga"},
        {std::string("ab ") + std::string(9, '\0'), "ab", "ab"},
        {"a\nb\rc", "a\nb\nc", "a\r\nb\r\nc"},
        {std::string(NoteRecLen, 'x') + "beyond", QString(NoteRecLen, u'x'), std::string(NoteRecLen, 'x')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NoteTextFromRecord(c.record), c.text);
        EXPECT_EQ(NoteRecordFromText(c.text), c.saved + std::string(NoteRecLen - c.saved.size(), ' '));
    }
    // Typing at the limit is driven through the window; here what it cannot reach.
    const QString full(NoteRecLen, u'a');
    EXPECT_EQ(NoteTextBytes(u"a\nb\u2029c"_qs), 7);
    EXPECT_TRUE(NoteEditAccepted(full + u"bb"_qs, full + u'b')) << "a text from elsewhere may shrink";
}

TEST(SmallFiles, GuideFirstLineLengthAndPlaces) {
    const std::string head = "UserGuide.txt", most(GuideMaxChars, 'g');
    struct Case {
        std::string file;
        GuideParse result;
        std::string text;
    } cases[] = {
        {head + "\r\nline 1\r\nline 2", GuideParse::Ok, "line 1\r\nline 2"},
        {head + "\nabc\n", GuideParse::Ok, "abc\n"},
        {head, GuideParse::Ok, ""},
        {head + "\n" + most + "g", GuideParse::TooLong, ""},
        {"GuidaUtente.txt\r\nx", GuideParse::WrongFirstLine, ""},
        {head + "x\r\nx", GuideParse::WrongFirstLine, ""},
        {"UserGui", GuideParse::WrongFirstLine, ""},
    };
    for (const Case& c : cases) {
        std::string text = "earlier";
        EXPECT_EQ(GuideTextParse(c.file, head, text), c.result) << c.file.substr(0, 20);
        EXPECT_EQ(text, c.text);
    }
    int h = 0, w = 0;
    frmGuida::SizeFor(1500, 300, 15, h, w);
    EXPECT_EQ(h, 1200) << "never lower";
}
