#pragma once
// One row of an editor's parameter table: a value control (its name and
// index, where it stands, what it shows), the bits of the edited record it
// owns, how its value is coded there, and the message its change sends.
// Every editor's table is made of these rows; the binder (ParamBinder.h)
// makes their controls and runs the edit sequence over them.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ParamCtl {
    HScroll,  // horizontal scroll bar
    VScroll,  // vertical scroll bar
    List,     // drop-down list
    Check,    // check box
    Option,   // a pair of option buttons: 1 while the first is selected
};

// How a control's value is kept in the record and what its change sends.
enum class ParamCodec {
    AsIs,        // the value, unsigned
    Signed,      // sent signed; stored as value + 256 when negative
    ListMinus12, // list index - 12, sent signed, stored as Signed
    Octave,      // list index 0-3: sent +1, 0, -1, -2; stored 1, 0, 255, 254
    LowBits,     // the value stored as the whole byte, read from the row's bits
    OctaveNibble,// list index 0-4: +2 .. -2 as a 4-bit two's complement
    OctaveWide,  // list index 0-6: +3 .. -3, stored as a signed byte
    ChannelOff,  // list index 0: OFF (255); 1 onwards: channel index - 1
    Coded,       // list index; stored the code its item carries
    PanAB,       // 0 (off): sent -1, stored 255; 1-31: sent and stored value - 1
    Polarity,    // list index of " -", " 0", " +" in the bit pair `shift`
                 // and `shift` + 4: both set, both clear, the low one alone
    Reversed,    // list index counted from the last item: max - index, stored and sent
    // The arrangement's codings (value: list index or slider value).
    TenLess,     // list index v: 10 - v in the row's bits (PRG, 9 .. 0), sent so
    Transpose,   // +11 .. -11: 11 - v, then 267 - v (255 for -1); sent as stored, negative below 0
    OctaveByte,  // +2 .. -2: 2 - v, then 255, 254; sent as stored, negative below 0
    WrapAround,  // 12 .. 1, ORG: 11 - v, ORG 255; sent as stored, ORG negative
    Pan,         // slider 1 OFF (255), 2-16 L15-L1 (0-14), 17 CNT (15), 18-32 R1-R15, 33 PRG (31)
    Tempo,       // the tempo, stored less 30
    OutStatus,   // the row's two bits of an out-status byte (its bits 4-7 cleared; a
                 // byte above 11 reads as 3); bits 0-1 send the whole byte, bits 2-3 the value
};

// What the value label beside a control shows.
enum class ParamLabel {
    None,          // no label
    Number,        // the value
    NormalAtZero,  // "Normal" at 0 (the number while dragged)
    Note,          // the note name (C-1 .. G9)
    Text,          // the row's own text for each value
    PanAB,         // "OFF", "L15" .. "L1", "CNT", "R1" .. "R15"
    DryWet,        // "DRY" at 0, "FX" at 100, the number between
    Pan,           // an output pan 0-101: "OFF", "R", "1:99" .. "99:1", "L"
};

// The parameter message of a row: group and index.
struct ParamMsg {
    int group, index;
};

struct ParamRow {
    int page = 0;              // the page it stands on (each editor numbers its own)
    const char* frame = "";    // caption of the frame it stands in
    const char* caption = "";  // its own caption
    const char* control = "";  // control name ("BasHScroll")
    int index = -1;            // its index in the control array (-1: none)
    ParamCtl kind = ParamCtl::HScroll;
    // Scroll bars: the value at the left or top end, and at the right or
    // bottom end (min above max: the bar runs from the high value).
    int min = 0, max = 0;
    int largeChange = 10;            // scroll bars: the step of a click beside the thumb
    std::vector<const char*> items;  // list items, exactly as shown
    bool typed = false;              // lists: the user may also type an item's text
    std::vector<int> codes;          // the code each item stores (Coded)
    long pos = 0;                    // record position (1-based)
    int shift = 0, width = 8;        // the bits owned: width 8 the whole byte, 16 a pair low byte first
    ParamCodec codec = ParamCodec::AsIs;
    std::optional<ParamMsg> msg;     // the parameter message it sends, if any
    int osc = 0;                     // the oscillator it belongs to: 0 none, 1, 2
    ParamLabel label = ParamLabel::None;
    std::string (*text)(int) = nullptr;  // the label text of ParamLabel::Text
    // What a control shows for a value it cannot show (none: lists show no
    // item and scroll bars their nearest value).
    std::optional<int> fallback = std::nullopt;

    bool scrollBar() const { return kind == ParamCtl::HScroll || kind == ParamCtl::VScroll; }
};

// A row of control `control`(index) in `frame`, owning `width` bits of
// record position `pos` from bit `shift`; the rest at their defaults.
ParamRow ParamRowMake(const char* frame, const char* caption, const char* control, int index, ParamCtl kind, int min,
                      int max, long pos, int shift, int width, ParamCodec codec);

// Whether `value` is one the control can show.
bool ParamShows(const ParamRow& row, int value);
// Writes the control value into the row's bits of the record (every other
// bit kept) and returns the value to send.
int ParamStore(std::string& rec, const ParamRow& row, int value);
// The value the control shows for the record: scroll bars the nearest value
// of their range, lists and check boxes nothing for a value they cannot show.
std::optional<int> ParamRead(const std::string& rec, const ParamRow& row);
// Whether the value a row sends goes out as a negative amount (or OFF,
// ORG): the message then carries 7F as its high byte.
bool ParamNegative(const ParamRow& row, int sent);
// A signed byte as the records keep it: the values from `lowest` (below 0)
// to -1 stored as value + 256 (-99..-1 as 157..255); any other byte is its
// own number, which a control shows at its nearest limit.
int ParamSigned(unsigned raw, int lowest);
// The field's bits as the record holds them, uncoded.
unsigned ParamRaw(const std::string& rec, const ParamRow& row);
// The value label's text; `dragging` while the user drags the thumb.
std::string ParamLabelText(const ParamRow& row, int value, bool dragging = false);

// Ties the rows of one control array to their indexes, while a table is
// built: out[i] the row of control `control`(i), for i from `first` on but
// `absent`. A control array with a row missing stops the program at once
// (a table written wrong).
template <std::size_t N>
void ParamIndex(const std::vector<ParamRow>& rows, const char* control, std::array<const ParamRow*, N>& out,
                std::size_t first = 0, int absent = -1);
const ParamRow* ParamIndexOne(const std::vector<ParamRow>& rows, const char* control);

// ---- implementation ----

[[noreturn]] void ParamTableWrong(const char* control, int index);

template <std::size_t N>
void ParamIndex(const std::vector<ParamRow>& rows, const char* control, std::array<const ParamRow*, N>& out,
                std::size_t first, int absent) {
    out.fill(nullptr);
    for (const ParamRow& r : rows)
        if (std::string_view(r.control) == control && r.index >= 0 && static_cast<std::size_t>(r.index) < N)
            out[static_cast<std::size_t>(r.index)] = &r;
    for (std::size_t i = first; i < N; ++i)
        if (!out[i] && static_cast<int>(i) != absent) ParamTableWrong(control, static_cast<int>(i));
}
