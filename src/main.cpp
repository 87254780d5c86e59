#include "app/Main.h"
#include "library/Library.h"
#include "shell/frmMain.h"

int main(int argc, char** argv) {
    InstallShell();
    InstallLibrary();
    return Main(argc, argv);
}
