#pragma once
// The device-state file (Morvekan in the system folder), shared with sibling
// programs of the same family: one 145-byte record. 1-8 "Morvekan", 9-12 the
// shared output handle (SavedOut, low byte first), 13 Users (programs using
// the shared devices), 14 MyRun (1 while this program runs); 15-145 are kept
// as read (blanks in a new file).
//
// Whether another copy of this program runs is decided by an operating-system
// lock (flock on Velmora.lock in the system folder, or, when that folder
// cannot be written, on a lock file of the same folder in the user's runtime
// folder), never by MyRun: the lock dies with its process, so a crash cannot
// keep the program from starting.
#include <cstdint>
#include <string>

constexpr int DevRecLen = 145;
inline constexpr const char* DevSignature = "Morvekan";

struct DevRecord {
    bool valid = false;       // the signature was found
    uint32_t savedOut = 0;
    uint8_t users = 0;
    uint8_t myRun = 0;
    std::string raw;          // the 145 bytes as read (blanks when new)
};
DevRecord DevStateParse(const std::string& img);
// The record to write: raw with signature and fields put in.
std::string DevStateImage(const DevRecord& r);

// ---- Start-up ---------------------------------------------------------------
// What start-up does with a record, given that this is the only running copy
// of the program: a MyRun left at 1 is the registration of a copy that
// crashed and is taken back first; then a valid record whose Users > 0 and
// SavedOut <> 0 names devices a sibling holds (share them); anything else
// means this program opens the devices itself.
struct DevStartPlan {
    bool share = false;
    uint32_t savedOut = 0;    // the sibling's output when sharing
    uint8_t users = 0;        // Users after the stale registration is removed
};
DevStartPlan DevStartDecide(const DevRecord& r);
// Reads the file, opens or shares the MIDI devices through MidiLink, records
// this program (OwnsOut, SavedOut, Users, MyRun) and writes the file back.
// A file that cannot be read or written is reported once; the program goes
// on without it.
void DevStateStart();

// ---- Shut-down --------------------------------------------------------------
enum class DevExitAction {
    Foreign,        // missing or foreign file: delete it, close the devices
    Refuse,         // this program owns the devices and others still use them
    OwnerRelease,   // clear the record, close the devices
    SharerRelease,  // count this program out, leave the devices to their owner
};
DevExitAction DevExitDecide(bool valid, bool ownsOut, uint8_t users, uint8_t myRun);
// The first question of an exit, asked before any window closes: false when
// this program owns the devices and other programs still use them (the
// refusal has been shown and AppClosing cleared). A file that cannot be read
// never refuses.
bool DevExitAllowed();
// The device-state part of closing the main window. False when the exit is
// refused (the message has been shown and AppClosing cleared): only when this
// run is registered in the file, owns the devices and the file names other
// users. A file this run could not keep its registration in never refuses.
bool DevStateExit();

// ---- One copy at a time -----------------------------------------------------
// Takes the instance lock; false when another copy of the program holds it.
bool InstanceLockAcquire();
void InstanceLockRelease();
bool InstanceLockHeld();
std::string InstanceLockPath();   // in the system folder
std::string RuntimeLockPath();    // where the system folder cannot be written
