#pragma once
// Qt's own texts (the standard buttons of the boxes, the file dialogs) and
// the few texts of this layer in the program's language.
#include <string>

// "it" loads Qt's Italian translations and this layer's Italian texts; any
// other language leaves them all English. False when Qt has no translation
// for the language on this machine (the texts then stay English).
bool UseQtLanguage(const std::string& lang);
