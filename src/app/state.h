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

// Each group below holds its own defaults and is reset by assigning {} to it;
// the names the rest of the program uses refer to the members.

struct WindowBookkeeping {
    // Entry k (window kind k) is element k - 1, as everywhere in the program:
    // use WinEntry(k).
    std::array<WinState, WinKinds> WinStateTable{};
    WinState WinStateWork{};

    // Slot tables, indexed by slot number (element 0 unused except
    // GblSlots(0), the instrument's own Global window). Slot 9 of the
    // arrangement, style and program tables is the window of the
    // instrument's user bank.
    std::array<SlotRec, 10> ArrSlots{};
    std::array<SlotRec, 10> StySlots{};
    std::array<SlotRec, 17> PrgSlots{};
    std::array<SlotRec, 9> BsqSlots{};
    std::array<SlotRec, 9> GblSlots{};
    std::array<SlotRec, 9> ArrNewSlots{};
    SlotRec ArrSlotWork{}, StySlotWork{}, PrgSlotWork{}, BsqSlotWork{}, GblSlotWork{}, ArrNewSlotWork{};

    std::array<int, 9> ArrSlotUsed{};   // 1-8
    std::array<int, 9> StySlotUsed{};
    std::array<int, 9> PrgSlotUsed{};
    std::array<uint8_t, 9> ArrNewSlotUsed{};
    std::array<uint8_t, 9> StyNewUsed{};  // 1 open, 2 open minimised
    std::array<uint8_t, 9> PrgNewUsed{};

    // Request values read by the load handler of the window opened next.
    int ArrSlotCur = 0, StySlotCur = 0, PrgSlotCur = 0, ArrNewSlotCur = 0, BsqSlotCur = 0, GblSlotCur = 0;
    int StyLoopIdx = 0;
    int ArrABKind = 2;     // 2 or 3
    int StyABKind = 17;    // 17 or 18
    int PrgWinKind = 21;   // 21 file, 22 new file, 4-10 bank windows

    // Open-window counters.
    int ArrWinCount = 0, StyWinCount = 0, PrgWinCount = 0, BsqWinCount = 0, GblWinCount = 0, ChildWinCount = 0;

    FormSizeTable FormSizes{};
    int TwipsY = 15;
};
inline WindowBookkeeping AppWindows;

inline auto& WinStateTable = AppWindows.WinStateTable;
inline auto& WinStateWork = AppWindows.WinStateWork;
inline WinState& WinEntry(int kind) { return WinStateTable[static_cast<std::size_t>(kind - 1)]; }
inline auto& ArrSlots = AppWindows.ArrSlots;
inline auto& StySlots = AppWindows.StySlots;
inline auto& PrgSlots = AppWindows.PrgSlots;
inline auto& BsqSlots = AppWindows.BsqSlots;
inline auto& GblSlots = AppWindows.GblSlots;
inline auto& ArrNewSlots = AppWindows.ArrNewSlots;
inline auto& ArrSlotWork = AppWindows.ArrSlotWork;
inline auto& StySlotWork = AppWindows.StySlotWork;
inline auto& PrgSlotWork = AppWindows.PrgSlotWork;
inline auto& BsqSlotWork = AppWindows.BsqSlotWork;
inline auto& GblSlotWork = AppWindows.GblSlotWork;
inline auto& ArrNewSlotWork = AppWindows.ArrNewSlotWork;
inline auto& ArrSlotUsed = AppWindows.ArrSlotUsed;
inline auto& StySlotUsed = AppWindows.StySlotUsed;
inline auto& PrgSlotUsed = AppWindows.PrgSlotUsed;
inline auto& ArrNewSlotUsed = AppWindows.ArrNewSlotUsed;
inline auto& StyNewUsed = AppWindows.StyNewUsed;
inline auto& PrgNewUsed = AppWindows.PrgNewUsed;
inline auto& ArrSlotCur = AppWindows.ArrSlotCur;
inline auto& StySlotCur = AppWindows.StySlotCur;
inline auto& PrgSlotCur = AppWindows.PrgSlotCur;
inline auto& ArrNewSlotCur = AppWindows.ArrNewSlotCur;
inline auto& BsqSlotCur = AppWindows.BsqSlotCur;
inline auto& GblSlotCur = AppWindows.GblSlotCur;
inline auto& StyLoopIdx = AppWindows.StyLoopIdx;
inline auto& ArrABKind = AppWindows.ArrABKind;
inline auto& StyABKind = AppWindows.StyABKind;
inline auto& PrgWinKind = AppWindows.PrgWinKind;
inline auto& ArrWinCount = AppWindows.ArrWinCount;
inline auto& StyWinCount = AppWindows.StyWinCount;
inline auto& PrgWinCount = AppWindows.PrgWinCount;
inline auto& BsqWinCount = AppWindows.BsqWinCount;
inline auto& GblWinCount = AppWindows.GblWinCount;
inline auto& ChildWinCount = AppWindows.ChildWinCount;
inline auto& FormSizes = AppWindows.FormSizes;
inline auto& TwipsY = AppWindows.TwipsY;

// ---- Start-up and shut-down -----------------------------------------------

struct RunState {
    bool Starting = false;     // true while Main shows the main window
    bool StartAbort = false;   // the start-up sequence stops
    bool OwnsOut = false;      // this program opened the MIDI devices itself
    bool AppClosing = false;
    bool SaveCancelled = false;

    // Record 1 of the device-state file shared with sibling programs.
    std::string DevState;      // 145 bytes
    uint32_t SavedOut = 0;
    uint8_t Users = 0;
    uint8_t MyRun = 0;
    // This run's registration is in the device-state file. When the file
    // could not be read or written it is not, and the exit must not act on
    // what the file says.
    bool DevStateKept = false;
    // A failure of the device-state file has been shown; it is not shown again.
    bool DevStateReported = false;
    // The system folder cannot keep the settings; the user has been told once,
    // and failures to write the program's own files there are not shown again.
    bool SettingsUnkept = false;
};
inline RunState AppRun;

inline auto& Starting = AppRun.Starting;
inline auto& StartAbort = AppRun.StartAbort;
inline auto& OwnsOut = AppRun.OwnsOut;
inline auto& AppClosing = AppRun.AppClosing;
inline auto& SaveCancelled = AppRun.SaveCancelled;
inline auto& DevState = AppRun.DevState;
inline auto& SavedOut = AppRun.SavedOut;
inline auto& Users = AppRun.Users;
inline auto& MyRun = AppRun.MyRun;

// ---- Settings (the settings file) -----------------------------------------

// What the settings file keeps, with the values of a first run (the
// channels, the window table, the folders and the keyboard settings are set
// apart by IniDefaults).
struct SettingsState {
    std::string IniSignature;  // as read, written back
    bool StatusBarOpt = true, CaricaArrOpt = false, CaricaStyOpt = false, CaricaStyNuovoArrOpt = false;
    bool CaricaPrgOpt = false, RdOnlyOpt = false, ApriPrgOpt = false, AutoDBArrOpt = false;
    bool MidiThruOn = false;
    uint8_t GblInstrSet = 0;
    std::string GblInstr = std::string(448, '\0');     // the Global block last sent
    int ModeNow = 0;           // 0 ARR PLAY, 1 SONG PLAY, 2 GLOBAL, 3 BACK.SEQ., 4 PROGRAM
    std::string KbdSettings = std::string(16, '\0');   // the on-screen keyboard's choices (layout in midi/)
    std::string DirLast, DirLastPrg;
    std::array<MruRec, 9> MruTable{};   // 1-8
    MruRec MruWork{};
};
inline SettingsState AppSettings;

inline auto& IniSignature = AppSettings.IniSignature;
inline auto& StatusBarOpt = AppSettings.StatusBarOpt;
inline auto& CaricaArrOpt = AppSettings.CaricaArrOpt;
inline auto& CaricaStyOpt = AppSettings.CaricaStyOpt;
inline auto& CaricaStyNuovoArrOpt = AppSettings.CaricaStyNuovoArrOpt;
inline auto& CaricaPrgOpt = AppSettings.CaricaPrgOpt;
inline auto& RdOnlyOpt = AppSettings.RdOnlyOpt;
inline auto& ApriPrgOpt = AppSettings.ApriPrgOpt;
inline auto& AutoDBArrOpt = AppSettings.AutoDBArrOpt;
inline auto& MidiThruOn = AppSettings.MidiThruOn;
inline auto& GblInstrSet = AppSettings.GblInstrSet;
inline auto& GblInstr = AppSettings.GblInstr;
inline auto& ModeNow = AppSettings.ModeNow;
inline auto& KbdSettings = AppSettings.KbdSettings;
inline auto& DirLast = AppSettings.DirLast;
inline auto& DirLastPrg = AppSettings.DirLastPrg;
inline auto& MruTable = AppSettings.MruTable;
inline auto& MruWork = AppSettings.MruWork;

// The MIDI channels (0-15) of the instrument's parts.
struct ChannelState {
    int GlobalChannel = 0, ArrChannel = 15, LowChannel = 2, Up2Channel = 1, Up1Channel = 0, DrmChannel = 9,
        PerChannel = 8, BasChannel = 10, Ac1Channel = 11, Ac2Channel = 12, Ac3Channel = 13;
};
inline ChannelState AppChannels;

inline auto& GlobalChannel = AppChannels.GlobalChannel;
inline auto& ArrChannel = AppChannels.ArrChannel;
inline auto& LowChannel = AppChannels.LowChannel;
inline auto& Up2Channel = AppChannels.Up2Channel;
inline auto& Up1Channel = AppChannels.Up1Channel;
inline auto& DrmChannel = AppChannels.DrmChannel;
inline auto& PerChannel = AppChannels.PerChannel;
inline auto& BasChannel = AppChannels.BasChannel;
inline auto& Ac1Channel = AppChannels.Ac1Channel;
inline auto& Ac2Channel = AppChannels.Ac2Channel;
inline auto& Ac3Channel = AppChannels.Ac3Channel;

struct LanguageState {
    uint8_t LangSel = 0;       // 0 no choice yet, 1 Italian, 2 English
    int LangBase = 0;          // (LangSel - 1) * 200
    // True during start-up until the language is known: messages are then
    // shown in both languages.
    bool LangPending = false;
};
inline LanguageState AppLanguage;

inline auto& LangSel = AppLanguage.LangSel;
inline auto& LangBase = AppLanguage.LangBase;
inline auto& LangPending = AppLanguage.LangPending;

// ---- Files and paths ------------------------------------------------------

struct FileState {
    std::string ArrAFile, ArrBFile, StyGrpFile, PrgBankFile;       // start folder + bank file names
    std::string GuidaFileIt, GuidaFileEn, BloccoNoteFile, PrgSelAutoFile, MultisampleFile;
    std::string IniFile, DevStateFile, InfoFile, DBArrFile;         // system folder files
    std::string ArrUFile, StyUFile, PrgUFile;   // user banks last sent (no extension)

    std::string ArrDir, ArrName, StyDir, StyName, PrgDir, PrgName, GblDir, GblName, BsqDir, BsqName;
    std::string GblDirLast;
    int ArrDBID = 0;
    std::string FilePathCur;
    std::string ExtCur;
    int RdOnlyOpen = 0;
    std::string MsgTitle;
    std::string TagBuf;

    bool CaricaPrgPending = false;
    bool FindIDPending = false;
    int FindIDPos = 0;

    std::string InfoArrTitle, InfoStyTitle, InfoPrgTitle;
    std::string BsqMagic;      // "KORG", 77, 0, 5

    bool Busy = false;
};
inline FileState AppFiles;

inline auto& ArrAFile = AppFiles.ArrAFile;
inline auto& ArrBFile = AppFiles.ArrBFile;
inline auto& StyGrpFile = AppFiles.StyGrpFile;
inline auto& PrgBankFile = AppFiles.PrgBankFile;
inline auto& GuidaFileIt = AppFiles.GuidaFileIt;
inline auto& GuidaFileEn = AppFiles.GuidaFileEn;
inline auto& BloccoNoteFile = AppFiles.BloccoNoteFile;
inline auto& PrgSelAutoFile = AppFiles.PrgSelAutoFile;
inline auto& MultisampleFile = AppFiles.MultisampleFile;
inline auto& IniFile = AppFiles.IniFile;
inline auto& DevStateFile = AppFiles.DevStateFile;
inline auto& InfoFile = AppFiles.InfoFile;
inline auto& DBArrFile = AppFiles.DBArrFile;
inline auto& ArrUFile = AppFiles.ArrUFile;
inline auto& StyUFile = AppFiles.StyUFile;
inline auto& PrgUFile = AppFiles.PrgUFile;
inline auto& ArrDir = AppFiles.ArrDir;
inline auto& ArrName = AppFiles.ArrName;
inline auto& StyDir = AppFiles.StyDir;
inline auto& StyName = AppFiles.StyName;
inline auto& PrgDir = AppFiles.PrgDir;
inline auto& PrgName = AppFiles.PrgName;
inline auto& GblDir = AppFiles.GblDir;
inline auto& GblName = AppFiles.GblName;
inline auto& BsqDir = AppFiles.BsqDir;
inline auto& BsqName = AppFiles.BsqName;
inline auto& GblDirLast = AppFiles.GblDirLast;
inline auto& ArrDBID = AppFiles.ArrDBID;
inline auto& FilePathCur = AppFiles.FilePathCur;
inline auto& ExtCur = AppFiles.ExtCur;
inline auto& RdOnlyOpen = AppFiles.RdOnlyOpen;
inline auto& MsgTitle = AppFiles.MsgTitle;
inline auto& TagBuf = AppFiles.TagBuf;
inline auto& CaricaPrgPending = AppFiles.CaricaPrgPending;
inline auto& FindIDPending = AppFiles.FindIDPending;
inline auto& FindIDPos = AppFiles.FindIDPos;
inline auto& InfoArrTitle = AppFiles.InfoArrTitle;
inline auto& InfoStyTitle = AppFiles.InfoStyTitle;
inline auto& InfoPrgTitle = AppFiles.InfoPrgTitle;
inline auto& BsqMagic = AppFiles.BsqMagic;
inline auto& Busy = AppFiles.Busy;

// ---- Name tables (filled at start-up) -------------------------------------

struct NameTables {
    std::array<std::string, 5> PrgRomNames{};   // 64 x 16 characters each
    std::string DrumKitNames;                   // 16 x 16
    std::array<std::string, 128> StyRomNames{}; // 16 characters each
    std::array<std::string, 519> MultisampleNames{};  // "NNN" + name, 15 characters
};
inline NameTables AppNames;

inline auto& PrgRomNames = AppNames.PrgRomNames;
inline auto& DrumKitNames = AppNames.DrumKitNames;
inline auto& StyRomNames = AppNames.StyRomNames;
inline auto& MultisampleNames = AppNames.MultisampleNames;

// Back to the state of a fresh start (tests, and the start of StartUp).
void resetAppState();
