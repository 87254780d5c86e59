// What every test program gives its tests: a runtime folder of its own, and
// an error stream that only real warnings reach.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

TEST(TestRun, HasItsOwnRuntimeFolderAndNoPluginChatter) {
    const char* run = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(run, nullptr);
    struct stat st {};
    ASSERT_EQ(::stat(run, &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700 && st.st_uid == ::getuid());
    EXPECT_NE(std::string(run).find("velmora-run-"), std::string::npos) << run;

    // A window given size limits, with the error stream caught.
    std::fflush(stderr);
    const int saved = ::dup(2);
    FILE* caught = std::tmpfile();
    ASSERT_TRUE(saved >= 0 && caught);
    ::dup2(::fileno(caught), 2);
    {
        QWidget w;
        w.show();
        w.setMinimumSize(50, 50);
        w.setMaximumSize(500, 500);
        QCoreApplication::processEvents();
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::string text;
    std::rewind(caught);
    for (int c; (c = std::fgetc(caught)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(caught);
    EXPECT_EQ(text.find("propagateSizeHints"), std::string::npos) << text;
}
