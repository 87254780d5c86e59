#pragma once
// The arrangement editor's own flags. The record itself, its modified flag
// and EditArrOpen are the record owner's (app/EditRecord.h); the style
// field's flag is the library's (library/state.h), the program field's the
// MIDI layer's (midi/state.h: EditArrSelPrg, the field's index, 0 for none).
#include <array>

struct ArrEditorState {
    bool ArrFilling = false;              // EditArrFill runs: the value handlers only display
    bool ArrNameChanged = false;          // the name was typed since the last store
    std::array<int, 19> EditArrSelFlags{};// 1 for the selected text field
    bool EditArrSelName = false;          // the name field is selected
    std::array<int, 9> ArrMuteFlags{};    // per track, for the whole run
    std::array<int, 9> ArrSoloFlags{};
    long EditArrBackColor = 0xFFFFFF;     // the text fields' normal colours
    long EditArrForeColor = 0;
};
inline ArrEditorState ArrEditorVars;

inline auto& ArrFilling = ArrEditorVars.ArrFilling;
inline auto& ArrNameChanged = ArrEditorVars.ArrNameChanged;
inline auto& EditArrSelFlags = ArrEditorVars.EditArrSelFlags;
inline auto& EditArrSelName = ArrEditorVars.EditArrSelName;
inline auto& ArrMuteFlags = ArrEditorVars.ArrMuteFlags;
inline auto& ArrSoloFlags = ArrEditorVars.ArrSoloFlags;
inline auto& EditArrBackColor = ArrEditorVars.EditArrBackColor;
inline auto& EditArrForeColor = ArrEditorVars.EditArrForeColor;

// Field colours (0x00BBGGRR): the selected field, the buttons' states.
constexpr long ArrSelectedBack = 0xFFFF00, ArrSelectedFore = 0;
constexpr long ArrOffColor = 0xC0C0C0, ArrMuteColor = 255, ArrSoloColor = 65280;
