// Exact bytes of every message the program sends to the instrument.
#include <random>

#include "midi_fixture.h"

namespace {

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(rng() & 0xFF);
    return s;
}

// A dump: its first bytes, the 7-bit data that unpacks to `data`, and F7.
void expectDump(const std::string& m, const std::string& head, const std::string& data) {
    EXPECT_EQ(hexOf(m.substr(0, 5)), head);
    EXPECT_EQ(static_cast<unsigned char>(m.back()), 0xF7);
    EXPECT_EQ(Unpack7(m.substr(5, m.size() - 6)), data);
}

// A style window image (style part at 670, sizes at 694) with items of these sizes and data.
std::string styWindow(const std::vector<unsigned>& sizes, const std::string& items) {
    std::string img(669, '\0'), block(224, '\0');
    put(img, 1, 23);
    for (std::size_t k = 0; k < sizes.size(); ++k) put16lo(block, 25 + 4 * static_cast<long>(k), sizes[k]);
    return img + block + items;
}

}  // namespace

TEST_F(MidiTest, Pack7LengthsAndRoundTrip) {
    const struct { std::size_t n, packed; } lengths[] = {{0, 0}, {1, 2}, {7, 8}, {8, 10}, {415, 475}};
    for (const auto& l : lengths) {
        std::string data = randomBytes(l.n, static_cast<unsigned>(l.n));
        const std::string copy = data;
        SysExPack7(data);
        const std::string& p = MidiHdr.lpData;
        ASSERT_EQ(p.size(), l.packed) << l.n;
        EXPECT_EQ(data, copy) << "the data must be left as it was";
        for (unsigned char c : p) EXPECT_LT(c, 0x80) << "a status byte inside the dump";
        EXPECT_EQ(Unpack7(p), data) << l.n;
    }
    EXPECT_EQ(hexOf(Pack7(bytesOf({0x80, 0x01, 0xFF}))), "05 00 01 7F");
}

TEST_F(MidiTest, ArrSelectSendByKind) {
    const struct { int kind, n, nAfter; std::string hex; } cases[] = {
        {2, 5, 5, "BF 00 00 BF 20 00 CF 05"},
        {3, 5, 69, "BF 00 00 BF 20 00 CF 45"},
        {19, 63, 63, "BF 00 00 BF 20 01 CF 3F"},
        {20, 0, 0, "BF 00 00 BF 20 01 CF 00"},
    };
    for (const auto& c : cases) {
        midi->clear();
        int n = c.n;
        ArrSelectSend(n, c.kind);
        EXPECT_EQ(std::tuple(hexOf(sent()), n, MidiHdr.lpData),
                  std::tuple(c.hex, c.nAfter, bytesOf({0xCF, static_cast<unsigned>(c.nAfter)})))
            << "kind " << c.kind;
    }
}

TEST_F(MidiTest, PrgSelectSendByKind) {
    auto image = [](int kind, int chan) {
        std::string img(32094, '\0');
        put(img, 1, kind), put(img, 16, chan), put(img, 286, 6);  // 286: a program file's own channel
        return img;
    };
    const struct { int kind, n; std::string hex; } cases[] = {
        {5, 10, "B3 00 00 B3 20 00 C3 4A"},  {7, 63, "B3 00 00 B3 20 01 C3 7F"},
        {8, 0, "B3 00 00 B3 20 02 C3 00"},   {9, 2, "B3 00 00 B3 20 04 C3 08"},
        {10, 15, "B3 00 00 B3 20 04 C3 49"}, {21, 7, "B6 00 00 B6 20 03 C6 07"},
        {22, 7, "B6 00 00 B6 20 03 C6 07"},  // a new file, on its own channel too
    };
    for (const auto& c : cases) {
        midi->clear();
        PrgSelectSend(image(c.kind, 3), c.n);
        EXPECT_EQ(hexOf(sent()), c.hex) << "kind " << c.kind << " n " << c.n;
    }
    // A reference record names a program of the instrument itself; while a
    // track program is selected in the arrangement editor, its channel.
    std::string img = image(21, 3);
    putMid(img, 319 + 172 * 4, bytesOf({1, 2, 0x33}));
    midi->clear();
    PrgSelectSend(img, 4);
    PerChannel = 9;
    EditArrSelPrg = 4;
    PrgSelectSend(image(4, 3), 1);
    EXPECT_EQ(hexOf(sent()), "B6 00 00 B6 20 02 C6 33 B9 00 00 B9 20 00 C9 01");
    EditArrSelPrg = 0;
    midi->clear();
    for (auto [kind, row] : {std::pair{9, 16}, {4, 64}, {13, 1}}) PrgSelectSend(image(kind, 3), row);
    EXPECT_EQ(sent(), "") << "rows outside the list";
}

TEST_F(MidiTest, ArrTxBankSendsTheArrangements) {
    GlobalChannel = 2;
    std::string img = std::string(302, 'h') + randomBytes(10496, 1) + std::string(500, 't');
    ArrTxBank(img);
    std::string m = sent();
    ASSERT_EQ(m.size(), 12002u);
    expectDump(m, "F0 42 32 4D 64", img.substr(302, 10496));
    EXPECT_EQ(MidiHdr.lpData, m);
}

TEST_F(MidiTest, PrgTxBankBlanksReferenceRecordsOfPggFiles) {
    std::string img = std::string(318, '\0') + randomBytes(64 * 172, 2);
    img.resize(23366, 'x');
    img += randomBytes(2104, 3);
    img.resize(30750, 'y');
    for (int r : {0, 10, 63}) put(img, 319 + 172 * r, 1);  // reference records
    put(img, 319 + 172 * 5, 2);
    for (int pgg : {0, 1}) {
        put(img, 19, pgg);
        midi->clear();
        PrgTxBank(img);
        std::string m = sent(30000);
        ASSERT_EQ(m.size(), 14992u);
        std::string expect = img.substr(318, 64 * 172) + img.substr(23366, 2104);
        if (pgg)
            for (int r : {0, 10, 63}) expect.replace(172 * r, 20, 20, '\0');
        expectDump(m, "F0 42 30 4D 4C", expect);
    }
}

TEST_F(MidiTest, StyTxDumpSendsAGroupOrRefusesAnEmptyStyle) {
    // Each item is its 16-character name and its data; the size counts both.
    const std::vector<unsigned> sizes = {20, 30, 17, 40, 25, 25, 33, 18, 16, 0, 20, 20};
    std::string items;
    for (std::size_t k = 0; k < sizes.size(); ++k) items += randomBytes(sizes[k], 10 + static_cast<unsigned>(k));
    const std::string img = styWindow(sizes, items);
    // A group carries its four items in order, found after the groups before it.
    const struct { int g; std::size_t from, len; } groups[] = {{0, 0, 107}, {1, 107, 101}};
    for (const auto& c : groups) {
        midi->clear();
        EXPECT_EQ(StyTxDump(c.g, img), 0);
        expectDump(sent(), "F0 42 30 4D 65", items.substr(c.from, c.len));
    }

    midi->clear();
    EXPECT_EQ(StyTxDump(2, img) + StyTxDump(3, img), 2) << "style 9 has size 0; group 3 is empty";
    // A size table that claims more than the image holds sends nothing.
    std::string cut = img.substr(0, img.size() - 10);
    put16lo(cut, 669 + 25, 2000);
    EXPECT_EQ(StyTxDump(0, cut), 1);
    EXPECT_EQ(sent(), "");

    // Arrangement images keep their style part at 42623.
    std::string arr(42622, '\0');
    put(arr, 1, 19);
    arr += img.substr(669);
    EXPECT_EQ(StyGroupData(1, arr), items.substr(107, 101));
}

// A dump says whether it went out, so that callers record only what did.
TEST_F(MidiTest, DumpsSayWhetherTheyWentOut) {
    const std::string sty = styWindow({20, 20, 20, 20}, std::string(80, 'x'));
    const std::string arr(12142, 'a'), prg(32094, 'p');
    const struct { const char* what; std::function<void()> before; int arr, sty, prg, gbl; } cases[] = {
        {"sent", [] {}, 0, 0, 0, 0},
        {"MIDI off", [] { MidiOn = 0; }, 1, 2, 1, 1},
        {"refused by the layer", [this] { midi->failWrite = MidiErrFailed; }, 1, 2, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int rc[4];
        const std::function<int()> sends[4] = {[&] { return ArrTxBank(arr); }, [&] { return StyTxDump(0, sty); },
                                               [&] { return PrgTxBank(prg); }, [&] { return GblTxDump(arr); }};
        for (int i = 0; i < 4; ++i) {
            c.before();
            if (midi->failWrite) dialogs.answer(vbOK);
            rc[i] = sends[i]();
            sent();
            midi->failWrite = 0;
            MidiOn = 1;
        }
        EXPECT_EQ(std::tuple(rc[0], rc[1], rc[2], rc[3]), std::tuple(c.arr, c.sty, c.prg, c.gbl));
    }
}

TEST_F(MidiTest, GlobalAndBackingSequenceDumps) {
    GlobalChannel = 1;
    std::string img = std::string(302, '\0') + randomBytes(416, 4);
    EXPECT_EQ(GblTxDump(img), 0);
    std::string m = sent();
    ASSERT_EQ(m.size(), 481u);
    expectDump(m, "F0 42 31 4D 51", img.substr(302, 415));  // the 416th byte is never sent

    const struct { std::size_t len; unsigned lo, hi; } cases[] = {
        {2322 + 16 * 5, 5, 0}, {2322 + 16 * 300 + 15, 300 & 0x7F, 2}, {89984, 5478 & 0x7F, 42}, {100, 0, 0},
    };
    for (const auto& c : cases) {
        std::string data = randomBytes(c.len, static_cast<unsigned>(c.len));
        std::string b = BsqDumpMsg(data);
        EXPECT_EQ(b.substr(0, 7), bytesOf({0xF0, 0x42, 0x31, 0x4D, 0x66, c.lo, c.hi})) << c.len;
        EXPECT_EQ(Unpack7(b.substr(7, b.size() - 8)) + b.substr(b.size() - 1), data + "\xF7");
    }
    midi->clear();
    BsqTxDump(randomBytes(3000, 9));
    EXPECT_EQ(sent(), BsqDumpMsg(randomBytes(3000, 9)));
}

TEST_F(MidiTest, PrgParamTxThenTwentyZeroBytes) {
    const struct { int g, i, v; std::string tail; } cases[] = {
        {2, 0, -50, "02 00 4E 7F F7"}, {1, 9, -15, "01 09 71 7F F7"}, {3, 4, 99, "03 04 63 00 F7"},
        {0, 1, 300, "00 01 2C 02 F7"}, {0, 1, 20000, "00 01 20 1C F7"},  // never a status byte inside
    };
    for (const auto& c : cases) {
        midi->clear();
        PrgParamTx(c.g, c.i, static_cast<int16_t>(c.v));
        std::string m = sent();
        EXPECT_EQ(hexOf(m.substr(0, 10)), "F0 42 30 4D 60 " + c.tail) << c.v;
        EXPECT_EQ(m.substr(10), std::string(20, '\0'));
        EXPECT_EQ(MidiHdr.lpData, m.substr(0, 10)) << "the buffer holds the parameter message again";
    }
}

TEST_F(MidiTest, ArrParamTxValues) {
    const struct { int par, value, neg; std::string tail; } cases[] = {
        {2, 255, 1, "02 7F 7F F7"}, {3, 200, 0, "03 48 01 F7"}, {15, 96, 0, "0F 60 00 F7"}, {6, 0, 0, "06 00 00 F7"},
    };
    openMonitor();
    for (const auto& c : cases) {
        midi->clear();
        ArrParamTx(0, c.par, c.value, c.neg);
        EXPECT_EQ(hexOf(sent()), "F0 42 30 4D 41 " + c.tail) << c.value;
    }
    EXPECT_EQ(monitor, "") << "parameter changes are not logged";
}

TEST_F(MidiTest, ModeSendersSendLogAndSetTheMode) {
    const struct { void (*send)(); unsigned byte; int mode; } cases[] = {
        {ModeTx0A, 0x0A, 0}, {ModeTx06, 0x06, 1}, {ModeTx04, 0x04, 2}, {ModeTx0B, 0x0B, 3}, {ModeTx02, 0x02, 4}};
    openMonitor();
    int modeAtDisplay = -1;
    std::size_t sentAtDisplay = 0;
    FakeMainWindow win;
    win.onModeDisplay = [&] {
        modeAtDisplay = ModeNow;
        sentAtDisplay = midi->written().size();
    };
    for (const auto& c : cases) {
        ModeNow = c.mode == 0 ? 1 : 0;
        midi->clear();
        monitor = "stale";
        c.send();
        std::string want = bytesOf({0xF0, 0x42, 0x30, 0x4D, 0x4E, c.byte, 0xF7});
        // GLOBAL shows the mode before it sends; the others after. The monitor is cleared first.
        const std::string out = sent();
        EXPECT_EQ(std::tuple(out, ModeNow, modeAtDisplay, sentAtDisplay, monitor),
                  std::tuple(want, c.mode, c.mode, c.mode == 2 ? 0u : 7u, MidiMonFormat(want)));
    }
}

TEST_F(MidiTest, ChannelMessages) {
    NoteOnSend(2, 60, 100), NoteOffSend(2, 60), ControlSend(2, 1, 64);
    PitchBendSend(2, 0), PitchBendSend(2, -8192), PitchBendSend(2, 8191), AllNotesOffSend(2);
    EXPECT_EQ(hexOf(sent()), "92 3C 64 82 3C 00 B2 01 40 E2 00 40 E2 00 00 E2 7F 7F B2 7B 00");
}

TEST_F(MidiTest, NothingIsSentWhileMidiIsOff) {
    MidiOn = 0;
    openMonitor();
    MidiHdr.lpData = "untouched";
    std::string img(32094, '\x01');
    put(img, 1, 4);
    const std::string sty = styWindow({16, 16, 16, 16}, std::string(64, 'x'));
    int n = 3;
    for (void (*send)() : {ModeTx0A, ModeTx06, ModeTx04, ModeTx0B, ModeTx02, MidiOutLongSend,
                           MidiThruConnect, MidiInStartDev, MidiOutCloseDev, MidiInCloseDev})
        send();
    ArrSelectSend(n, 3), PrgSelectSend(img, 1), ArrTxBank(img), PrgTxBank(img), StyTxDump(0, sty);
    GblTxDump(img), BsqTxDump(img), PrgParamTx(1, 1, 1), ArrParamTx(0, 2, 60, 0);
    NoteOnSend(0, 60, 100), NoteOffSend(0, 60), ControlSend(0, 1, 1), PitchBendSend(0, 100), AllNotesOffSend(0);
    Timer::Advance(30000);
    EXPECT_TRUE(midi->events.empty()) << midi->events.size() << " device calls";
    EXPECT_EQ(std::tuple(n, ModeNow, MidiHdr.lpData + monitor, DevOpen), std::tuple(3, 0, "untouched", 1));
}
