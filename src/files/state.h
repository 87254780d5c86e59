#pragma once
// Program-wide state of the file code: the buffers the readers fill and the
// windows copy at load, the import flags and the internal clipboard. One
// group with its values at start, reset by assigning {}; the names the
// program uses refer to its members.
#include <string>

struct FilesState {
    // ---- File buffers -----------------------------------------------------
    std::string ArrFileBuf;   // 10528: the arrangement file read last
    std::string PrgFileBuf;   // 30480: the program file read last
    std::string StyFileBuf;   // the style file read last (whole file)
    std::string StyGrpBuf;    // 4928: the style template, four "- empty -" styles
    std::string GblFileData;  // 448: the Global file read or saved last
    std::string BsqFileBuf;   // <= 90000: the backing-sequence file read last
    std::string DBArrImage;   // 27221: the arrangement database

    // Files of the older models being imported.
    std::string ArrI30Buf;    // 21024
    std::string PrgI30Buf;    // 30480
    std::string ArrI5Buf;     // 9056
    std::string PcgI5Buf;     // 14255

    // True while the matching import command runs.
    bool ImpArrI30 = false, ImpArrI5 = false, ImpPrgI30 = false, ImpPcgI5 = false, ImpStyI30 = false;

    // ---- Internal clipboard -----------------------------------------------
    std::string ClipBuf;      // copy of the source window's image; empty at start
    int ClipKind = 0;         // window kind of ClipBuf
    int ActiveKind = 0;       // window kind of the window Cut or Paste works on
    // 1 while the arrangement Cut has the companion style window shown so
    // that styles no longer used can be dropped; the style window's load
    // resets it.
    int StyShowByCut = 0;
};
inline FilesState FileVars;

inline auto& ArrFileBuf = FileVars.ArrFileBuf;
inline auto& PrgFileBuf = FileVars.PrgFileBuf;
inline auto& StyFileBuf = FileVars.StyFileBuf;
inline auto& StyGrpBuf = FileVars.StyGrpBuf;
inline auto& GblFileData = FileVars.GblFileData;
inline auto& BsqFileBuf = FileVars.BsqFileBuf;
inline auto& DBArrImage = FileVars.DBArrImage;
inline auto& ArrI30Buf = FileVars.ArrI30Buf;
inline auto& PrgI30Buf = FileVars.PrgI30Buf;
inline auto& ArrI5Buf = FileVars.ArrI5Buf;
inline auto& PcgI5Buf = FileVars.PcgI5Buf;
inline auto& ImpArrI30 = FileVars.ImpArrI30;
inline auto& ImpArrI5 = FileVars.ImpArrI5;
inline auto& ImpPrgI30 = FileVars.ImpPrgI30;
inline auto& ImpPcgI5 = FileVars.ImpPcgI5;
inline auto& ImpStyI30 = FileVars.ImpStyI30;
inline auto& ClipBuf = FileVars.ClipBuf;
inline auto& ClipKind = FileVars.ClipKind;
inline auto& ActiveKind = FileVars.ActiveKind;
inline auto& StyShowByCut = FileVars.StyShowByCut;

// Back to the state of a fresh start (tests).
void resetFilesState();
