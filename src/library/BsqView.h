#pragma once
// The event counts a backing-sequence window shows, read from the file's
// bytes. Every read stays within the file, whatever its track table says.
#include <array>
#include <string>

// The 17 track counts of sequence k (0-9). Tracks are walked from the
// sequence's start by the positive differences of the table; a track counts
// its 4-byte slots up to and including its last one that is not all zero
// (slots past the end of the file are empty).
std::array<long, 17> BsqTrackCounts(const std::string& file, int k);
// Their sum.
long BsqSeqCount(const std::string& file, int k);
// The ten sequence names (10 bytes at 17 + 198k), as the list shows them.
std::string BsqSeqName(const std::string& file, int k);
