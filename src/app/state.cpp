#include "app/state.h"

void resetAppState() {
    AppWindows = {};
    AppRun = {};
    AppSettings = {};
    AppChannels = {};
    AppLanguage = {};
    AppFiles = {};
    AppNames = {};
}
