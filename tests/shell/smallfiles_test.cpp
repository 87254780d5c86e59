// The notebook record and the guide file as bytes, and the guide's least height.
#include <gtest/gtest.h>

#include "shell/SmallFiles.h"
#include "shell/frmGuida.h"

TEST(SmallFiles, NotebookRecordGuideFileAndGuideHeight) {
    const struct { std::string record; QString text; std::string saved; } notes[] = {  // saved: before the padding
        {"", "", ""},
        {std::string("caf\xE8\r\nriga") + std::string(50, ' '), u"caf\u00e8\nriga"_qs, "caf\xE8\r\nriga"},
        {std::string("ab ") + std::string(9, '\0'), "ab", "ab"},
        {"a\nb\rc", "a\nb\nc", "a\r\nb\r\nc"},
        {std::string(NoteRecLen, 'x') + "beyond", QString(NoteRecLen, u'x'), std::string(NoteRecLen, 'x')},
    };
    for (const auto& c : notes) {
        EXPECT_EQ(NoteTextFromRecord(c.record), c.text);
        EXPECT_EQ(NoteRecordFromText(c.text), c.saved + std::string(NoteRecLen - c.saved.size(), ' '));
    }
    const std::string head = "UserGuide.txt";
    const struct { std::string file; GuideParse result; std::string text; } guides[] = {
        {head + "\r\nline 1\r\nline 2", GuideParse::Ok, "line 1\r\nline 2"},
        {head + "\nabc\n", GuideParse::Ok, "abc\n"},
        {head, GuideParse::Ok, ""},
        {"UserGui", GuideParse::WrongFirstLine, ""},
        {"GuidaUtente.txt\r\nx", GuideParse::WrongFirstLine, ""},
        {head + "x\r\nx", GuideParse::WrongFirstLine, ""},
    };
    for (const auto& c : guides) {
        std::string text = "earlier";
        EXPECT_EQ(GuideTextParse(c.file, head, text), c.result) << c.file;
        EXPECT_EQ(text, c.text);
    }
    int h = 0, w = 0;
    frmGuida::SizeFor(1500, 300, 15, h, w);
    EXPECT_EQ(h, 1200) << "never lower";
}
