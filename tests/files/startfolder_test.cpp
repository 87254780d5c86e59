// The start folder the build writes passes the program's own readers.
#include "app/Names.h"
#include "files/Readers.h"
#include "files/StyGroups.h"
#include "filestest.h"
#include "platform/Files.h"
#include "platform/Paths.h"

TEST_F(FilesTest, StartFolderFilesPassTheirReaders) {
    const std::string dir = VELMORA_BUILD_START_DIR;
    ASSERT_EQ(ArrFileRead(PathJoin(dir, "i40ArrA")), 0);
    EXPECT_EQ(ArrFileBuf, ArrBankImage(0));
    ASSERT_EQ(ArrFileRead(PathJoin(dir, "i40ArrB")), 0);
    EXPECT_EQ(ArrFileBuf, ArrBankImage(1));

    ASSERT_EQ(PrgFileRead(PathJoin(dir, "i40Prg")), 0);
    EXPECT_EQ(mid(PrgFileBuf, 49, 64 * 172), std::string(64 * 172, '\0'));

    // The template is read by its file name.
    std::string sty = readFileBytes(PathJoin(dir, "i40Sty"));
    writeFileBytes(startFile("i40Sty"), sty);
    ASSERT_EQ(StyFileLoad(startFile("i40Sty")), 0);
    EXPECT_EQ(StyGrpBuf, StyTemplateImage());
    EXPECT_EQ(StyBlkName(3, StyGrpBuf), "- empty -");

    std::array<std::string, 519> names;
    EXPECT_TRUE(MultisampleNamesParse(readFileBytes(PathJoin(dir, "i40Multisample")), names));
    EXPECT_EQ(names, MultisampleDefaultNames());

    // The guide window checks the first line, drops its CR LF and takes at
    // most 32000 Latin-1 characters after it.
    struct { const char* file; std::string firstLine, sample; } guides[] = {
        {"Velmora_GuidaUtente.txt", "GuidaUtente.txt\r\n", "Che cos'\xE8 Velmora"},
        {"Velmora_UserGuide.txt", "UserGuide.txt\r\n", "What Velmora is"},
    };
    for (auto& g : guides) {
        SCOPED_TRACE(g.file);
        const std::string text = readFileBytes(PathJoin(dir, g.file));
        ASSERT_EQ(text.compare(0, g.firstLine.size(), g.firstLine), 0);
        const std::string body = text.substr(g.firstLine.size());
        EXPECT_TRUE(body.size() > 3000u && body.size() <= 32000u) << body.size();
        EXPECT_NE(body.find(g.sample), std::string::npos);
        for (std::size_t i = 0; i < body.size(); ++i)
            ASSERT_FALSE(body[i] == '\n' && (i == 0 || body[i - 1] != '\r')) << "a bare line feed at " << i;
    }
}
