#include "apptest.h"

#include "app/Settings.h"
#include "platform/bytes.h"

namespace {

long pos(int rec, int p) { return (rec - 1) * 250L + p; }

// A state with something distinctive in every field the settings keep.
void knownState() {
    IniDefaults();
    LangSel = 2;
    RdOnlyOpt = true; CaricaStyNuovoArrOpt = true; CaricaStyOpt = false; ApriPrgOpt = true;
    CaricaPrgOpt = true; AutoDBArrOpt = false; StatusBarOpt = false; CaricaArrOpt = true; MidiThruOn = true;
    KbdSettings = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10", 16);
    ModeNow = 4, GblInstrSet = 1;
    GblInstr.clear();
    for (int i = 0; i < 448; ++i) GblInstr.push_back(static_cast<char>(i % 251));
    GlobalChannel = 1; ArrChannel = 2; LowChannel = 3; Up2Channel = 4; Up1Channel = 5; DrmChannel = 6;
    PerChannel = 7; BasChannel = 8; Ac1Channel = 9; Ac2Channel = 10; Ac3Channel = 15;
    WinEntry(1) = {100, 200, 7000, 9000, 2, 0};
    WinEntry(2) = {-20000, 20000, 4810, 7780, 1, 0};
    WinEntry(4) = {10, 20, 30, 40, 1, 9};
    WinEntry(35) = {5, 6, 7, 8, 2, 0};
    WinEntry(34) = {-1, -2, 5280, 4440, 1, 0};
    DirLast = "/home/u/arr", DirLastPrg = "/home/u/prg";
    ArrSlots[3] = {"/home/u/arr/live", 0, 1, -20000, 20000, 4810, 9040, 1, 0, 7, 0};
    ArrSlots[5] = {"/home/u/arr/min", 0, 2, 0, 0, 100, 200, 0, 0, 0, 0};
    ArrUFile = "/home/u/arr/bank";
    ArrSlots[9].State = 0;
    PrgSlots[1] = {"/home/u/prg/one", 5, 1, 1, 2, 3, 4, 1, 1, 0, 0};
    StyUFile = "/home/u/sty/user";
    StySlots[9] = {"/x", 0, 1, 10, 10, 10, 10, 0, 0, 0, 0};
    MruTable[1] = {"/home/u/arr/live", 4810, 9040, 16500, -17000, 1, 1};
    MruTable[2] = {"/home/u/prg/one", 1, 2, 3, 4, 4, 0};
}

}  // namespace

TEST_F(AppTest, SettingsWrittenAtTheirPositions) {
    knownState();
    const std::string img = IniImageBuild("");
    ASSERT_EQ(img.size(), 50u * 250u);
    const std::pair<int, int> bytes[] = {{17, 1}, {20, 1}, {21, 0}, {22, 1}, {23, 1}, {25, 2}, {26, 0},
                                         {27, 0}, {28, 1}, {30, 1}, {45, 16}, {46, 1}, {47, 4}, {49, 1}};
    for (auto [p, v] : bytes) EXPECT_EQ(at(img, p), v) << "position " << p;
    const std::string zero(1, '\0');
    const std::pair<long, std::string> fields[] = {
        {1, "Velmora30"},
        {240, bytesOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15})},   // channels
        // Window entries of 9 bytes from 51: kind 1, kind 2 clamped, kind 4 with its channel, kind 35 last.
        {51, bytesOf({0x3E, 0xE4, 0x3F, 0x48, 0x1B, 0x58, 0x23, 0x28, 2, 0, 0, 0x7D, 0x00})},
        {68, bytesOf({1})},
        {86, bytesOf({145})},
        {51 + 9 * 19, bytesOf({0x3E, 0x85, 0x3E, 0x86, 0, 7, 0, 8, 2})},
        // Record 2: kind 34, then zeros; records 3 and 4 blank-padded folders.
        {pos(2, 1), bytesOf({0x3E, 0x7F})},
        {pos(2, 9), bytesOf({1}) + std::string(241, '\0')},
        {pos(3, 1), padRight("/home/u/arr", 250) + padRight("/home/u/prg", 250)},
        // Program slot 1 (record 6): channel and type; slot 2 closed.
        {pos(6, 242), bytesOf({5})},
        {pos(6, 248), bytesOf({1})},
        {pos(7, 1), std::string(250, '\0')},
        // Arrangement slots from record 14: 1, 2 closed, 3 open, 5 minimised; slot 9 (record 48) always.
        {pos(14, 1), std::string(500, '\0') + padRight("/home/u/arr/live", 238) +
                         bytesOf({0x12, 0xCA, 1, 0, 0, 0, 0x7D, 0x00, 1})},
        {pos(16, 249), bytesOf({0x23, 0x50})},
        {pos(18, 241), bytesOf({2})},
        {pos(48, 1), padRight("/home/u/arr/bank", 238)},
        {pos(48, 241), zero},
        // Style slot 9 carries the user-bank name.
        {pos(49, 1), padRight("/home/u/sty/user", 238)},
        {pos(49, 241), bytesOf({1})},
        // The global block in records 30-31, the rest of 31 blank.
        {pos(30, 1), GblInstr + std::string(52, ' ')},
        // Recent files from record 40.
        {pos(40, 1), padRight("/home/u/arr/live", 238)},
        {pos(40, 242), bytesOf({1, 0x7D, 0x00, 0, 0})},
        {pos(41, 242), bytesOf({4})},
        {pos(42, 242), zero},
    };
    for (const auto& [p, b] : fields) EXPECT_EQ(mid(img, p, static_cast<long>(b.size())), b) << "at " << p;
}

TEST_F(AppTest, SettingsReadBackKeepWhatTheyDoNotOwnAndRefuseDamage) {
    knownState();
    const std::string img = IniImageBuild("");
    resetAppState();
    ASSERT_TRUE(IniImageParse(img));
    // Every value came back: written from memory alone, the image is the same.
    EXPECT_EQ(IniImageBuild(""), img);
    EXPECT_EQ(std::tuple(WinEntry(2).Top, ArrSlots[3].Path, ArrUFile, MruTable[1].Top),
              std::tuple(-16000, "/home/u/arr/live", "/home/u/arr/bank", 16000));

    GblInstrSet = 0;
    std::string old(50 * 250, '\0');
    const long kept[] = {10, 16, 18, 24, 29, 48, 50, 231, 239, pos(5, 1), pos(30, 7), pos(31, 250), pos(35, 3)};
    for (long p : kept) put(old, p, 0x5A);
    const std::string over = IniImageBuild(old);
    for (long p : kept) EXPECT_EQ(at(over, p), 0x5A) << "position " << p;

    resetAppState();
    std::string foreign = img, noLang = img;
    foreign[0] = 'X';
    put(noLang, 25, 0);
    for (const std::string& bad :
         {std::string(), img.substr(0, 249), img.substr(0, 4 * 250), img.substr(0, 50 * 250 - 1), foreign, noLang}) {
        EXPECT_FALSE(IniImageParse(bad) || LangSel || !ArrSlots[3].Path.empty()) << bad.size();
    }
}
