#pragma once
// The MIDI module: the one output device (and the input, opened only so the
// driver can route it to the output), and every message the program sends to
// the instrument. The link runs one way: nothing is ever read from MIDI.
//
// Every sender builds its message in MidiHdr.lpData and leaves it there, so
// the caller can pass it to MidiMonLog. Nothing is sent, and MidiHdr is left
// alone, while MidiOn is 0.
#include <cstdint>
#include <string>

#include "midi/state.h"

// ---- Devices ----------------------------------------------------------------

// Start-up: opens the first output and the first input device. With no
// output device MIDI stays off, without a message. A failed call is reported
// and leaves MIDI off until the program ends. When `share` is set a sibling
// program holds the devices; this program opens its own connection to the
// same (first) devices. Returns the output handle, 0 when MIDI is off.
MidiHandle MidiOpenDevices(bool share = false);
void MidiOutCloseDev();
void MidiInCloseDev();
void MidiThruConnect();
void MidiThruDisconnect();
void MidiInStartDev();
void MidiInStopDev();
// Sends MidiHdr.lpData as one long message; a failure is reported.
void MidiOutLongSend();

// ---- Frame and packing ------------------------------------------------------

// F0 42 (30h Or GlobalChannel) 4D.
std::string SysExHdr();
// Packs 7-in-8: per group of up to 7 bytes a lead byte whose bit k is bit 7
// of byte k, then the group's bytes And 7Fh. n bytes give n + ceil(n / 7).
std::string Pack7(const std::string& data);
// The reverse; a trailing lead byte with no data gives nothing.
std::string Unpack7(const std::string& packed);
// MidiHdr.lpData := Pack7(data); data itself is left as it is.
void SysExPack7(const std::string& data);

// ---- Mode changes -----------------------------------------------------------
// Each clears the monitor, sends SysExHdr 4E mm F7, logs it, sets ModeNow and
// refreshes the main window's mode display. A failure is not reported.
void ModeTx0A();   // ARR PLAY     ModeNow 0
void ModeTx06();   // SONG PLAY    ModeNow 1
void ModeTx04();   // GLOBAL       ModeNow 2 (mode and display set before sending)
void ModeTx0B();   // BACK.SEQ.    ModeNow 3
void ModeTx02();   // PROGRAM      ModeNow 4 (nothing at all when already 4)

// ---- Selections (three short messages; MidiHdr keeps the last one) ----------

// Bank select 0 / 0 (kinds 2, 3) or 1 (kinds 19, 20) and program change n on
// ArrChannel; kind 3 (bank B) first adds 64 to n and writes it back.
void ArrSelectSend(int& n, int kind);
// The program-change numbers of the 16 drum kits.
int DrumKitPcTable(int n);
// Selects entry n of a program bank, kit or program file window (kind in
// image position 1) on the window's channel, or on the channel of the track
// selected in the arrangement editor while EditArrSelPrg is set.
void PrgSelectSend(const std::string& image, int n);
// The channel PrgSelectSend uses for an image (exposed for the windows).
int PrgSelectChannel(const std::string& image);

// ---- Dumps ------------------------------------------------------------------

// The dumps return 0 when the dump reached the MIDI layer, anything else when
// nothing went out (MIDI off, or the send failed and was reported), so that
// a caller records only what was sent.
// The 64 arrangements (image 303-10798) as one dump, function 64h: 12002 bytes.
int ArrTxBank(const std::string& image);
// Style group g (0-3) of a style or arrangement window image, function 65h.
// Returns 1 and sends nothing when a style of the group has size 0 (or the
// image does not hold the sizes it claims); 2 when MIDI is off or the send
// failed; otherwise shows the status text, sends the dump and returns 0.
int StyTxDump(int g, const std::string& image);
// The program bank of a program window image, function 4Ch: 14992 bytes.
int PrgTxBank(const std::string& image);
// The Global dump of a Global window image (positions 303-717), function 51h:
// 481 bytes. The caller logs it. 0 when it reached the MIDI layer, 1 when
// MIDI is off or the send failed (reported). A dump still waiting whole in
// the queue gives way to a newer one.
int GblTxDump(const std::string& image);
// A backing-sequence dump, function 66h, of the file's bytes from byte 17 on.
void BsqTxDump(const std::string& data);

// Message builders (pure; the senders above send exactly these).
std::string ArrBankMsg(const std::string& image);
std::string PrgBankMsg(const std::string& image);
std::string GblDumpMsg(const std::string& image);
std::string BsqDumpMsg(const std::string& data);
// The group's data (its four styles), empty when the group cannot be sent.
std::string StyGroupData(int g, const std::string& image);

// ---- Parameter changes --------------------------------------------------------

// A parameter change still waiting whole in the output queue gives way to a
// newer value of the same parameter sent right after it (a program
// parameter also after a repeat of the oscillator select it followed), so
// a dragged slider reaches the instrument at once.
// SysExHdr 60 gg ii lo hi F7, then a long message of 20 zero bytes; MidiHdr
// holds the parameter message afterwards.
void PrgParamTx(int group, int index, int16_t value);
// SysExHdr 41 pp lo hi F7 (hi 7Fh when neg is 1); not logged.
void ArrParamTx(int sel, int par, int value, int neg);

// ---- Channel messages ---------------------------------------------------------

void NoteOnSend(int channel, int note, int velocity);
void NoteOffSend(int channel, int note);
void ControlSend(int channel, int controller, int value);
// value -8192..8191, 0 the centre.
void PitchBendSend(int channel, int value);
// Control change 7Bh value 0.
void AllNotesOffSend(int channel);

// ---- Monitor ------------------------------------------------------------------

// Only while MidiMonLogOn and the MIDI-messages window is open: "" clears the
// window; any other text is appended as hex bytes, each followed by a blank,
// then two line breaks.
void MidiMonLog(const std::string& text);
// Logs the message the last sender built.
void MidiMonLogSent();
std::string MidiMonFormat(const std::string& bytes);
