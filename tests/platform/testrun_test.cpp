// What every test program gives its tests: a runtime folder of its own, and
// an error stream that only real warnings reach.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

TEST(TestRun, HasItsOwnRuntimeFolderAndNoPluginChatter) {
    const char* run = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    ASSERT_TRUE(run && ::stat(run, &st) == 0);
    EXPECT_TRUE((st.st_mode & 0777) == 0700 && std::strstr(run, "velmora-run-")) << run;

    // A window given size limits, with the error stream caught in a file.
    std::fflush(stderr);
    const int saved = ::dup(2);
    FILE* caught = std::tmpfile();
    ::dup2(::fileno(caught), 2);
    {
        QWidget w;
        w.show();
        w.setMinimumSize(50, 50);
        QCoreApplication::processEvents();
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    char text[4096] = {};
    std::rewind(caught);
    std::fread(text, 1, sizeof text - 1, caught);
    std::fclose(caught);
    EXPECT_EQ(std::strstr(text, "propagateSizeHints"), nullptr) << text;
}
