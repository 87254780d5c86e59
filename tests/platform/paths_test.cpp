// Parts of paths, file identity on disk and the cuts of names for display.
#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>

#include "platform/Files.h"
#include "platform/Paths.h"
#include "testenv.h"

namespace fs = std::filesystem;

TEST(Paths, PartsOfAPath) {
    const struct { const char *path, *dir, *name, *stem, *ext; } cases[] = {
        {"/home/u/song.arr  ", "/home/u", "song.arr", "song", "arr"},
        {"SONG.ARR", "", "SONG.ARR", "SONG", "ARR"},
        {"/a/b/", "/a/b", "", "", ""},
        {"/a/.hidden", "/a", ".hidden", ".hidden", ""},
        {"/a.d/x.tar.gz", "/a.d", "x.tar.gz", "x.tar", "gz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::tuple(PathDir(c.path), PathName(c.path), PathStem(c.path), PathExt(c.path)),
                  std::tuple(c.dir, c.name, c.stem, c.ext))
            << c.path;
    EXPECT_TRUE(ExtIs("/m/SONG.ARR", "arr") && ExtIs("b.Pgg", "PGG"));
    EXPECT_FALSE(ExtIs("/m/arr", "arr") || ExtIs("x.arrx", "arr"));
    EXPECT_EQ(AsciiLower("ÀB.Sty"), "Àb.sty") << "only ASCII letters change";
}

class PathsOnDisk : public VelmoraTest {};

TEST_F(PathsOnDisk, AnExtensionInAnyCaseOrAnotherSpellingNamesTheSameFile) {
    const std::string stem = startFile("SONG");
    EXPECT_EQ(FileWithExt(stem, "arr"), stem + ".arr") << "nothing there: the name to create";
    writeFileBytes(stem + ".ARR", "x");
    EXPECT_EQ(FileWithExt(stem, "arr") + "|" + FileWithExt(stem, "ARR"), stem + ".ARR|" + stem + ".ARR");
    EXPECT_EQ(FileWithExt(startFile("song"), "arr"), startFile("song.arr")) << "the name itself keeps its case";
    writeFileBytes(stem + ".arr", "y");
    EXPECT_EQ(FileWithExt(stem, "arr"), stem + ".arr") << "the exact spelling first";

    // Two spellings of one path are one file.
    fs::create_directories(startFile("sub/deeper"));
    fs::create_directory_symlink(startFile("sub"), startFile("link"));
    const std::string f = startFile("sub/song");
    for (const std::string& other : {startFile("sub/./song"), startFile("sub/deeper/../song"), startFile("link/song"),
                                     f + "   "})
        EXPECT_TRUE(SamePath(f, other)) << other;
    EXPECT_FALSE(SamePath(f, startFile("sub/Song")) || SamePath(f, startFile("sub/deeper/song")) || SamePath("", "/"));
    EXPECT_TRUE(SamePath("/no/such/../folder/x", "/no/folder/x"));
}

TEST_F(PathsOnDisk, FolderListingAndNamesInOtherLetterCase) {
    const std::string d = startFile("f");
    fs::create_directories(d + "/sub.arr");
    for (const char* n : {"Bank.arr", "BANK.arr", "Solo.ARR", "\xE8.arr"}) writeFileBytes(d + "/" + n, "x");
    fs::create_symlink(d + "/Solo.ARR", d + "/link.arr");
    std::vector<std::string> names;
    ASSERT_TRUE(ListFiles(d, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"BANK.arr", "Bank.arr", "Solo.ARR", "link.arr", "\xE8.arr"}))
        << "regular files only, links to them included, names as bytes";
    EXPECT_FALSE(ListFiles(d + "/none", names));
    const struct { const char *name, *found; } cases[] = {
        {"Bank.arr", "Bank.arr"}, {"bank.arr", ""}, {"solo.arr", "Solo.ARR"}, {"sub.arr", ""}, {"x.arr", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FileNameNoCase(d, c.name), c.found) << c.name;
    // A read refused by the test hook, for one file only.
    SimulateReadFailure(FileError::ReadError, d + "/Bank.arr");
    std::string out;
    EXPECT_EQ(ReadWholeFile(d + "/Bank.arr", out), FileError::ReadError);
    EXPECT_EQ(ReadWholeFile(d + "/BANK.arr", out), FileError::None);
    SimulateReadFailure(FileError::None);
    EXPECT_EQ(ReadWholeFile(d + "/Bank.arr", out), FileError::None);
}

// The program's own files are found from where it lies, not from the
// folder it was started from.
TEST_F(PathsOnDisk, TheStartFolderIsFoundBesideTheProgram) {
    const std::string bin = startFile("bin");
    fs::create_directories(bin);
    EXPECT_EQ(StartDirOf(bin), bin) << "no start folder: the program's own";
    fs::create_directories(bin + "/start");
    EXPECT_EQ(StartDirOf(bin), bin + "/start");

    const fs::path before = fs::current_path();
    fs::current_path(sysDir());
    SetStartDir("");
    const std::string found = StartDir();
    fs::current_path(before);
    EXPECT_EQ(found, StartDirOf(fs::read_symlink("/proc/self/exe").parent_path().string()));
    SetStartDir(startDir());
}

TEST(Paths, CutsNeverSplitACharacter) {
    const std::string e = "\xC3\xA8";          // a two-byte character
    const std::string euro = "\xE2\x82\xAC";   // three bytes
    const struct { std::string text; std::size_t max; std::string head, tail; } cases[] = {
        {"abc", 5, "abc", "abc"},
        {"a" + e + "b", 2, "a", "b"},
        {"a" + e + "b", 3, "a" + e, e + "b"},
        {euro + euro, 4, euro, euro},
        {euro + euro, 2, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8Head(c.text, c.max) + "|" + Utf8Tail(c.text, c.max), c.head + "|" + c.tail) << c.max;
}

TEST(Paths, PrintableLineKeepsOnlyPrintableCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"song", "song"},
        {"two\nlines\r\t", "twolines"},
        {std::string("a\0b\x1B[2J\x7F", 8), "ab[2J"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"bad\xC3 \xFF\xC0\xAF!", "bad !"},                  // cut, invalid and overlong bytes
        {"c1\xC2\x85 sep\xE2\x80\xA8.", "c1 sep."},         // next line, line separator
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(PrintableLine(in), out);
}
