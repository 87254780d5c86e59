#include "app/Main.h"
#include "banks/Banks.h"
#include "library/Library.h"
#include "shell/frmMain.h"

int main(int argc, char** argv) {
    InstallShell();
    InstallLibrary();
    InstallBanks();
    return Main(argc, argv);
}
