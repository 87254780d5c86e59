#pragma once
// The program editor's parameters: one row per value control (control name
// and index), saying where the control stands, what it shows, which bits of
// the current program it owns, how its value is coded there and which
// parameter message it sends. The window builds its controls from the rows,
// runs one edit sequence for every row and fills them all in one walk.
#include <optional>
#include <string>
#include <vector>

// Pages of the editor's tab control.
enum class PrgPage { Basic = 0, Osc1a, Osc1b, Osc2a, Osc2b, Effects };
constexpr int PrgPageCount = 6;
const char* PrgPageCaption(PrgPage page);
// The frames of a page, in their place order.
const std::vector<std::string>& PrgPageFrames(PrgPage page);

enum class ParamCtl {
    Slider,       // horizontal scroll bar with a value label
    List,         // drop-down list
    Check,        // check box
    Multisample,  // vertical scroll bar of a multisample box (explicit handlers)
    Option,       // a pair of option buttons: 1 while the first is selected
};

// How a control's value is kept in the record and sent.
enum class ParamCodec {
    AsIs,        // the value, unsigned
    Signed,      // sent signed; stored as value + 256 when negative
    ListMinus12, // list index - 12, sent signed, stored as Signed
    Octave,      // list index 0-3: sent +1, 0, -1, -2; stored 1, 0, 255, 254
    LowBits,     // the value stored as the whole byte, read from the row's bits
    OctaveNibble,// list index 0-4: +2 .. -2 as a 4-bit two's complement
    OctaveWide,  // list index 0-6: +3 .. -3, stored as a signed byte
    ChannelOff,  // list index 0: OFF (255); 1 onwards: channel index - 1
    Pedal,       // list index of a pedal function; stored its code (GblOrder)
};

enum class ParamLabel { Plain };  // the value as a plain number

struct ParamRow {
    PrgPage page;
    const char* frame;     // caption of the frame it stands in
    const char* caption;   // its own caption
    const char* control;   // control name ("BasHScroll")
    int index;             // its index in the control array (-1: none)
    ParamCtl kind;
    int min, max;          // slider range (min above max: the bar runs the other way)
    std::vector<const char*> items;  // list items, exactly as shown
    long pos;              // record position (1-based)
    int shift, width;      // the bits owned: width 8 the whole byte, 16 a pair low byte first
    ParamCodec codec;
    int group, param;      // parameter message (group, index)
    int osc;               // the oscillator it belongs to: 0 none, 1, 2
    ParamLabel label;
    // What a control shows for a value it cannot show (none: lists show no
    // item and sliders their nearest value).
    std::optional<int> fallback = std::nullopt;
};

// Every row, in the order the editor is filled.
const std::vector<ParamRow>& ProgramParams();
// The row of a control, or nullptr.
const ParamRow* ParamRowOf(const std::string& control, int index);
// Whether editing the row's page first puts the instrument in PROGRAM mode.
bool ParamSendsMode(const ParamRow& row);
// Whether editing the row first selects its oscillator.
bool ParamSelectsOsc(const ParamRow& row);
// Whether `value` is one the control can show.
bool ParamShows(const ParamRow& row, int value);

// The row of a control in `rows`, or nullptr.
const ParamRow* ParamRowIn(const std::vector<ParamRow>& rows, const std::string& control, int index);

// Writes the control value into the row's bits of the record (every other
// bit kept) and returns the value to send.
int ParamStore(std::string& rec, const ParamRow& row, int value);
// The value the control shows for the record: sliders the nearest value of
// their range, lists and check boxes nothing for a value they have no item for.
std::optional<int> ParamRead(const std::string& rec, const ParamRow& row);
// The field's bits as the record holds them, uncoded.
unsigned ParamRaw(const std::string& rec, const ParamRow& row);
// The value label's text.
std::string ParamLabelText(const ParamRow& row, int value);
