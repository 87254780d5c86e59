#include "platform/Paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QDir>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/bytes.h"

namespace fs = std::filesystem;

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

std::string StartDirOf(const std::string& exeDir) {
    const std::string beside = PathJoin(exeDir, "start");
    std::error_code ec;
    return fs::is_directory(beside, ec) ? beside : exeDir;
}

std::string StartDir() {
    if (startDir.empty()) {
        std::error_code ec;
        const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
        startDir = ec ? QDir::currentPath().toStdString() : StartDirOf(exe.parent_path().string());
    }
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

// ---- Parts of a path --------------------------------------------------------

std::string PathDir(const std::string& path) {
    std::string p = rtrim(path);
    auto i = p.rfind(PathSep);
    return i == std::string::npos ? std::string() : rtrim(p.substr(0, i));
}

std::string PathName(const std::string& path) {
    std::string p = rtrim(path);
    auto i = p.rfind(PathSep);
    return i == std::string::npos ? p : p.substr(i + 1);
}

std::string PathStem(const std::string& path) {
    std::string n = PathName(path);
    auto i = n.rfind('.');
    return i == std::string::npos || i == 0 ? n : n.substr(0, i);
}

std::string PathNoExt(const std::string& path) {
    const std::string p = rtrim(path), ext = PathExt(p);
    return ext.empty() ? p : p.substr(0, p.size() - ext.size() - 1);
}

std::string PathExt(const std::string& path) {
    std::string n = PathName(path);
    auto i = n.rfind('.');
    return i == std::string::npos || i == 0 ? std::string() : n.substr(i + 1);
}

// ---- ASCII case -------------------------------------------------------------

std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool SameNoCase(const std::string& a, const std::string& b) { return AsciiLower(a) == AsciiLower(b); }

bool ExtIs(const std::string& path, const std::string& ext) { return SameNoCase(PathExt(path), ext); }

// ---- Files on disk ----------------------------------------------------------

std::string FileWithExt(const std::string& stemPath, const std::string& ext) {
    const std::string exact = stemPath + "." + ext;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string dir = PathDir(stemPath);
    const std::string want = PathName(stemPath) + ".";
    std::vector<std::string> found;
    for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() == want.size() + ext.size() && name.compare(0, want.size(), want) == 0 &&
            SameNoCase(name.substr(want.size()), ext))
            found.push_back(name);
    }
    if (found.empty()) return exact;
    // Two spellings of one extension: take the same one every time.
    std::sort(found.begin(), found.end());
    return dir.empty() ? found.front() : PathJoin(dir, found.front());
}

std::string FileNameNoCase(const std::string& dir, const std::string& name) {
    const std::string folder = dir.empty() ? "." : dir;
    struct stat st {};
    if (::stat(PathJoin(folder, name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) return name;
    std::vector<std::string> files;
    if (!ListFiles(folder, files)) return {};
    std::string found;
    for (const std::string& f : files) {
        if (f.size() != name.size() || !SameNoCase(f, name)) continue;
        if (!found.empty()) return {};   // two spellings: neither is the one
        found = f;
    }
    return found;
}

bool ListFiles(const std::string& dir, std::vector<std::string>& names) {
    names.clear();
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return false;
    const std::string base = dir.empty() ? std::string(".") : dir;
    while (const dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        bool regular = e->d_type == DT_REG;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            regular = ::stat(PathJoin(base, n).c_str(), &st) == 0 && S_ISREG(st.st_mode);
        }
        if (regular) names.push_back(n);
    }
    ::closedir(d);
    return true;
}

namespace {

std::string canonicalFolder(const std::string& path) {
    const std::string dir = PathDir(path);
    fs::path d = dir.empty() ? fs::path(".") : fs::path(dir);
    if (dir.empty() && !path.empty() && path[0] == PathSep) d = "/";
    std::error_code ec;
    fs::path c = fs::canonical(d, ec);
    if (ec) c = fs::absolute(d, ec).lexically_normal();
    std::string r = c.string();
    while (r.size() > 1 && r.back() == PathSep) r.pop_back();   // "/m/x/.." gives "/m/"
    return r;
}

}  // namespace

bool SamePath(const std::string& a, const std::string& b) {
    const std::string ra = rtrim(a), rb = rtrim(b);
    if (ra == rb) return true;
    if (PathName(ra) != PathName(rb) || PathName(ra).empty()) return false;
    return canonicalFolder(ra) == canonicalFolder(rb);
}

// ---- Cuts for display --------------------------------------------------------

namespace {

bool continuation(unsigned char c) { return (c & 0xC0u) == 0x80u; }

// Length of the valid UTF-8 character starting at s[i], 0 when the bytes
// there are not one.
std::size_t utf8Len(const std::string& s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c & 0xE0u) == 0xC0u ? 2 : (c & 0xF0u) == 0xE0u ? 3 : (c & 0xF8u) == 0xF0u ? 4 : 0;
    if (n == 0 || (n == 2 && c < 0xC2) || (n == 4 && c > 0xF4) || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if (!continuation(static_cast<unsigned char>(s[i + k]))) return 0;
    if (n >= 3) {
        const auto c1 = static_cast<unsigned char>(s[i + 1]);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) ||   // overlong, surrogate
            (c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))      // overlong, beyond U+10FFFF
            return 0;
    }
    return n;
}

}  // namespace

std::string Utf8Head(const std::string& s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return s;
    std::size_t end = maxBytes;
    while (end > 0 && continuation(static_cast<unsigned char>(s[end]))) --end;
    return s.substr(0, end);
}

std::string Utf8Tail(const std::string& s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return s;
    std::size_t from = s.size() - maxBytes;
    while (from < s.size() && continuation(static_cast<unsigned char>(s[from]))) ++from;
    return s.substr(from);
}

std::string PrintableLine(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = utf8Len(s, i);
        if (n == 0) {
            ++i;
            continue;
        }
        const auto c = static_cast<unsigned char>(s[i]);
        const auto c1 = n > 1 ? static_cast<unsigned char>(s[i + 1]) : 0;
        const bool control = c < 0x20 || c == 0x7F || (c == 0xC2 && c1 < 0xA0) ||          // C0, DEL, C1
                             (c == 0xE2 && c1 == 0x80 && n == 3 &&                          // line and paragraph
                              (static_cast<unsigned char>(s[i + 2]) & 0xFEu) == 0xA8u);     // separators
        if (!control) out.append(s, i, n);
        i += n;
    }
    return out;
}
