#pragma once
// Whole-file and fixed-length record access with the behaviour the program
// was built around: a missing file reads as empty, a file found empty is
// deleted by the reader, and a write never leaves a damaged file behind
// (it goes to a temporary file beside the target, renamed over it).
#include <string>

enum class FileError {
    None = 0,
    NotFound,       // no such file (only from whole-file reads)
    DiskNotReady,   // medium missing / not mounted
    ReadError,      // the data could not be read
    DiskFull,       // no space left
    PathNotFound,   // the folder does not exist
    DeviceIO,       // any other input/output failure
    AccessDenied,   // no permission / read-only medium
    PathTooLong,    // a name longer than the system allows
};

// A short text naming the failure (English), for logs and fallbacks.
const char* fileErrorText(FileError e);

bool FileExists(const std::string& path);
// Length in bytes, -1 when missing.
long long FileLen(const std::string& path);
FileError DeleteFile(const std::string& path);

// None when `path` may be written: an existing file that is writable, or a
// missing one whose folder is. For a folder: files can be made in it.
FileError WriteAccess(const std::string& path);

// Anything that is not a regular file (a folder, a pipe, a device) is
// refused with AccessDenied, without waiting on it.
FileError ReadWholeFile(const std::string& path, std::string& out);
// How a bounded read found the file.
enum class FileFit { Fits, TooLong, NotAFile };
// Reads a regular file of at most `maxLen` bytes. A longer file, and anything
// that is not a regular file, is not read at all: `fit` says which, `out`
// stays empty and the result is None. Missing files and disk errors as
// ReadWholeFile.
FileError ReadFileUpTo(const std::string& path, long long maxLen, std::string& out, FileFit& fit);
// The first `maxLen` bytes of a regular file, the rest left unread (as the
// first record of a file of fixed-length records); `fit` is TooLong when
// there was more.
FileError ReadFileHead(const std::string& path, long long maxLen, std::string& out, FileFit& fit);
// Writes through a symbolic link to its file; a file without write
// permission is refused with AccessDenied and left as it is.
FileError WriteWholeFile(const std::string& path, const std::string& data);

// Record `recno` (1-based) of length `reclen`. A missing file, or one that
// is found empty (which is then deleted), sets `empty` and returns None with
// `out` empty. A record lying partly past the end is padded with zero bytes.
FileError RecordRead(const std::string& path, int reclen, long recno, std::string& out, bool& empty);
// Writes record `recno` (the data cut or zero-padded to `reclen`), keeping the
// other records; the file grows with zero bytes when needed.
FileError RecordWrite(const std::string& path, int reclen, long recno, const std::string& rec);

// Test hook: make every following write fail with `e` (None switches it off).
void SimulateWriteFailure(FileError e);
// Test hook: make the following reads of `path` (of every file when it is
// empty) fail with `e` (None switches it off).
void SimulateReadFailure(FileError e, const std::string& path = "");
