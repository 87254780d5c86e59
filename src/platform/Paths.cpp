#include "platform/Paths.h"

#include <QDir>
#include <cstdlib>

namespace {
std::string systemDir;
std::string startDir;
}  // namespace

std::string SystemDir() {
    if (systemDir.empty()) {
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        std::string base;
        if (xdg && *xdg) base = xdg;
        else {
            const char* home = std::getenv("HOME");
            base = std::string(home && *home ? home : ".") + "/.config";
        }
        systemDir = base + "/Velmora";
    }
    QDir().mkpath(QString::fromStdString(systemDir));
    return systemDir;
}

void SetSystemDir(const std::string& dir) {
    systemDir = dir;
    while (systemDir.size() > 1 && systemDir.back() == '/') systemDir.pop_back();
}

std::string RuntimeDir() {
    const char* run = std::getenv("XDG_RUNTIME_DIR");
    if (run && *run && QDir(QString::fromLocal8Bit(run)).exists()) return run;
    return "/tmp";
}

std::string StartDir() {
    if (startDir.empty()) startDir = QDir::currentPath().toStdString();
    return startDir;
}

void SetStartDir(const std::string& dir) {
    startDir = dir;
    while (startDir.size() > 1 && startDir.back() == '/') startDir.pop_back();
}

bool PathFits(const std::string& path) { return path.size() <= static_cast<std::size_t>(PathFieldLen); }

std::string PathJoin(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}
