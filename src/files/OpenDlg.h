#pragma once
#include <string>
// The open dialog and what the Open commands do after it.

// Shows the open dialog for a window kind and reads the chosen file with the
// reader of the type chosen in the dialog. Kind 22 shows no dialog: the
// program template is read and its 64 programs zeroed.
// 0 read (folder and name globals set); 1 cancelled, refused (the reason has
// been shown) or a file of another type than the command asked for; 2 a
// window of that kind already holds the file; 3 the file does not exist.
int FileOpenDlg(int kind);
// FileOpenDlg with the Open commands' reports: true when the file was read;
// a file already open or missing is said here (titled MsgTitle), a refused
// one has been said by its reader, a cancel says nothing.
bool FileOpenRead(int kind);
// Whether a file with this path (extension included) may be opened or
// saved: a folder or file name that ends in a blank cannot be kept in the
// blank-padded path field, nor can a path longer than it. False after the
// message, titled `title`.
bool PathUsable(const std::string& path, const std::string& title);
