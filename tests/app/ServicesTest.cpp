#include "apptest.h"

#include <filesystem>
#include <regex>
#include <set>

#include "app/Captions.h"
#include "app/InfoFile.h"
#include "app/Messages.h"
#include "app/Mru.h"
#include "app/Names.h"
#include "platform/bytes.h"

namespace {

// Every "<name>(<number>" and "<name> = <number>" in the program's sources.
std::set<int> numbersInSources(const std::regex& re) {
    std::set<int> found;
    for (const auto& e : std::filesystem::recursive_directory_iterator(VELMORA_SOURCE_DIR)) {
        const auto ext = e.path().extension();
        if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        const std::string text = readFileBytes(e.path().string());
        for (std::sregex_iterator m(text.begin(), text.end(), re), end; m != end; ++m)
            found.insert(std::stoi((*m)[1].str()));
    }
    return found;
}

}  // namespace

TEST_F(AppTest, EveryMessageTheProgramUsesExistsInBothLanguages) {
    // Numbers written in the code, the error codes it names, and the tables.
    std::set<int> used = numbersInSources(std::regex(R"(\bMsg(?:Raw)?\(\s*(\d+)\s*\))"));
    for (int code : numbersInSources(std::regex(R"(\bErr[A-Z]\w* = (\d+),)")))
        used.insert(ErrMsgNumber(code));
    for (int code : numbersInSources(std::regex(R"(\bErrMsg\(\s*(\d+)\s*,)")))
        used.insert(ErrMsgNumber(code));
    for (int n : ErrMsgCodes)
        if (n >= 0) used.insert(n);
    for (std::size_t k = 1; k < StatusMsgKinds.size(); ++k) used.insert(StatusMsgKinds[k]);
    for (int n : {52, 53, 94, 97, 126, 127}) used.insert(n);   // the questions
    for (int n : {MsgDevStateFile, MsgInfoFile, MsgSettingsFile, MsgSettingsUnkept}) used.insert(n);
    ASSERT_GT(used.size(), 40u);
    for (int n : used) {
        ASSERT_TRUE(n >= 2 && n < 200) << n;
        EXPECT_FALSE(MsgRaw(n).empty()) << "Italian " << n;
        EXPECT_FALSE(MsgRaw(n + 200).empty()) << "English " << n;
    }
}

TEST_F(AppTest, ErrMsgReplacesTheFirstBlankInTheChosenLanguage) {
    for (int i = 0; i < 3; ++i) dialogs.answer(vbOK);
    LangBase = 200;
    ErrMsg(ErrFileNotFoundName, "Opening x", "a_b.arr");
    LangBase = 0;
    ErrMsg(ErrFileNotFoundName, "", "a_b.arr");
    ErrMsg(ErrReadOnly, "t", "ignored");
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(std::tuple(dialogs.shown[0].text, dialogs.shown[0].title, dialogs.shown[0].style),
              std::tuple("File a_b.arr not found", "Opening x", vbOKOnly | vbExclamation));
    EXPECT_EQ(dialogs.shown[1].text + "|" + dialogs.shown[1].title + "|" + dialogs.shown[2].text,
              std::string("File a_b.arr assente|") + ProgramTitle + "|File di sola lettura");
    // The database's name stands apart from the words after it.
    LangBase = 200;
    EXPECT_EQ(ErrMsgText(ErrDBArrNotFound) + "|" + ErrMsgText(ErrDBArrData),
              "File i40DBArr not found|File i40DBArr data error");
    // A name longer than the system allows is said to be so, read or written.
    const std::string tooLong = startDir() + "/" + std::string(300, 'n');
    std::string got;
    for (FileError e : {ReadWholeFile(tooLong, got), WriteWholeFile(tooLong, "x")})
        EXPECT_EQ(FileErrText(e, "n.arr"), "Path too long: n.arr");
}

TEST_F(AppTest, QuestionsNameWhatChangedAndTheStatusLineShowsBusy) {
    LangBase = 200;
    dialogs.answer(vbYes);
    dialogs.answer(vbNo);
    EXPECT_EQ(AskSaveChanges(2, "T"), vbYes);
    EXPECT_EQ(AskKeepChanges(4, "K"), vbNo);
    EXPECT_EQ(std::tuple(dialogs.shown[0].text, dialogs.shown[0].style, dialogs.shown[1].text, dialogs.shown[1].style),
              std::tuple("The Arrangement has changed.\nSave changes ?", vbYesNoCancel | vbExclamation,
                         "The Program has changed.\nKeep changes ?", vbYesNo | vbExclamation));
    FakeMainWindow win;
    StatusMsg(6, "song.arr");
    EXPECT_EQ(std::tuple(win.status, win.busy), std::tuple("Opening song.arr", true));
    StatusMsg(0);
    EXPECT_EQ(std::tuple(win.status, win.busy), std::tuple("", false));
}

namespace {
std::string image(int kind, int ro, int slot, const std::string& path, int chan16 = 0, int type19 = 0,
                  int chan286 = 0) {
    std::string img(300, '\0');
    for (auto [pos, v] : {std::pair{1, kind}, {2, ro}, {15, slot}, {16, chan16}, {19, type19}, {286, chan286}})
        put(img, pos, static_cast<unsigned>(v));
    putField(img, 21, 238, path);
    return img;
}
}  // namespace

TEST_F(AppTest, CaptionsOfEveryKind) {
    LangBase = 200;
    const struct { std::string img, caption; } cases[] = {
        {image(2, 1, 0, "Arr A"), "Arr A - Read Only"},
        {image(9, 1, 0, "Drum", 9), "Drum - MIDI Channel 10 - Read Only"},
        {image(14, 0, 0, "Global Parameters"), "Global Parameters"},
        {image(19, 1, 3, "/m/songs"), "File Arr - songs.arr (3) - Read Only"},
        {image(19, 1, 9, "/m/bank"), "Arr User (bank.arr)"},
        {image(20, 0, 1, "Untitled"), "New File Arr - Untitled.arr (1)"},
        {image(21, 0, 2, "/m/piano", 0, 1, 4), "File Prg - piano.pgg (2) - MIDI Channel 5"},
        {image(21, 0, 9, "/m/user", 0, 0, 0), "Prg F(User) (user.prg) - MIDI Channel 1"},
        {image(22, 0, 1, "Untitled", 0, 0, 0), "New File Program - Untitled.prg (1) - MIDI Channel 1"},
        {image(23, 1, 9, "/m/ub"), "Sty User (ub.sty)"},
        {image(24, 0, 2, "Untitled"), "New Style - Untitled.sty (2)"},
        {image(25, 0, 1, "/m/setup"), "File Gbl - setup.gbl"},
    };
    for (const auto& c : cases) EXPECT_EQ(DocCaptionBuild(c.img), c.caption);
    writeFileBytes(startFile("SONG.ARR"), "");
    EXPECT_EQ(DocCaptionBuild(image(19, 0, 1, startFile("SONG"))), "File Arr - SONG.ARR (1)") << "the name on disk";
    LangBase = 0;
    EXPECT_EQ(DocCaptionBuild(image(2, 1, 0, "Arr A")), "Arr A - Sola Lettura");
}

TEST_F(AppTest, RecentFiles) {
    FakeMainWindow win;
    MruAdd("/m/a.arr", 0);
    MruAdd("/m/a.ARR", 1);       // same path and kind: nothing
    MruAdd("/m/a.sty", 0);       // same path, other kind: added
    MruAdd("/m/readme.txt", 0);  // not a document: nothing
    EXPECT_EQ(win.recentRefreshes, 2);
    EXPECT_EQ(MruTable[1].Path, "/m/a");
    EXPECT_EQ((std::vector<int>{MruTable[1].Kind, MruTable[2].Kind, MruTable[3].Kind}), (std::vector<int>{1, 2, 0}));
    // An entry emptied in the middle (kind 32) is filled first.
    MruTable[2].Kind = 32;
    MruAdd("/m/b.prg", 0);
    EXPECT_EQ(std::tuple(MruTable[2].Path, MruTable[2].Kind), std::tuple("/m/b", 3));

    for (int i = 3; i <= 8; ++i) MruAdd("/m/f" + std::to_string(i) + ".gbl", 0);
    MruAdd("/m/new.bsq", 1);     // full: everything moves down
    EXPECT_EQ(std::tuple(MruTable[1].Path, MruTable[1].Kind, MruTable[1].RdOnly), std::tuple("/m/new", 6, 1));
    EXPECT_EQ(MruTable[2].Path + MruTable[8].Path, "/m/a/m/f7");
    MruTable[1].Path = "/" + std::string(27, 'x');     // "&1 " + 28 + ".bsq" = 35: whole
    EXPECT_EQ(MruCaption(1), "&1 /" + std::string(27, 'x') + ".bsq");
    std::string e20;   // twenty two-byte characters: the cut falls inside one
    for (int k = 0; k < 20; ++k) e20 += "\xC3\xA8";
    MruTable[1].Path = "/" + e20;
    EXPECT_EQ(MruCaption(1), "&1 ..." + e20.substr(16) + ".bsq");
}

TEST_F(AppTest, InfoFileTitles) {
    FakeMainWindow win;
    InfoFileEnsure();
    EXPECT_EQ(readFileBytes(InfoFile), std::string(1000, ' '));

    // At most 24 bytes of whole characters: the cut falls inside the twelfth.
    std::string longName = "x";
    for (int k = 0; k < 13; ++k) longName += "\xC3\xA8";
    const std::string title = longName.substr(0, 23);
    std::string img(300, '\0');
    putField(img, 21, 238, "/m/" + longName);
    InfoSetArr(img);
    putField(img, 21, 238, "/m/piano");
    InfoSetPrg(img, "pgg");
    const std::string f = readFileBytes(InfoFile);
    ASSERT_EQ(f.size(), 1000u);
    EXPECT_EQ(mid(f, 51, 50), padRight(title, 50));
    EXPECT_EQ(mid(f, 151, 50), padRight("piano", 50));
    EXPECT_EQ(win.labelArr + "|" + win.labelPrg, title + ".arr|piano.pgg");

    InfoArrTitle.clear();
    EXPECT_EQ(InfoFileRead(), "");
    EXPECT_EQ(InfoPrgTitle, "piano");
    EXPECT_TRUE(InfoTitleIs(InfoArrTitle, longName) && !InfoTitleIs(InfoArrTitle, "x"));

    // A damaged file: the titles keep only what can be shown on one line.
    std::string damaged(1000, ' ');
    putMid(damaged, 51, "two\nlines\x01\xFF");
    putMid(damaged, 101, "tab\there\r\n");
    writeFileBytes(InfoFile, damaged);
    EXPECT_EQ(InfoFileRead(), "tabhere");
    EXPECT_EQ(InfoArrTitle, "twolines");
    EXPECT_TRUE(InfoTitleIs(InfoArrTitle, "two\nlines"));

    // Missing file: InfoSet creates it; an empty one is deleted by the reader.
    DeleteFile(InfoFile);
    InfoSetSty(img);
    EXPECT_EQ(mid(readFileBytes(InfoFile), 101, 5), "piano");
    writeFileBytes(InfoFile, "");
    InfoFileRead();
    EXPECT_FALSE(FileExists(InfoFile));
}

TEST_F(AppTest, SlotsAreFoundByTheFileTheyHold) {
    for (int i = 1; i <= 8; ++i) PrgSlotUsed[static_cast<std::size_t>(i)] = i == 6 ? 0 : 1;
    EXPECT_EQ(PrgSlotFree(), 6);
    ArrSlots[2] = {"/m/open", 0, 1};
    ArrSlots[3] = {"/m/min", 0, 2};
    ArrSlots[4] = {"/m/closed", 0, 0};
    ArrSlots[9] = {"/m/user", 0, 1};
    const std::pair<const char*, int> finds[] = {{"/m/open", 1}, {"/m/min", 1}, {"/m/closed", 0}, {"/m/user", 0},
                                                 {"/m/x/../open", 1}, {"/m/Open", 0}};
    for (auto [path, found] : finds) EXPECT_EQ(ArrSlotFind(path), found) << path;
    GblSlots[1] = {"/m/g", 0, 1};
    EXPECT_EQ(GblSlotFind("/m/g.gbl"), 1);
}

TEST_F(AppTest, NoteArrangementAndTrackProgramNames) {
    EXPECT_EQ(NoteName(0) + NoteName(61) + NoteName(127), "C-1C#4G9");
    EXPECT_EQ(ArrNumName(9) + ArrNumName(63) + ArrNumName(64), "A22A88B11");

    NameTablesFill();
    std::string img(303 + 164 * 64, '\0');
    const struct { int arr, track, prog, bank; const char* name; } tracks[] = {
        {0, 7, 127, 0, "B88 Gunshot"}, {5, 6, 65, 1, "D12 Program D12"}, {5, 7, 9, 3, "F22 User"},
        {63, 0, 2, 4, "Dr13 Room Kit"}, {63, 8, 1, 9, ""},
    };
    for (const auto& t : tracks) {
        put(img, 303 + 164 * t.arr + 39 + 8 * t.track, static_cast<unsigned>(t.prog));
        put(img, 303 + 164 * t.arr + 40 + 8 * t.track, static_cast<unsigned>(t.bank));
        EXPECT_EQ(PrgNameOfTrack(img, t.arr, t.track), t.name) << t.arr << "/" << t.track;
    }
    EXPECT_EQ(PrgNameOfTrack(std::string(10, '\0'), 63, 8), "A11 Ac. Grand Piano");
}

TEST_F(AppTest, MultisampleFileRoundTrip) {
    auto names = MultisampleDefaultNames();
    names[7] = "007Strings Pad";
    names[518] = "518Last Sample!!!";   // cut to 15
    const std::string file = MultisampleFileImage(names);
    ASSERT_EQ(file.size(), 7785u);
    EXPECT_EQ(file.find("Strings"), std::string::npos);   // stored scrambled
    writeFileBytes(MultisampleFile, file);
    MultisampleNamesLoad();
    EXPECT_EQ(MultisampleNames[7] + "|" + MultisampleNames[518], "007Strings Pad |518Last Sample!");

    writeFileBytes(MultisampleFile, file.substr(0, 7784));   // short: own names, no crash
    MultisampleNamesLoad();
    EXPECT_EQ(MultisampleNames[7], "007Multisample ");
    DeleteFile(MultisampleFile);
    MultisampleNamesLoad();
    EXPECT_EQ(MultisampleNames[518], "518Multisample ");
}
