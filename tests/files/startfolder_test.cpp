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
    for (int i = 0; i < 64; ++i) {
        long b = 33 + 164L * i;
        EXPECT_EQ(mid(ArrFileBuf, b, 16), padRight("Arrangement A" + RowCode(i), 16));
        EXPECT_EQ(at(ArrFileBuf, b + 17), static_cast<unsigned>(i));
    }
    ASSERT_EQ(ArrFileRead(PathJoin(dir, "i40ArrB")), 0);
    EXPECT_EQ(mid(ArrFileBuf, 33 + 164 * 63, 16), "Arrangement B88 ");
    EXPECT_EQ(at(ArrFileBuf, 33 + 164 * 63 + 17), 127);

    ASSERT_EQ(PrgFileRead(PathJoin(dir, "i40Prg")), 0);
    EXPECT_EQ(mid(PrgFileBuf, 49, 64 * 172), std::string(64 * 172, '\0'));

    // The template is read by its file name.
    std::string sty = readFileBytes(PathJoin(dir, "i40Sty"));
    writeFileBytes(startFile("i40Sty"), sty);
    ASSERT_EQ(StyFileLoad(startFile("i40Sty")), 0);
    EXPECT_EQ(StyGrpBuf.size(), 4928u);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(StyBlkName(k, StyGrpBuf), "- empty -");
    EXPECT_EQ(StyBlkSize(4, StyGrpBuf), 0u);

    std::array<std::string, 519> names;
    EXPECT_TRUE(MultisampleNamesParse(readFileBytes(PathJoin(dir, "i40Multisample")), names));
    EXPECT_EQ(names, MultisampleDefaultNames());
    EXPECT_GT(FileLen(PathJoin(dir, "Velmora_GuidaUtente.txt")), 1000);
    EXPECT_GT(FileLen(PathJoin(dir, "Velmora_UserGuide.txt")), 1000);
}
