#pragma once
// The style bank layout shared by the style file code and the sending of
// style groups: bytes 1-24 head, 16 four-byte entries from byte 25 whose
// first two bytes are the size of item k (low byte first), the items from
// byte 225 in entry order, each a 16-character name followed by its data (the
// size counts both). Plain functions over a block that starts at its byte 1.
#include <string>

#include "platform/bytes.h"

// The 16-bit size of item k (0-15).
inline unsigned StyBlkSize(int k, const std::string& block) { return get16lo(block, 25 + 4L * k); }

// The position of item k in the block: 225 plus the sizes of items 0..k-1.
inline long StyBlkPos(int k, const std::string& block) {
    long pos = 225;
    for (int i = 0; i < k; ++i) pos += StyBlkSize(i, block);
    return pos;
}
