#pragma once
// The arrangement database file "i40DBArr": one record of 27,221 bytes that
// numbers the user's arrangement files. Its one layout, and pure functions
// over the image.
//
//   1-8          "i40DBArr"
//   9-26         zero bytes (the rest of slot 1)
//   slot s       (s - 1) x 26 + 1: name (24 bytes, blank-padded; a first
//                byte 0 marks an empty slot), ID low byte, ID high byte.
//                Slot 2 is never used; entries fill slots 3, 4, ... in
//                order of their name key, without gaps.
//   ID table     the byte of ID n (3-999) at 25972 + n: 1 in use, 0 free
//   26972-27221  the working folder, blank-padded
#include <string>
#include <vector>

namespace dbarr {
constexpr int FirstSlot = 3, LastSlot = 999;
constexpr int FirstID = 3, LastID = 999;
constexpr int MaxEntries = LastSlot - FirstSlot + 1;   // 997
constexpr long SlotLen = 26, NameLen = 24;
constexpr long FolderPos = 26972, FolderLen = 250;
constexpr long SlotPos(int s) { return (s - 1) * SlotLen + 1; }
constexpr long IdUsedPos(int id) { return 25972 + id; }
}  // namespace dbarr

// ---- reading (tolerant: an entry whose ID is outside 3-999 is absent) -------

// The slot's name: its 24 bytes cut at the first zero byte and trailing blanks.
std::string DBArrSlotName(const std::string& img, int slot);
int DBArrSlotID(const std::string& img, int slot);
bool DBArrSlotEmpty(const std::string& img, int slot);
// The working folder (trailing blanks removed).
std::string DBArrFolderOf(const std::string& img);
// The number of entries: the slots from 3 up to the first empty one.
int DBArrCount(const std::string& img);

// The key names are ordered and compared by: the name cut at its first zero
// byte and trailing blanks, ASCII letters upper-cased, compared as bytes.
std::string DBArrNameKey(const std::string& name);
// Whether a file name (without ".arr") can be stored: 1-24 bytes, no zero
// byte, not ending in a blank.
bool DBArrNameFits(const std::string& name);

// The slot of the entry whose key is the name's (0: none).
int DBArrFindName(const std::string& img, const std::string& name);
// The slot of the entry with file ID `id`; an ID 0 ends the list (0: none).
int DBArrFindID(const std::string& img, int id);

// The editor's rows: "1\tArrA", "2\tArrB", then "<ID>\t<name>.arr" per entry.
std::vector<std::string> DBArrRows(const std::string& img);

// ---- checks -----------------------------------------------------------------

// A usable file: exactly 27,221 bytes beginning "i40DBArr".
bool DBArrUsable(const std::string& img);
// Usable, and laid out as every writer leaves it: zero bytes after the
// signature; slot 2 and every slot after the last entry in the empty form;
// the entries from slot 3 on without gaps, each a name that could be stored
// (DBArrNameFits, blank-padded) with an ID of 3-999 of its own, in strictly
// ascending order of their keys; the ID table 1 for exactly those IDs and 0
// for all others. Only such an image is ever changed or written; the readers
// take any usable one as far as it goes.
bool DBArrSound(const std::string& img);

// ---- changes (on a sound image) -------------------------------------------

// A new database for `folder` (at most 250 bytes): no entries.
std::string DBArrNew(const std::string& folder);
// Enters `name` (fitting, DBArrNameFits) in name order with the lowest free
// ID. The entry's ID, with `inserted` false when the key was there already;
// 0 when the database is full (nothing changed).
struct DBArrInsertResult {
    int id = 0;
    bool inserted = false;
};
DBArrInsertResult DBArrInsert(std::string& img, const std::string& name);
// The same for a name whose key the image does not hold: its new ID, 0 full.
int DBArrInsertNew(std::string& img, const std::string& name);
// Removes the entry of a slot (3-999), frees its ID and closes the gap.
void DBArrRemove(std::string& img, int slot);
