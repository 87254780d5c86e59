#pragma once
// Program-wide state of start-up, settings and shared services. Every other
// subsystem reads and writes these; nothing else in the program is global.
#include <array>
#include <cstdint>
#include <string>

// ---- Window bookkeeping ---------------------------------------------------

// One entry per window kind: position and size in twips, the open mark
// (0 closed, 1 open, 2 open minimised; entry 1, the main window: 0 normal,
// 1 minimised, 2 maximised) and the MIDI channel of bank and kit windows.
struct WinState {
    int Top = 0, Left = 0, Height = 0, Width = 0;
    uint8_t State = 0;
    uint8_t Chan = 0;
};

// A document window slot (arrangement, style, program, Global, backing
// sequence, new arrangement). Path is folder, "/" and name without extension.
struct SlotRec {
    std::string Path;        // at most 238 characters, no padding in memory
    uint8_t Chan = 0;        // program slots: the file's MIDI channel byte
    uint8_t State = 0;       // 0 closed, 1 open, 2 open minimised
    int Top = 0, Left = 0, Height = 0, Width = 0;
    uint8_t RdOnly = 0;      // the flag byte
    uint8_t Type = 0;        // program slots: 0 .prg, else .pgg
    int DBID = 0;            // arrangement slots: number in the database, 0 none
    int Extra = 0;           // style slots: 1 = companion style file of an arrangement window
};

// A recent-files entry. Kind: 1 arr, 2 sty, 3 prg, 4 pgg, 5 gbl, 6 bsq; 0 or 32 empty.
struct MruRec {
    std::string Path;        // without extension
    int Height = 0, Width = 0, Top = 0, Left = 0;
    uint8_t Kind = 0;
    uint8_t RdOnly = 0;
};

constexpr int WinKinds = 40;
// Entry k (window kind k) is element k - 1, as everywhere in the program:
// use WinEntry(k).
inline std::array<WinState, WinKinds> WinStateTable{};
inline WinState WinStateWork{};
inline WinState& WinEntry(int kind) { return WinStateTable[static_cast<std::size_t>(kind - 1)]; }

// Slot tables, indexed by slot number (element 0 unused except GblSlots(0),
// the instrument's own Global window). Slot 9 of the arrangement, style and
// program tables is the window of the instrument's user bank.
inline std::array<SlotRec, 10> ArrSlots{};
inline std::array<SlotRec, 10> StySlots{};
inline std::array<SlotRec, 17> PrgSlots{};
inline std::array<SlotRec, 9> BsqSlots{};
inline std::array<SlotRec, 9> GblSlots{};
inline std::array<SlotRec, 9> ArrNewSlots{};
inline SlotRec ArrSlotWork{}, StySlotWork{}, PrgSlotWork{}, BsqSlotWork{}, GblSlotWork{}, ArrNewSlotWork{};

inline std::array<int, 9> ArrSlotUsed{};   // 1-8
inline std::array<int, 9> StySlotUsed{};
inline std::array<int, 9> PrgSlotUsed{};
inline std::array<uint8_t, 9> ArrNewSlotUsed{};
inline std::array<uint8_t, 9> StyNewUsed{};  // 1 open, 2 open minimised
inline std::array<uint8_t, 9> PrgNewUsed{};

// Request values read by the load handler of the window opened next.
inline int ArrSlotCur = 0, StySlotCur = 0, PrgSlotCur = 0, ArrNewSlotCur = 0, BsqSlotCur = 0, GblSlotCur = 0;
inline int StyLoopIdx = 0;
inline int ArrABKind = 2;     // 2 or 3
inline int StyABKind = 17;    // 17 or 18
inline int PrgWinKind = 21;   // 21 file, 22 new file, 4-10 bank windows

// Open-window counters.
inline int ArrWinCount = 0, StyWinCount = 0, PrgWinCount = 0, BsqWinCount = 0, GblWinCount = 0, ChildWinCount = 0;

// Standard window sizes (twips): the size a new window opens with and the
// largest it may be given. Set once at start-up from TwipsY.
struct FormSizeTable {
    int ArrABHeight = 0, ArrABWidth = 0, ArrNewHeight = 0, ArrNewWidth = 0, StyABHeight = 0, StyABWidth = 0;
    int PcgAEHeight = 0, PcgAEWidth = 0, PrgUNHeight = 0, PrgUNWidth = 0, ArrUHeight = 0, ArrUWidth = 0;
    int StyUNHeight = 0, StyUNWidth = 0, DrumHeight = 0, DrumWidth = 0, BsqHeight = 0, BsqWidth = 0;
    int EditPrgHeight = 0, EditPrgWidth = 0, PrgSelAutoHeight = 0, PrgSelAutoWidth = 0;
    int MultisampleHeight = 0, MultisampleWidth = 0, EditPerfHeight = 0, EditPerfWidth = 0;
    int EditBSQHeight = 0, EditBSQWidth = 0;
};
inline FormSizeTable FormSizes{};
inline int TwipsY = 15;

// ---- Start-up and shut-down -----------------------------------------------

inline bool Starting = false;     // true while Main shows the main window
inline bool StartAbort = false;   // the start-up sequence stops
inline bool OwnsOut = false;      // this program opened the MIDI devices itself
inline bool AppClosing = false;
inline bool SaveCancelled = false;

// Record 1 of the device-state file shared with sibling programs.
inline std::string DevState;      // 145 bytes
inline uint32_t SavedOut = 0;
inline uint8_t Users = 0;
inline uint8_t MyRun = 0;

// ---- Settings (the settings file) -----------------------------------------

inline bool StatusBarOpt = true, CaricaArrOpt = false, CaricaStyOpt = false, CaricaStyNuovoArrOpt = false;
inline bool CaricaPrgOpt = false, RdOnlyOpt = false, ApriPrgOpt = false, AutoDBArrOpt = false;
inline bool MidiThruOn = false;
inline uint8_t GblInstrSet = 0;
inline std::string GblInstr;      // 448 bytes, the Global block last sent
inline int ModeNow = 0;           // 0 ARR PLAY, 1 SONG PLAY, 2 GLOBAL, 3 BACK.SEQ., 4 PROGRAM
inline std::string KbdSettings;   // 16 bytes, the on-screen keyboard's choices (layout in midi/)
inline std::string DirLast, DirLastPrg, GblDirLast;
inline std::string IniSignature;  // as read, written back

inline uint8_t LangSel = 0;       // 0 no choice yet, 1 Italian, 2 English
inline int LangBase = 0;          // (LangSel - 1) * 200

inline int GlobalChannel = 0, ArrChannel = 15, LowChannel = 2, Up2Channel = 1, Up1Channel = 0, DrmChannel = 9,
           PerChannel = 8, BasChannel = 10, Ac1Channel = 11, Ac2Channel = 12, Ac3Channel = 13;

inline std::array<MruRec, 9> MruTable{};   // 1-8
inline MruRec MruWork{};

// ---- Files and paths ------------------------------------------------------

inline std::string ArrAFile, ArrBFile, StyGrpFile, PrgBankFile;       // start folder + bank file names
inline std::string GuidaFileIt, GuidaFileEn, BloccoNoteFile, PrgSelAutoFile, MultisampleFile;
inline std::string IniFile, DevStateFile, InfoFile, DBArrFile;         // system folder files
inline std::string ArrUFile, StyUFile, PrgUFile;   // user banks last sent (no extension)

inline std::string ArrDir, ArrName, StyDir, StyName, PrgDir, PrgName, GblDir, GblName, BsqDir, BsqName;
inline int ArrDBID = 0;
inline std::string FilePathCur;
inline std::string ExtCur;
inline int RdOnlyOpen = 0;
inline std::string MsgTitle;
inline std::string TagBuf;

inline bool CaricaPrgPending = false;
inline bool FindIDPending = false;
inline int FindIDPos = 0;

inline std::string InfoArrTitle, InfoStyTitle, InfoPrgTitle;
inline std::string BsqMagic;      // "KORG", 77, 0, 5

inline bool Busy = false;

// ---- Name tables (filled at start-up) -------------------------------------

inline std::array<std::string, 5> PrgRomNames{};   // 64 x 16 characters each
inline std::string DrumKitNames;                   // 16 x 16
inline std::array<std::string, 128> StyRomNames{}; // 16 characters each
inline std::array<std::string, 519> MultisampleNames{};  // "NNN" + name, 15 characters
inline std::array<int, 52> GblOrder{};

// Back to the state of a fresh start (tests).
void resetAppState();
