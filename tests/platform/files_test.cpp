// Whole-file and record access, folders and the byte-image helpers.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>
#include <filesystem>

#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/bytes.h"
#include "IdlePipe.h"
#include "testenv.h"

namespace fs = std::filesystem;

using FilesTest = VelmoraTest;

TEST_F(FilesTest, WritesKeepEveryByteAndNeverLeaveAHalfWrittenFile) {
    std::string data, back;
    for (int i = 0; i < 70000; ++i) data.push_back(static_cast<char>(i * 7));
    const std::string p = sysFile("data.bin");
    ASSERT_EQ(WriteWholeFile(p, data), FileError::None);
    ASSERT_EQ(ReadWholeFile(p, back), FileError::None);
    EXPECT_TRUE(back == data && FileLen(p) == 70000);

    // A real failure halfway through the data: the file size limit stands in
    // for a disk that fills up while writing.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileError whole = WriteWholeFile(p, std::string(10000, 'n')), record = RecordWrite(p, 100, 50, "new record");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(std::tuple(whole, record), std::tuple(FileError::DiskFull, FileError::DiskFull));
    EXPECT_TRUE(readFileBytes(p) == data);
    // No temporary file is left beside the one written.
    EXPECT_EQ(std::distance(fs::directory_iterator(sysDir()), fs::directory_iterator()), 1);

    // Through a link to the file it names; a read-only file is spared.
    const std::string link = startFile("data.bin");
    fs::create_symlink(p, link);
    ASSERT_EQ(WriteWholeFile(link, "new"), FileError::None);
    EXPECT_TRUE(fs::is_symlink(link) && readFileBytes(p) == "new");
    if (geteuid() == 0) return;  // root may write anything
    fs::permissions(p, fs::perms::owner_read);
    EXPECT_EQ(WriteWholeFile(p, "newer"), FileError::AccessDenied);
    EXPECT_EQ(readFileBytes(p), "new");
}

TEST_F(FilesTest, ReadsLookBeforeTheyRead) {
    const std::string big = sysFile("big");
    writeFileBytes(big, "");
    fs::resize_file(big, 400LL << 20);  // sparse: nothing of it needs reading
    std::string out = "x";
    FileFit fit = FileFit::Fits;
    EXPECT_EQ(ReadFileHead(big, 10, out, fit), FileError::None);
    EXPECT_EQ(std::pair(out, fit), std::pair(std::string(10, '\0'), FileFit::TooLong));
    EXPECT_EQ(ReadFileUpTo(sysFile("none"), 10, out, fit), FileError::NotFound);
    EXPECT_EQ(ReadWholeFile(sysFile("nodir/missing"), out), FileError::PathNotFound);
    EXPECT_EQ(WriteWholeFile(sysFile("nodir/x"), "x"), FileError::PathNotFound);
    // Something that is not a file is refused at once, also by whole reads.
    IdlePipe pipe(sysFile("pipe"));
    ASSERT_TRUE(pipe.made());
    for (const std::string& p : {sysFile("pipe"), sysDir()}) EXPECT_EQ(ReadWholeFile(p, out), FileError::AccessDenied);
    EXPECT_FALSE(pipe.released()) << "the read waited on the pipe";
}

TEST_F(FilesTest, RecordFilesBehaveAsTheProgramExpects) {
    std::string rec;
    bool empty = false;
    // A missing file reads as empty and is not created; a file found empty is deleted.
    for (bool exists : {false, true}) {
        if (exists) writeFileBytes(sysFile("r"), "");
        ASSERT_EQ(RecordRead(sysFile("r"), 10, 1, rec, empty), FileError::None);
        EXPECT_TRUE(empty && !FileExists(sysFile("r")));
    }
    // Writing record 3 grows the file with zeros and keeps what is there;
    // a record past the end reads as zeros of full length.
    writeFileBytes(sysFile("r"), "AAAAAAAAAA");
    ASSERT_EQ(RecordWrite(sysFile("r"), 10, 3, "CC"), FileError::None);
    EXPECT_EQ(readFileBytes(sysFile("r")), "AAAAAAAAAA" + std::string(10, '\0') + "CC" + std::string(8, '\0'));
    for (int n : {3, 5}) {
        ASSERT_EQ(RecordRead(sysFile("r"), 10, n, rec, empty), FileError::None);
        EXPECT_EQ(std::pair(rec, empty), std::pair((n == 3 ? "CC" : "") + std::string(n == 3 ? 8 : 10, '\0'), false));
    }
}

TEST_F(FilesTest, TheSystemFolderFollowsXdgConfigHomeAndIsMade) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string oldValue = old ? old : "";
    setenv("XDG_CONFIG_HOME", (startDir() + "/cfg").c_str(), 1);
    SetSystemDir("");
    EXPECT_EQ(SystemDir(), startDir() + "/cfg/Velmora");
    EXPECT_TRUE(fs::is_directory(SystemDir()));
    old ? setenv("XDG_CONFIG_HOME", oldValue.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    SetSystemDir(sysDir());
}

TEST(Bytes, OneBasedAccessNeverLeavesTheImage) {
    std::string img(4, '\0');
    put(img, 1, 0xFF);
    EXPECT_EQ(at(img, 1), 0xFF);  // never sign-extended
    EXPECT_EQ(at(img, 0) + at(img, 5), 0);
    put(img, 6, 7);               // grows with zeros
    EXPECT_EQ(img, bytesOf({0xFF, 0, 0, 0, 0, 7}));
    EXPECT_EQ(mid("abcdef", 5, 10) + mid("abcdef", 7, 1), "ef");
    put16hi(img, 1, static_cast<unsigned>(-2));
    EXPECT_EQ(getS16hi(img, 1), -2);
}
