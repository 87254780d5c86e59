#include "banks/DBArrFormat.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "files/FileFormats.h"
#include "platform/bytes.h"

using namespace dbarr;

namespace {

bool idInRange(int id) { return id >= FirstID && id <= LastID; }

std::string emptySlot() {
    std::string s(SlotLen, ' ');
    s[0] = '\0';
    s[SlotLen - 2] = s[SlotLen - 1] = '\0';
    return s;
}

// The slot's name field as stored: cut at its first zero byte and trailing
// blanks, never reaching outside the image.
std::string_view slotName(const std::string& img, int slot) {
    const std::size_t start = static_cast<std::size_t>(SlotPos(slot) - 1);
    if (start >= img.size()) return {};
    std::string_view v(img.data() + start, std::min<std::size_t>(NameLen, img.size() - start));
    v = v.substr(0, v.find('\0'));
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    return v;
}

unsigned char upper(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

// Whether the name field holds nothing but blanks from `i` to its end or
// its first zero byte.
bool blankFrom(const char* p, std::size_t i) {
    for (; i < static_cast<std::size_t>(NameLen) && p[i] != '\0'; ++i)
        if (p[i] != ' ') return false;
    return true;
}

// The slot's key against a key (cut and upper-cased): below 0, 0 or above
// 0, as bytes compare. Read in place, as every lookup runs it per entry.
int compareKey(const std::string& img, int slot, const std::string& key) {
    const std::size_t start = static_cast<std::size_t>(SlotPos(slot) - 1);
    if (start + NameLen > img.size()) return DBArrNameKey(std::string(slotName(img, slot))).compare(key);
    const char* p = img.data() + start;
    std::size_t i = 0;
    for (; i < key.size() && i < static_cast<std::size_t>(NameLen); ++i) {
        if (p[i] == '\0') return -1;
        const unsigned char a = upper(p[i]), b = static_cast<unsigned char>(key[i]);
        if (a == b) continue;
        // A name that ends here in blanks is the shorter one.
        if (a == ' ' && blankFrom(p, i)) return -1;
        return a < b ? -1 : 1;
    }
    if (i < key.size()) return -1;
    return blankFrom(p, i) ? 0 : 1;
}
// Two stored names (trailing blanks cut) as their keys compare.
int compareNames(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = upper(a[i]), y = upper(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
}  // namespace

std::string DBArrSlotName(const std::string& img, int slot) { return std::string(slotName(img, slot)); }

int DBArrSlotID(const std::string& img, int slot) {
    return static_cast<int>(get16lo(img, SlotPos(slot) + NameLen));
}

bool DBArrSlotEmpty(const std::string& img, int slot) { return at(img, SlotPos(slot)) == 0; }

std::string DBArrFolderOf(const std::string& img) { return rtrim(mid(img, FolderPos, FolderLen)); }

int DBArrCount(const std::string& img) {
    int s = FirstSlot;
    while (s <= LastSlot && !DBArrSlotEmpty(img, s)) ++s;
    return s - FirstSlot;
}

std::string DBArrNameKey(const std::string& name) {
    std::string k = name;
    const auto z = k.find('\0');
    if (z != std::string::npos) k.resize(z);
    k = rtrim(k);
    for (char& c : k)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return k;
}

bool DBArrNameFits(const std::string& name) {
    return !name.empty() && static_cast<long>(name.size()) <= NameLen && name.find('\0') == std::string::npos &&
           name.back() != ' ';
}

int DBArrFindName(const std::string& img, const std::string& name) {
    const std::string key = DBArrNameKey(name);
    for (int s = FirstSlot; s <= LastSlot && !DBArrSlotEmpty(img, s); ++s)
        if (compareKey(img, s, key) == 0 && idInRange(DBArrSlotID(img, s))) return s;
    return 0;
}

int DBArrFindID(const std::string& img, int id) {
    if (!idInRange(id)) return 0;
    for (int s = FirstSlot; s <= LastSlot && !DBArrSlotEmpty(img, s); ++s) {
        const int v = DBArrSlotID(img, s);
        if (v == 0) return 0;
        if (v == id) return s;
    }
    return 0;
}

std::vector<std::string> DBArrRows(const std::string& img) {
    std::vector<std::string> rows = {"1\tArrA", "2\tArrB"};
    for (int s = FirstSlot; s <= LastSlot && !DBArrSlotEmpty(img, s); ++s) {
        const int id = DBArrSlotID(img, s);
        if (id == 0) break;
        if (idInRange(id)) rows.push_back(std::to_string(id) + "\t" + DBArrSlotName(img, s) + ".arr");
    }
    return rows;
}

bool DBArrUsable(const std::string& img) {
    return static_cast<long>(img.size()) == DBArrLen && DBArrCheck(img);
}

bool DBArrSound(const std::string& img) {
    if (!DBArrUsable(img)) return false;
    // The rest of the header is zero bytes; slot 2 is never used.
    if (img.compare(8, static_cast<std::size_t>(SlotPos(2) - 9), std::string(SlotPos(2) - 9, '\0')) != 0) return false;
    const std::string empty = emptySlot();
    const auto slotIsEmpty = [&](int s) {
        return img.compare(static_cast<std::size_t>(SlotPos(s) - 1), SlotLen, empty) == 0;
    };
    if (!slotIsEmpty(2)) return false;
    // The entries from slot 3 on, without gaps, each a name that could be
    // stored, in strictly ascending order of their keys, each with an ID of
    // its own; every slot after the first empty one in its empty form.
    // Read in place: the lookup checks the file it reads every time.
    std::array<bool, LastID + 1> listed{};
    std::string_view prev;
    int s = FirstSlot;
    for (; s <= LastSlot && !DBArrSlotEmpty(img, s); ++s) {
        std::string_view name(img.data() + SlotPos(s) - 1, static_cast<std::size_t>(NameLen));
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (name.empty() || name.find('\0') != std::string_view::npos) return false;
        if (s > FirstSlot && compareNames(prev, name) >= 0) return false;
        prev = name;
        const int id = DBArrSlotID(img, s);
        if (!idInRange(id) || listed[static_cast<std::size_t>(id)]) return false;
        listed[static_cast<std::size_t>(id)] = true;
    }
    for (; s <= LastSlot; ++s)
        if (!slotIsEmpty(s)) return false;
    for (int id = FirstID; id <= LastID; ++id)
        if (at(img, IdUsedPos(id)) != (listed[static_cast<std::size_t>(id)] ? 1 : 0)) return false;
    return true;
}

std::string DBArrNew(const std::string& folder) {
    std::string img = DBArrSignature();
    img.resize(SlotPos(2) - 1, '\0');
    const std::string e = emptySlot();
    for (int s = 2; s <= LastSlot; ++s) img += e;
    img.resize(FolderPos - 1, '\0');          // the ID table: all free
    img += padRight(folder, FolderLen);
    return img;
}

DBArrInsertResult DBArrInsert(std::string& img, const std::string& name) {
    const std::string key = DBArrNameKey(name);
    for (int s = FirstSlot; s <= LastSlot && !DBArrSlotEmpty(img, s); ++s)
        if (compareKey(img, s, key) == 0) return {DBArrSlotID(img, s), false};
    return {DBArrInsertNew(img, name), true};
}

int DBArrInsertNew(std::string& img, const std::string& name) {
    const std::string key = DBArrNameKey(name);
    const int s = FirstSlot + DBArrCount(img);
    if (s > LastSlot) return 0;
    int id = FirstID;
    while (id <= LastID && at(img, IdUsedPos(id)) != 0) ++id;
    if (id > LastID) return 0;

    // The first slot whose key sorts after the name takes it; the rest move
    // one slot on, last one first.
    int target = s;
    while (target > FirstSlot && compareKey(img, target - 1, key) > 0) --target;
    if (target < s) {
        const std::string moved = mid(img, SlotPos(target), (s - target) * SlotLen);
        putMid(img, SlotPos(target + 1), moved);
    }
    std::string slot = padRight(name, NameLen);
    slot += chr(id & 0xFF) + chr(id >> 8);
    putMid(img, SlotPos(target), slot);
    put(img, IdUsedPos(id), 1);
    return id;
}

void DBArrRemove(std::string& img, int slot) {
    if (slot < FirstSlot || slot > LastSlot || DBArrSlotEmpty(img, slot)) return;
    const int id = DBArrSlotID(img, slot);
    if (idInRange(id)) put(img, IdUsedPos(id), 0);
    const int last = FirstSlot + DBArrCount(img) - 1;
    if (last > slot) putMid(img, SlotPos(slot), mid(img, SlotPos(slot + 1), (last - slot) * SlotLen));
    putMid(img, SlotPos(last), emptySlot());
}
