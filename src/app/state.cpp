#include "app/state.h"

void resetAppState() {
    WinStateTable = {};
    WinStateWork = {};
    ArrSlots = {}; StySlots = {}; PrgSlots = {}; BsqSlots = {}; GblSlots = {}; ArrNewSlots = {};
    ArrSlotWork = {}; StySlotWork = {}; PrgSlotWork = {}; BsqSlotWork = {}; GblSlotWork = {}; ArrNewSlotWork = {};
    ArrSlotUsed = {}; StySlotUsed = {}; PrgSlotUsed = {};
    ArrNewSlotUsed = {}; StyNewUsed = {}; PrgNewUsed = {};
    ArrSlotCur = StySlotCur = PrgSlotCur = ArrNewSlotCur = BsqSlotCur = GblSlotCur = 0;
    StyLoopIdx = 0;
    ArrABKind = 2; StyABKind = 17; PrgWinKind = 21;
    ArrWinCount = StyWinCount = PrgWinCount = BsqWinCount = GblWinCount = ChildWinCount = 0;
    FormSizes = {};
    TwipsY = 15;

    Starting = false; StartAbort = false; OwnsOut = false; AppClosing = false; SaveCancelled = false;
    DevState.clear(); SavedOut = 0; Users = 0; MyRun = 0;

    StatusBarOpt = true; CaricaArrOpt = false; CaricaStyOpt = false; CaricaStyNuovoArrOpt = false;
    CaricaPrgOpt = false; RdOnlyOpt = false; ApriPrgOpt = false; AutoDBArrOpt = false;
    MidiThruOn = false;
    GblInstrSet = 0;
    GblInstr.assign(448, '\0');
    ModeNow = 0;
    KbdSettings.assign(16, '\0');
    DirLast.clear(); DirLastPrg.clear(); GblDirLast.clear();
    IniSignature.clear();
    LangSel = 0; LangBase = 0;
    GlobalChannel = 0; ArrChannel = 15; LowChannel = 2; Up2Channel = 1; Up1Channel = 0; DrmChannel = 9;
    PerChannel = 8; BasChannel = 10; Ac1Channel = 11; Ac2Channel = 12; Ac3Channel = 13;
    MruTable = {}; MruWork = {};

    ArrAFile.clear(); ArrBFile.clear(); StyGrpFile.clear(); PrgBankFile.clear();
    GuidaFileIt.clear(); GuidaFileEn.clear(); BloccoNoteFile.clear(); PrgSelAutoFile.clear(); MultisampleFile.clear();
    IniFile.clear(); DevStateFile.clear(); InfoFile.clear(); DBArrFile.clear();
    ArrUFile.clear(); StyUFile.clear(); PrgUFile.clear();
    ArrDir.clear(); ArrName.clear(); StyDir.clear(); StyName.clear(); PrgDir.clear(); PrgName.clear();
    GblDir.clear(); GblName.clear(); BsqDir.clear(); BsqName.clear();
    ArrDBID = 0; FilePathCur.clear(); ExtCur.clear(); RdOnlyOpen = 0; MsgTitle.clear(); TagBuf.clear();
    CaricaPrgPending = false; FindIDPending = false; FindIDPos = 0;
    InfoArrTitle.clear(); InfoStyTitle.clear(); InfoPrgTitle.clear();
    BsqMagic.clear();
    Busy = false;

    PrgRomNames = {}; DrumKitNames.clear(); StyRomNames = {}; MultisampleNames = {}; GblOrder = {};
}
