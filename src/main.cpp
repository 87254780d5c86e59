#include "app/Main.h"
#include "banks/Banks.h"
#include "editors/Editors.h"
#include "library/Library.h"
#include "shell/frmMain.h"

int main(int argc, char** argv) {
    InstallShell();
    InstallLibrary();
    InstallBanks();
    InstallEditors();
    return Main(argc, argv);
}
