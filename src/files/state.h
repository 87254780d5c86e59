#pragma once
// Program-wide state of the file code: the buffers the readers fill and the
// windows copy at load, the import flags and the internal clipboard.
#include <string>

// ---- File buffers ---------------------------------------------------------

inline std::string ArrFileBuf;   // 10528: the arrangement file read last
inline std::string PrgFileBuf;   // 30480: the program file read last
inline std::string StyFileBuf;   // the style file read last (whole file)
inline std::string StyGrpBuf;    // 4928: the style template, four "- empty -" styles
inline std::string GblFileData;  // 448: the Global file read or saved last
inline std::string BsqFileBuf;   // <= 90000: the backing-sequence file read last
inline std::string DBArrImage;   // 27221: the arrangement database

// Files of the older models being imported.
inline std::string ArrI30Buf;    // 21024
inline std::string PrgI30Buf;    // 30480
inline std::string ArrI5Buf;     // 9056
inline std::string PcgI5Buf;     // 14255

// True while the matching import command runs.
inline bool ImpArrI30 = false, ImpArrI5 = false, ImpPrgI30 = false, ImpPcgI5 = false, ImpStyI30 = false;

// ---- Internal clipboard ---------------------------------------------------

inline std::string ClipBuf;      // copy of the source window's image; empty at start
inline int ClipKind = 0;         // window kind of ClipBuf
inline int ActiveKind = 0;       // window kind of the window Cut or Paste works on
// 1 while the arrangement Cut has the companion style window shown so that
// styles no longer used can be dropped; the style window's load resets it.
inline int StyShowByCut = 0;

// Back to the state of a fresh start (tests).
void resetFilesState();
