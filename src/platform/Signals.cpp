#include "platform/Signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "platform/Dialogs.h"
#include "platform/MidiDevice.h"

namespace {

int pipeFds[2] = {-1, -1};
bool signalled = false;

void onRawSignal(int sig) {
    const int saved = errno;
    const unsigned char b = static_cast<unsigned char>(sig);
    // Nothing to do when the pipe is full: a signal is waiting already.
    [[maybe_unused]] ssize_t n = ::write(pipeFds[1], &b, 1);
    errno = saved;
}

// Boxes while the program ends on a signal: nobody is there to answer them.
class QuietDialogs : public DialogService {
public:
    int msgBox(const std::string& text, int style, const std::string& title) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        switch (style & 0x0F) {
        case vbOKOnly: return vbOK;
        case vbYesNo: return vbNo;
        case vbAbortRetryIgnore: return vbIgnore;
        default: return vbCancel;
        }
    }
    bool inputBox(const std::string&, const std::string&, const std::string&, std::string& answer) override {
        answer.clear();
        return false;
    }
    bool fileDialog(FileDialogRequest&) override { return false; }
    bool waitBox(const std::string&, const std::string&, const std::function<bool(std::string&)>&) override {
        return true;  // stop at once
    }
};

}  // namespace

void InstallQuitSignals(std::function<void(int sig)> onSignal) {
    if (pipeFds[0] >= 0) return;
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("velmora: signal pipe");
        return;
    }
    auto* notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onSignal = std::move(onSignal)] {
        unsigned char b = 0;
        int sig = 0;
        while (::read(pipeFds[0], &b, 1) == 1)
            if (sig == 0) sig = b;
        if (sig == 0 || signalled) return;
        signalled = true;
        onSignal(sig);
    });
    struct sigaction sa = {};
    sa.sa_handler = onRawSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

void QuitQuietly(int sig, const std::function<void()>& shutDown) {
    static QuietDialogs quiet;
    SetDialogService(&quiet);
    MidiDev::StopAll();
    if (shutDown) shutDown();
    QCoreApplication::exit(128 + sig);
}
