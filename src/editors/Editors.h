#pragma once
// Registers the editors with the windows that open them.
void InstallEditors();
