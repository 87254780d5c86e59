#pragma once
// Bytes the arrangement window's send jobs build.
#include <string>

// The program window image a program file read from disk is sent and
// recorded with: kind 21, the file's path, ".pgg" marked (its reference
// programs then go out with their first 20 bytes zeroed), the file at 271.
std::string PrgFileImage(const std::string& path, const std::string& file, bool pgg);
