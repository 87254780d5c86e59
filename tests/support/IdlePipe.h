#pragma once
// A named pipe that nobody writes to, for tests of code that must refuse it
// without waiting. Should the code under test open it and wait after all, it
// is let go after a second (the pipe is opened for writing and closed, so it
// reads an empty file) and released() says so: the test fails instead of
// hanging.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

class IdlePipe {
public:
    explicit IdlePipe(const std::string& path) : path_(path) {
        ok_ = ::mkfifo(path.c_str(), 0600) == 0;
        watcher_ = std::thread([this] {
            for (int waited = 0; !done_; waited += 10) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                if (waited < 1000) continue;
                int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ::close(fd);
                    released_ = true;
                }
            }
        });
    }
    ~IdlePipe() {
        done_ = true;
        watcher_.join();
    }
    bool made() const { return ok_; }
    bool released() const { return released_; }
    // Whether the pipe is still there, as a pipe.
    bool present() const {
        struct stat st {};
        return ::lstat(path_.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
    }

private:
    std::string path_;
    bool ok_ = false;
    std::atomic<bool> done_{false}, released_{false};
    std::thread watcher_;
};
