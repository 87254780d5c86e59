#pragma once
// File > Print: the list of the active program or arrangement window as
// plain text in columns, on the system's default printer.
#include <functional>
#include <string>
#include <vector>

// The lines of the printout of a window: its image, the texts of its list
// rows (row i at index i; missing rows count as empty) and the date and time
// to print in the header. No lines for a window of a kind that is not
// printed.
std::vector<std::string> PrintListLines(const std::string& image, const std::vector<std::string>& rows,
                                        const std::string& dateText);

// The date and time for the header: the system's short date and the time
// with seconds, at most 20 characters. Tests fix it with SetPrintClock
// (nullptr: the system clock again).
std::string PrintDateText();
void SetPrintClock(std::function<std::string()> clock);

void mnuPrint_Click();
// Registers the command (InstallShell).
void InstallPrint();
