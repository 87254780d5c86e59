#pragma once
// The program's folders, the parts of a path, file identity on disk, and the
// cuts of names and paths for display. Paths are bytes (UTF-8 on this
// system); extensions are compared without regard to ASCII case, as the
// instrument's own disks name them either way.
#include <cstddef>
#include <string>
#include <vector>

// $XDG_CONFIG_HOME/Velmora, default ~/.config/Velmora; created when missing.
std::string SystemDir();
void SetSystemDir(const std::string& dir);   // tests, and nothing else
// The user's runtime folder ($XDG_RUNTIME_DIR), /tmp when there is none.
std::string RuntimeDir();
// The folder of the program's own files (banks, templates, guides), found
// from where the program is, whatever the working directory: the folder
// `start` beside the executable (as the build lays it out), else the
// executable's own folder.
std::string StartDir();
// Tests point it elsewhere; "" finds it again.
void SetStartDir(const std::string& dir);
// The start folder of a program whose executable lies in `exeDir`.
std::string StartDirOf(const std::string& exeDir);
// Path fields of the window images and settings records hold 238 characters.
constexpr int PathFieldLen = 238;
bool PathFits(const std::string& path);
// dir + "/" + name (no doubled separator).
std::string PathJoin(const std::string& dir, const std::string& name);
constexpr char PathSep = '/';

// ---- Parts of a path (trailing blanks of the path ignored) ----------------

// The folder: everything before the last "/", trailing blanks removed; ""
// when the path holds no "/".
std::string PathDir(const std::string& path);
// The file part after the last "/", extension kept.
std::string PathName(const std::string& path);
// The file part without its extension, and the extension without the dot
// ("" when there is none; a leading dot starts no extension).
std::string PathStem(const std::string& path);
std::string PathExt(const std::string& path);
// The path without its extension, its folders exactly as given (only the
// trailing blanks of the whole path go): "Dir /X.arr" gives "Dir /X".
std::string PathNoExt(const std::string& path);

// ---- ASCII case -------------------------------------------------------------

std::string AsciiLower(std::string s);
bool SameNoCase(const std::string& a, const std::string& b);
// Whether the extension of `path` is `ext`, whatever the case of either.
bool ExtIs(const std::string& path, const std::string& ext);

// ---- Files on disk ----------------------------------------------------------

// The file `stemPath`.`ext` as it lies on disk: that exact name when it
// exists, else an existing file whose extension differs only in case
// ("SONG.ARR" for "SONG" and "arr"), else the exact name (a file to create).
std::string FileWithExt(const std::string& stemPath, const std::string& ext);
// The file `name` of folder `dir` as it lies on disk: `name` itself when that
// file exists, else the one file whose name differs from it only in ASCII
// case; "" when there is none, or more than one.
std::string FileNameNoCase(const std::string& dir, const std::string& name);
// The names of the regular files of a folder (bytes, in no particular
// order); false when the folder cannot be listed (missing, not a folder).
bool ListFiles(const std::string& dir, std::vector<std::string>& names);
// Whether two paths name the same file: their folders are compared as
// canonical paths (links and "." or ".." resolved), their file parts as
// they are. Folders that do not exist are compared as written, normalised.
bool SamePath(const std::string& a, const std::string& b);

// ---- Cuts for display --------------------------------------------------------

// At most `maxBytes` bytes of the start (Utf8Head) or of the end (Utf8Tail)
// of a text, never ending or starting inside a UTF-8 character.
std::string Utf8Head(const std::string& s, std::size_t maxBytes);
std::string Utf8Tail(const std::string& s, std::size_t maxBytes);
// A text as one line of printable characters: control characters (line
// breaks included) and bytes that are not valid UTF-8 are left out.
std::string PrintableLine(const std::string& s);
