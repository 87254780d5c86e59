#include "files/StyGroups.h"

#include "app/ImageLayout.h"
#include "files/FileFormats.h"
#include "platform/bytes.h"

namespace {

bool isStyleWindow(const std::string& image) {
    unsigned k = WinKind(image);
    return k == 23 || k == 24;
}

long blockLen(const std::string& block) { return static_cast<long>(block.size()); }

long groupSum(const std::string& block, int g) {
    long s = 0;
    for (int k = 4 * g; k < 4 * g + 4; ++k) s += StyBlkSize(k, block);
    return s;
}

// Replaces the bytes of item k by `item` and writes its size.
void replaceItem(std::string& block, int k, const std::string& item) {
    long pos = StyBlkPos(k, block);
    long size = StyBlkSize(k, block);
    long len = blockLen(block);
    if (pos > len + 1) return;  // a damaged table; the checks keep this from happening
    if (pos + size - 1 > len) size = len - pos + 1;
    block.replace(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(size), item);
    put16lo(block, 25 + 4L * k, static_cast<unsigned>(item.size()));
}

}  // namespace

long StyPartPos(const std::string& image) { return StyPartPosOf(WinKind(image)); }

std::string StyPartOf(const std::string& image) {
    if (!isStyleWindow(image) && at(image, ImgStyPart) == ImgStyNone) return {};
    return mid(image, StyPartPos(image));
}

void StyPartSet(std::string& image, const std::string& part) {
    long pos = StyPartPos(image);
    image.resize(static_cast<std::size_t>(pos - 1), pos - 1 > static_cast<long>(image.size()) ? ' ' : '\0');
    image += part;
}

std::string StyBlkName(int k, const std::string& block) {
    if (k < 0 || k > 15 || StyBlkSize(k, block) == 0) return {};
    long pos = StyBlkPos(k, block);
    if (pos > blockLen(block)) return {};
    return rtrim(cutAtNul(mid(block, pos, 16)));
}

std::string StyItemName(int i, const std::string& image) {
    if (at(image, ImgStyPart) == ImgStyNone) return "-empty-";
    long base = StyPartPos(image);
    if (base > static_cast<long>(image.size())) return {};
    return StyBlkName(i, image.substr(static_cast<std::size_t>(base - 1)));
}

int StyGrpCount(const std::string& image) {
    if (at(image, ImgStyPart) == ImgStyNone) return isStyleWindow(image) ? 4 : 0;
    std::string block = StyPartOf(image);
    for (int i = 15; i >= 0; --i) {
        std::string n = StyBlkName(i, block);
        if (!n.empty() && n != "- empty -") return i / 4 + 1;
    }
    return 0;
}

std::string StyItemBytes(int k, const std::string& block) {
    if (k < 0 || k > 15) return {};
    long pos = StyBlkPos(k, block);
    long size = StyBlkSize(k, block);
    if (size == 0 || pos + size - 1 > blockLen(block)) return {};
    return mid(block, pos, size);
}

bool StyItemFree(int k, const std::string& block) {
    return StyBlkSize(k, block) == 0 || StyBlkName(k, block) == "- empty -";
}

int StyFirstFree(const std::string& block) {
    for (int k = 0; k < 16; ++k)
        if (StyItemFree(k, block)) return k;
    return -1;
}

int StyFindItem(const std::string& block, const std::string& item) {
    for (int k = 0; k < 16; ++k) {
        long size = StyBlkSize(k, block);
        if (size != static_cast<long>(item.size()) || size == 0) continue;
        long pos = StyBlkPos(k, block);
        if (pos + size - 1 <= blockLen(block) && block.compare(static_cast<std::size_t>(pos - 1),
                                                               static_cast<std::size_t>(size), item) == 0)
            return k;
    }
    return -1;
}

StyEditStatus StyItemPut(std::string& block, int k, const std::string& item) {
    if (k < 0 || k > 15 || !StyItemFree(k, block) || item.size() < 16) return StyEditNoRoom;
    int g = k / 4;
    long newSum = groupSum(block, g) - static_cast<long>(StyBlkSize(k, block)) + static_cast<long>(item.size());
    if (newSum >= StyGroupLimit) return StyEditGroupFull;
    if (StyBlkPos(k, block) + static_cast<long>(StyBlkSize(k, block)) - 1 > blockLen(block)) return StyEditNoRoom;
    replaceItem(block, k, item);
    return StyEditOk;
}

void StyItemRemove(std::string& block, int k) {
    if (k < 0 || k > 15 || blockLen(block) < StyHdrLen) return;
    int g = k / 4;
    bool othersFree = true;
    for (int j = 4 * g; j < 4 * g + 4; ++j)
        if (j != k && !StyItemFree(j, block)) othersFree = false;
    if (othersFree) {
        // The whole group is free: back to the template's shape.
        std::string fill = g == 0 ? StyEmptyItem() : std::string();
        for (int j = 4 * g; j < 4 * g + 4; ++j) replaceItem(block, j, fill);
        return;
    }
    std::string empty = StyEmptyItem();
    long newSum = groupSum(block, g) - static_cast<long>(StyBlkSize(k, block)) + static_cast<long>(empty.size());
    replaceItem(block, k, newSum < StyGroupLimit ? empty : std::string());
}

namespace {
std::string sizeText(long n) { return " " + std::to_string(n) + " "; }
}  // namespace

StyListView StyListOf(const std::string& block) {
    StyListView v;
    for (int g = 0; g < 4; ++g) {
        long t = 0;
        for (int j = 0; j < 4; ++j) {
            int k = 4 * g + j;
            long size = StyBlkSize(k, block);
            t += size;
            v.rows[static_cast<std::size_t>(StyItemRow(k))] = RowCode(k) + "  " + StyBlkName(k, block);
            v.itemSizes[static_cast<std::size_t>(k)] = sizeText(size);
        }
        v.groupSizes[static_cast<std::size_t>(g)] = sizeText(t);
        v.groupSendable[static_cast<std::size_t>(g)] = t >= 1;
        if (g < 3) v.rows[static_cast<std::size_t>(5 * g + 4)] = " ";
    }
    v.total = std::to_string(block.size());
    return v;
}

int StyRowItem(int row) {
    if (row < 0 || row > 18 || row % 5 == 4) return -1;
    return row - row / 5;
}

int StyItemRow(int item) { return item + item / 4; }

bool StyI30Split(const std::string& file, std::array<StyI30Group, 3>& out, int& count) {
    count = 0;
    long len = static_cast<long>(file.size());
    if (len < StyHdrLen) return false;
    long start[3], size[3];
    long s = StyHdrLen + 1;
    for (int k = 0; k < 3; ++k) {
        long l = 0;
        for (int j = 0; j < 16; ++j) l += get16lo(file, 25 + 64L * k + 4L * j);
        start[k] = s;
        size[k] = l;
        s += l;
    }
    if (s - 1 > len) return false;  // the tables promise more data than the file holds
    for (int k = 0; k < 3; ++k) {
        if (size[k] == 0) continue;
        std::string img = file.substr(0, StyHdrLen);
        if (k >= 1)
            for (int j = 0; j < 16; ++j) {
                put(img, 25 + 4L * j, at(file, 25 + 64L * k + 4L * j));
                put(img, 26 + 4L * j, at(file, 26 + 64L * k + 4L * j));
            }
        // The native header: bytes 1-22 and 87-224 rewritten.
        StyHeaderRewrite(img);
        img += file.substr(static_cast<std::size_t>(start[k] - 1), static_cast<std::size_t>(size[k]));
        out[static_cast<std::size_t>(count++)] = {k, std::move(img)};
    }
    return true;
}
