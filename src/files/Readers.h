#pragma once
// The file readers. Each reads one whole file, checks it, and on success
// leaves it in its buffer (files/state.h); a file found empty is deleted.
// Status values differ from reader to reader, as their callers expect.
#include <string>

#include "platform/Files.h"

// 0 read into ArrFileBuf; 2 bad length or header (error code 4 shown with the
// file's name); 3 missing or empty (the empty file deleted, no message).
// Sets MsgTitle to "Opening " and the file name.
int ArrFileRead(const std::string& path);
// 0 read into PrgFileBuf; 1 damaged (error code 32, "Data format error");
// 3 missing or empty (deleted, no message). Sets MsgTitle as ArrFileRead.
int PrgFileRead(const std::string& path);
// `path` with its extension: 0 a ".prg" ("KORG") or 4 a ".pgg" ("KPGG") read
// into PrgFileBuf, ExtCur set to the extension of the file read; the same name
// with the other extension is tried when the named file is missing or of the
// wrong length. 2 bad file (error code 32 shown); 3 empty (deleted) or missing.
int PrgOrPggRead(const std::string& path);
// 0 read into StyFileBuf; 1 damaged (error code 4 shown); 2 missing or empty
// (deleted, no message). The template "i40Sty" goes into StyGrpBuf and
// StyFileBuf, its four styles named "- empty -". While ImpStyI30 is set only
// the i30 style header is accepted.
int StyFileLoad(const std::string& path);
// 0 read into GblFileData; 2 bad (error code 4 shown); 3 missing or empty.
int GblFileRead(const std::string& path);
// 0 read into BsqFileBuf; 1 bad header or length (error code 4 shown);
// 2 missing or empty (deleted, no message).
int BsqFileRead(const std::string& path);
// Start of sequence idx (0-9; 10 gives the end of the track data) in
// BsqFileBuf: 2339 + 16 x (table value idx - table value 0), kept within the
// file.
long BsqOffsetCalc(int idx);
// The arrangement database file read whole, for everything that reads it: Ok
// (a regular file of exactly 27,221 bytes beginning "i40DBArr", in `img`);
// Missing (no file; an empty one is deleted); Foreign (another length or
// signature, or not a regular file: left as it is, `img` empty); Failed (a
// disk error, in `err`). Shows nothing.
enum class DBArrRead { Ok, Missing, Foreign, Failed };
DBArrRead DBArrReadFile(std::string& img, FileError& err);
// The arrangement database into DBArrImage: 0 valid; 1 missing or empty
// (deleted; error code 6 unless Starting) or a disk error; 2 foreign
// (error code 7 unless Starting; the file stays).
int DBArrLoad();

// Files of the older models, by length (and "KORG" for the i30 files):
// 0 read into their buffer, the other values as ArrFileRead (arrangements)
// and PrgFileRead (programs).
int ArrI30Check(const std::string& path);
int ArrI5Check(const std::string& path);
int PrgI30Check(const std::string& path);
int PcgI5Check(const std::string& path);

// Registers the program-file reader with the shared window procedures.
void InstallFileLinks();

