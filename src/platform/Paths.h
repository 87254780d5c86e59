#pragma once
// The program's folders: the system folder (settings and shared state files)
// and the start folder (bank files, templates, guide texts).
#include <string>

// $XDG_CONFIG_HOME/Velmora, default ~/.config/Velmora; created when missing.
std::string SystemDir();
void SetSystemDir(const std::string& dir);   // tests, and nothing else
// The user's runtime folder ($XDG_RUNTIME_DIR), /tmp when there is none.
std::string RuntimeDir();
// The current directory at start-up.
std::string StartDir();
void SetStartDir(const std::string& dir);
// Path fields of the window images and settings records hold 238 characters.
constexpr int PathFieldLen = 238;
bool PathFits(const std::string& path);
// dir + "/" + name (no doubled separator).
std::string PathJoin(const std::string& dir, const std::string& name);
constexpr char PathSep = '/';
