#include "banks/Banks.h"

#include "banks/DBArr.h"

void InstallBanks() { InstallDatabase(); }
