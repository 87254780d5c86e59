#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError simulatedWriteFailure = FileError::None;
FileError simulatedReadFailure = FileError::None;
std::string simulatedReadPath;   // "": every read fails

FileError fromErrno(int e, bool writing) {
    switch (e) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return FileError::DiskFull;
    case ENOENT:
    case ENOTDIR:
        return FileError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileError::AccessDenied;
    case ENXIO:
    case ENODEV:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return FileError::DiskNotReady;
    case ENAMETOOLONG:
        return FileError::PathTooLong;
    case EIO:
        return writing ? FileError::DeviceIO : FileError::ReadError;
    default:
        return writing ? FileError::DeviceIO : FileError::ReadError;
    }
}

std::string dirOf(const std::string& path) {
    auto p = path.rfind('/');
    if (p == std::string::npos) return ".";
    if (p == 0) return "/";
    return path.substr(0, p);
}

bool dirExists(const std::string& dir) {
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

const char* fileErrorText(FileError e) {
    switch (e) {
    case FileError::None: return "no error";
    case FileError::NotFound: return "file not found";
    case FileError::DiskNotReady: return "disk not ready";
    case FileError::ReadError: return "read error";
    case FileError::DiskFull: return "disk full";
    case FileError::PathNotFound: return "path not found";
    case FileError::DeviceIO: return "device I/O error";
    case FileError::AccessDenied: return "access denied";
    case FileError::PathTooLong: return "path too long";
    }
    return "unknown error";
}

void SimulateWriteFailure(FileError e) { simulatedWriteFailure = e; }

void SimulateReadFailure(FileError e, const std::string& path) {
    simulatedReadFailure = e;
    simulatedReadPath = path;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

long long FileLen(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

FileError DeleteFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return FileError::None;
    return fromErrno(errno, true);
}

FileError WriteAccess(const std::string& path) {
    struct stat st {};
    std::string target = path;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return fromErrno(errno, true);
        target = dirOf(path);
    }
    if (::access(target.c_str(), W_OK) != 0) return fromErrno(errno, true);
    return FileError::None;
}

namespace {

// Opens and reads a regular file without ever blocking on something else: a
// pipe with no writer or a device would hold the program forever. Reads the
// whole file when it holds at most `maxLen` bytes (any length when maxLen <
// 0); a longer one is read only with `head`, and then only its first maxLen.
FileError readBounded(const std::string& path, long long maxLen, bool head, std::string& out, FileFit& fit) {
    out.clear();
    fit = FileFit::Fits;
    if (simulatedReadFailure != FileError::None && (simulatedReadPath.empty() || simulatedReadPath == path))
        return simulatedReadFailure;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return dirExists(dirOf(path)) ? FileError::NotFound : FileError::PathNotFound;
        return fromErrno(errno, false);
    }
    if (!S_ISREG(st.st_mode)) {
        fit = FileFit::NotAFile;
        return FileError::None;
    }
    if (maxLen >= 0 && st.st_size > maxLen) {
        fit = FileFit::TooLong;
        if (!head) return FileError::None;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return dirExists(dirOf(path)) ? FileError::NotFound : FileError::PathNotFound;
        return fromErrno(errno, false);
    }
    // The name may have been given to something else since the check above.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fit = FileFit::NotAFile;
        return FileError::None;
    }
    const long long limit = maxLen < 0 ? -1 : head ? maxLen : maxLen + 1;
    if (st.st_size > 0) out.reserve(static_cast<std::size_t>(limit >= 0 ? std::min<long long>(st.st_size, limit) : st.st_size));
    char buf[65536];
    for (;;) {
        std::size_t want = sizeof buf;
        if (limit >= 0) {
            long long left = limit - static_cast<long long>(out.size());
            if (left <= 0) break;
            want = static_cast<std::size_t>(std::min<long long>(left, static_cast<long long>(sizeof buf)));
        }
        ssize_t n = ::read(fd, buf, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            out.clear();
            return fromErrno(e, false);
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    if (head && maxLen >= 0) {
        char extra;
        if (::read(fd, &extra, 1) == 1) fit = FileFit::TooLong;
    }
    ::close(fd);
    if (!head && maxLen >= 0 && static_cast<long long>(out.size()) > maxLen) {
        // It grew while being read.
        out.clear();
        fit = FileFit::TooLong;
    }
    return FileError::None;
}

}  // namespace

FileError ReadWholeFile(const std::string& path, std::string& out) {
    FileFit fit;
    FileError e = readBounded(path, -1, false, out, fit);
    return e == FileError::None && fit == FileFit::NotAFile ? FileError::AccessDenied : e;
}

FileError ReadFileUpTo(const std::string& path, long long maxLen, std::string& out, FileFit& fit) {
    return readBounded(path, maxLen < 0 ? 0 : maxLen, false, out, fit);
}

FileError ReadFileHead(const std::string& path, long long maxLen, std::string& out, FileFit& fit) {
    return readBounded(path, maxLen < 0 ? 0 : maxLen, true, out, fit);
}

FileError WriteWholeFile(const std::string& target, const std::string& data) {
    if (simulatedWriteFailure != FileError::None) return simulatedWriteFailure;
    // Through a link to the file it names, so the link stays a link.
    std::string path = target;
    struct stat lst {};
    if (::lstat(target.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
    }
    // A file the user may not write stays as it is, although its folder
    // would let us put a new one in its place.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) return FileError::AccessDenied;
    std::string dir = dirOf(path);
    if (!dirExists(dir)) return FileError::PathNotFound;
    // Write beside the target, then rename over it: the old file stays whole
    // until the new one is complete on disk.
    std::string tmpl = path + ".XXXXXX";
    std::string buf(tmpl);
    int fd = ::mkstemp(buf.data());
    if (fd < 0) return fromErrno(errno, true);
    std::string tmp = buf;
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            return fromErrno(e, true);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) {
        int e = errno;
        ::close(fd);
        ::unlink(tmp.c_str());
        return fromErrno(e, true);
    }
    // Keep the permissions of the file being replaced; a new file gets 0644.
    struct stat st {};
    ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        return fromErrno(e, true);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        return fromErrno(e, true);
    }
    return FileError::None;
}

FileError RecordRead(const std::string& path, int reclen, long recno, std::string& out, bool& empty) {
    out.clear();
    empty = false;
    std::string all;
    FileError e = ReadWholeFile(path, all);
    if (e == FileError::NotFound) {
        empty = true;
        return FileError::None;
    }
    if (e != FileError::None) return e;
    if (all.empty()) {
        // A file found empty is removed, as the program always did.
        DeleteFile(path);
        empty = true;
        return FileError::None;
    }
    if (reclen <= 0 || recno < 1) return FileError::ReadError;
    std::size_t start = static_cast<std::size_t>(recno - 1) * static_cast<std::size_t>(reclen);
    if (start < all.size()) out = all.substr(start, static_cast<std::size_t>(reclen));
    out.resize(static_cast<std::size_t>(reclen), '\0');
    return FileError::None;
}

FileError RecordWrite(const std::string& path, int reclen, long recno, const std::string& rec) {
    if (reclen <= 0 || recno < 1) return FileError::DeviceIO;
    std::string all;
    FileError e = ReadWholeFile(path, all);
    if (e != FileError::None && e != FileError::NotFound) return e;
    std::size_t start = static_cast<std::size_t>(recno - 1) * static_cast<std::size_t>(reclen);
    std::string r = rec.substr(0, static_cast<std::size_t>(reclen));
    r.resize(static_cast<std::size_t>(reclen), '\0');
    if (all.size() < start + r.size()) all.resize(start + r.size(), '\0');
    all.replace(start, r.size(), r);
    return WriteWholeFile(path, all);
}
