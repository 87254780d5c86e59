#pragma once
// Reopening the windows that were open when the last run ended, one stage a
// timer tick of the main window: the single windows (banks, tool windows),
// then the arrangement, style and program file windows, each stage with the
// instrument's user bank last.
class frmMain;

// Element `kind` of TimerAuto: its window, counted; the last of them starts
// the arrangement stage.
void RestoreAutoRun(frmMain& m, int kind);
// TimerArrU, TimerStyU, TimerPrgU.
void RestoreArrStage(frmMain& m);
void RestoreStyStage(frmMain& m);
void RestorePrgStage(frmMain& m);
