#include "app/Main.h"
#include "shell/frmMain.h"

int main(int argc, char** argv) {
    InstallShell();
    return Main(argc, argv);
}
