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

class FilesTest : public VelmoraTest {
protected:
    // Files in the system folder: no temporary or half-written file is left beside the one written.
    long filesInSysDir() { return std::distance(fs::directory_iterator(sysDir()), fs::directory_iterator()); }
};

TEST_F(FilesTest, WholeFileRoundTripKeepsEveryByte) {
    std::string data;
    for (int i = 0; i < 70000; ++i) data.push_back(static_cast<char>(i * 7));
    std::string p = sysFile("data.bin");
    ASSERT_EQ(WriteWholeFile(p, data), FileError::None);
    std::string back;
    ASSERT_EQ(ReadWholeFile(p, back), FileError::None);
    EXPECT_EQ(back, data);
    EXPECT_EQ(std::tuple(FileLen(p), filesInSysDir()), std::tuple(70000, 1));
}

TEST_F(FilesTest, FailedWriteLeavesTheOldFileWhole) {
    std::string p = sysFile("keep.bin");
    writeFileBytes(p, "old contents");
    // A real failure halfway through the data: the file size limit stands in
    // for a disk that fills up while writing.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    FileError whole = WriteWholeFile(p, std::string(10000, 'n'));
    FileError record = RecordWrite(p, 100, 50, "new record");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(std::tuple(whole, record, readFileBytes(p), filesInSysDir()),
              std::tuple(FileError::DiskFull, FileError::DiskFull, "old contents", 1));
}

TEST_F(FilesTest, WritesGoThroughLinksAndSpareReadOnlyFiles) {
    std::string real = sysFile("bank.arr"), link = startFile("bank.arr");
    writeFileBytes(real, "old");
    fs::create_symlink(real, link);
    ASSERT_EQ(WriteWholeFile(link, "new"), FileError::None);
    EXPECT_TRUE(fs::is_symlink(link) && readFileBytes(real) == "new");
    if (geteuid() == 0) return;  // root may write anything
    fs::permissions(real, fs::perms::owner_read);
    EXPECT_EQ(WriteWholeFile(real, "newer"), FileError::AccessDenied);
    EXPECT_EQ(readFileBytes(real), "new");
}

TEST_F(FilesTest, BoundedReadsLookBeforeTheyRead) {
    const std::string big = sysFile("big");
    writeFileBytes(big, "");
    fs::resize_file(big, 400LL << 20);   // sparse: nothing of it needs reading
    std::string out = "x";
    FileFit fit = FileFit::Fits;
    EXPECT_EQ(ReadFileUpTo(big, 1000, out, fit), FileError::None);
    EXPECT_EQ(std::pair(out, fit), std::pair(std::string(), FileFit::TooLong));
    EXPECT_EQ(ReadFileHead(big, 10, out, fit), FileError::None);
    EXPECT_EQ(std::pair(out, fit), std::pair(std::string(10, '\0'), FileFit::TooLong));
    writeFileBytes(big, "0123456789");
    EXPECT_EQ(ReadFileUpTo(big, 10, out, fit), FileError::None);
    EXPECT_EQ(std::pair(out, fit), std::pair(std::string("0123456789"), FileFit::Fits));
    EXPECT_EQ(ReadFileUpTo(sysFile("none"), 10, out, fit), FileError::NotFound);
    EXPECT_EQ(ReadWholeFile(sysFile("nodir/missing"), out), FileError::PathNotFound);
    EXPECT_EQ(WriteWholeFile(sysFile("nodir/x"), "x"), FileError::PathNotFound);

    // Something that is not a file is refused at once, also by whole reads.
    IdlePipe pipe(sysFile("pipe"));
    ASSERT_TRUE(pipe.made());
    EXPECT_EQ(ReadFileUpTo(sysFile("pipe"), 10, out, fit), FileError::None);
    EXPECT_EQ(fit, FileFit::NotAFile);
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
    // Writing record 3 grows the file with zeros and keeps what is there.
    writeFileBytes(sysFile("r"), "AAAAAAAAAA");
    ASSERT_EQ(RecordWrite(sysFile("r"), 10, 3, "CC"), FileError::None);
    EXPECT_EQ(readFileBytes(sysFile("r")), "AAAAAAAAAA" + std::string(10, '\0') + "CC" + std::string(8, '\0'));
    ASSERT_EQ(RecordRead(sysFile("r"), 10, 3, rec, empty), FileError::None);
    EXPECT_EQ(std::pair(rec, empty), std::pair("CC" + std::string(8, '\0'), false));
    // A record past the end reads as zeros of full length.
    ASSERT_EQ(RecordRead(sysFile("r"), 10, 5, rec, empty), FileError::None);
    EXPECT_EQ(rec, std::string(10, '\0'));
}

TEST_F(FilesTest, TheSystemFolderFollowsXdgConfigHomeAndIsMade) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string oldValue = old ? old : "";
    setenv("XDG_CONFIG_HOME", (startDir() + "/cfg").c_str(), 1);
    SetSystemDir("");
    EXPECT_EQ(SystemDir(), startDir() + "/cfg/Velmora");
    EXPECT_TRUE(fs::is_directory(SystemDir()));
    if (old) setenv("XDG_CONFIG_HOME", oldValue.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
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
    std::string w(4, '\0');
    put16hi(w, 1, static_cast<unsigned>(-2));
    put16lo(w, 3, 0x1234);
    EXPECT_EQ(w, bytesOf({0xFF, 0xFE, 0x34, 0x12}));
    EXPECT_EQ(getS16hi(w, 1), -2);
}
