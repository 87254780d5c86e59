// The database file as the add, the lookup and the update read and change it.
#include <algorithm>
#include <filesystem>

#include "dbarrfixture.h"

namespace fs = std::filesystem;

namespace {
class DBArrFiles : public DBArrTest {
protected:
    // F holding only these arrangement files.
    void freshFolder(const std::vector<std::string>& files) {
        fs::remove_all(F());
        fs::create_directory(F());
        for (const auto& f : files) arr(f);
    }
};
}  // namespace

TEST_F(DBArrFiles, AddNumbersAFileOrSaysWhyNot) {
    start();
    auto add = [&](const std::string& dir, const std::string& name) {
        ArrDir = dir;
        ArrName = name;
        ArrDBID = -1;
        DBArrAdd(19);
        return ArrDBID;
    };
    // No database: the question; No leaves none, Yes makes it.
    arr("Song.arr");
    dialogs.answer(vbNo);
    EXPECT_EQ(add(F(), "Song"), 0);
    EXPECT_EQ(std::tuple(dbExists(), boxes()), std::tuple(false, AskKeepChangesText(3) + "|Edit i40DBArr"));
    dialogs.answer(vbYes);
    EXPECT_EQ(add(F(), "Song"), 3);
    EXPECT_DB({{"Song", 3}});
    EXPECT_EQ(dbItems(), "111");
    boxes();
    // A database written while the question stood open is added to.
    fs::remove(DBArrFile);
    DialogsDuring during;
    during.during = [&] { writeDb({{"Zed", 3}}); };
    during.answer(vbYes);
    SetDialogService(&during);
    EXPECT_EQ(add(F(), "Song"), 4);
    SetDialogService(&dialogs);
    EXPECT_DB({{"Song", 4}, {"Zed", 3}});

    // Refusals keep the bytes and create nothing.
    const std::string one = dbOf(F(), {{"Alpha", 3}}), reading = "|Reading i40DBArr";
    const std::string foreign = ErrMsgText(ErrReading, "") + reading;
    std::vector<std::pair<std::string, int>> full;
    for (int i = 0; i < 997; ++i) full.push_back({"n" + std::to_string(1000 + i), 3 + i});
    fs::create_directory_symlink(F(), startFile("link"));
    using Files = std::vector<std::string>;
    // What, database, files in F, folder and name added, its number, the box.
    const std::tuple<const char*, std::string, Files, std::string, std::string, int, std::string> cases[] = {
        {"other case, that file alone", one, {"ALPHA.arr"}, F(), "ALPHA", 3, ""},
        {"other case, both files", one, {"Alpha.arr", "ALPHA.arr"}, F(), "ALPHA", 0,
         MsgSubst(Msg(MsgDBArrCase), "ALPHA.arr") + reading},
        {"another folder", one, {}, "/elsewhere", "Beta", 0, ""},
        {"the folder through a link", one, {"Alpha.arr"}, startFile("link"), "Alpha", 3, ""},
        {"25-byte name", one, {}, F(), std::string(25, 'x'), 0,
         MsgSubst(Msg(MsgDBArrName), std::string(25, 'x') + ".arr") + reading},
        {"ends in a blank", one, {}, F(), "Song ", 0, MsgSubst(Msg(MsgDBArrName), "Song .arr") + reading},
        {"full", dbOf(F(), full), {}, F(), "extra", 0, Msg(MsgDBArrFull) + reading},
        {"wrong signature", "I40DBArr" + one.substr(8), {}, F(), "New", 0, foreign},
        {"one byte short", one.substr(0, DBArrLen - 1), {}, F(), "New", 0, foreign},
        {"one byte long", one + ' ', {}, F(), "New", 0, foreign},
        {"an ID 1000", dbOf(F(), {{"Alpha", 1000}}), {}, F(), "New", 0, foreign},
    };
    for (const auto& [what, image, files, dir, name, id, box] : cases) {
        SCOPED_TRACE(what);
        freshFolder(files);
        writeFileBytes(DBArrFile, image);
        if (!box.empty()) dialogs.answer(vbOK);
        EXPECT_EQ(add(dir, name), id);
        EXPECT_EQ(std::tuple(db() == image, boxes()), std::tuple(true, box));
    }
    // Kinds 2 and 3 never make or change a database.
    fs::remove(DBArrFile);
    DBArrAdd(2);
    EXPECT_EQ(std::tuple(ArrDBID, dbExists()), std::tuple(0, false));

    // A failed write changes nothing, also in the open editor.
    writeFileBytes(DBArrFile, one);
    ASSERT_TRUE(openEditor());
    SimulateWriteFailure(FileError::DiskFull);
    dialogs.answer(vbOK);
    EXPECT_EQ(add(F(), "Beta"), 0);
    EXPECT_EQ(boxes(), FileErrText(FileError::DiskFull, "i40DBArr") + reading);
    EXPECT_EQ(std::tuple(db() == one, DBArrLookupID(F() + "/Beta")), std::tuple(true, 0));
}

TEST_F(DBArrFiles, LookupFindsTheNumberedFileOnly) {
    start();
    const std::string good = dbOf(F(), {{"Bank", 12}, {"Song", 3}});
    std::string afterGap = dbOf(F(), {{"Song", 3}});
    putMid(afterGap, dbarr::SlotPos(5), padRight("Bank", 24) + bytesOf({12, 0}));
    // What, database, files in F, path looked up, its number.
    std::vector<std::tuple<std::string, std::string, std::vector<std::string>, std::string, int>> cases = {
        {"as stored", good, {"Bank.arr"}, F() + "/Bank", 12},
        {"the file in other case alone", good, {"BANK.arr"}, F() + "/BANK", 12},
        {"both spellings", good, {"Bank.arr", "BANK.arr"}, F() + "/BANK", 0},
        {"folder in other case", good, {"Bank.arr"}, startFile("SONGS") + "/Bank", 0},
        {"after an empty slot", afterGap, {"Bank.arr"}, F() + "/Bank", 0},
        {"25-byte name", dbOf(F(), {{std::string(24, 'x'), 3}}), {}, F() + "/" + std::string(25, 'x'), 0},
    };
    for (int id : {0, 1, 2, 1000}) cases.push_back({"ID " + std::to_string(id), dbOf(F(), {{"Bank", id}}), {}, F() + "/Bank", 0});
    for (const auto& [what, image, files, path, id] : cases) {
        SCOPED_TRACE(what);
        freshFolder(files);
        writeFileBytes(DBArrFile, image);
        EXPECT_EQ(DBArrLookupID(path), id);
        EXPECT_TRUE(db() == image);
    }
    // An empty file is deleted; none is created.
    writeFileBytes(DBArrFile, "");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(DBArrLookupID(F() + "/Bank"), 0);
        EXPECT_FALSE(dbExists());
    }
    // The open editor answers from what it shows.
    arr("Bank.arr");
    writeFileBytes(DBArrFile, good);
    ASSERT_TRUE(openEditor());
    writeDb({{"Song", 3}});
    EXPECT_EQ(DBArrLookupID(F() + "/Bank"), 12);
}

// A database damaged outside the program: every change refuses it with one
// box and leaves its bytes as they are; the lookup and the editor's list
// read it as far as it goes.
TEST_F(DBArrFiles, DamagedDatabasesAreReadButNeverChanged) {
    start();
    freshFolder({"Song.arr", "Tune.arr", "New.arr"});
    const std::string base = dbOf(F(), {{"Song", 3}, {"Tune", 4}});
    const auto with = [&](long pos, const std::string& bytes) {
        std::string img = base;
        putMid(img, pos, bytes);
        return img;
    };
    const auto slot = [](const std::string& name, unsigned id) { return padRight(name, 24) + bytesOf({id, 0}); };
    const std::pair<const char*, std::string> cases[] = {
        {"byte 9 not zero", with(9, bytesOf({1}))},
        {"byte 26 not zero", with(26, "x")},
        {"slot 2 holds an entry", with(dbarr::SlotPos(2), slot("Aaa", 5))},
        {"slot 2 with a blank changed", with(dbarr::SlotPos(2) + 5, "x")},
        {"an empty slot past the list with a name", with(dbarr::SlotPos(9) + 1, "x")},
        {"the last slot with an ID", with(dbarr::SlotPos(999) + 24, bytesOf({7}))},
        {"an entry after the first empty slot", with(dbarr::SlotPos(6), slot("Bank", 12))},
        {"entries out of name order", dbOf(F(), {{"Tune", 4}, {"Song", 3}})},
        {"one name twice", dbOf(F(), {{"Song", 3}, {"SONG", 4}})},
        {"a blank name", dbOf(F(), {{"", 5}, {"Song", 3}, {"Tune", 4}})},
        {"a zero byte in a name", dbOf(F(), {{"Song", 3}, {std::string("Tu\0ne", 5), 4}})},
        {"an ID byte 2", with(dbarr::IdUsedPos(3), bytesOf({2}))},
    };
    const std::string reading = "|Reading i40DBArr";
    for (const auto& [what, image] : cases) {
        SCOPED_TRACE(what);
        writeFileBytes(DBArrFile, image);
        EXPECT_EQ(DBArrLookupID(F() + "/Song"), 3);
        ArrDir = F();
        ArrName = "New";
        dialogs.answer(vbOK);
        DBArrAdd(19);
        EXPECT_EQ(std::tuple(boxes(), ArrDBID, db() == image),
                  std::tuple(ErrMsgText(ErrReading, "") + reading, 0, true)) << "add";
        dialogs.answer(vbOK);
        DBArrAggiorna();
        EXPECT_EQ(std::tuple(boxes(), db() == image), std::tuple(ErrMsgText(ErrReading, "") + reading, true))
            << "update";

        frmEditDBArr* e = openEditor();
        ASSERT_TRUE(e);
        const std::vector<std::string> shown = rows(e);
        const auto song = std::find(shown.begin(), shown.end(), "3\tSong.arr");
        ASSERT_NE(song, shown.end());
        EXPECT_EQ(std::tuple(boxes(), DBArrLookupID(F() + "/Song")), std::tuple(std::string(), 3));
        dialogs.answer(vbOK);
        e->CommAddAll->press();
        Timer::Advance(20);
        EXPECT_EQ(std::tuple(boxes(), db() == image),
                  std::tuple(ErrMsgText(ErrDBArrData, "") + "|Opening i40DBArr", true)) << "add all";
        e->List1->setListIndex(static_cast<int>(song - shown.begin()));
        dialogs.answer(vbOK);
        e->CommDelete->press();
        EXPECT_EQ(std::tuple(boxes(), db() == image, rows(e)),
                  std::tuple(ErrMsgText(ErrDBArrData, "") + "|Edit i40DBArr", true, shown)) << "delete";
        e->Unload();
    }
}

TEST_F(DBArrFiles, UpdateRemovesTheEntriesOfMissingAndForeignFiles) {
    startDb({{"alpha", 4}, {"beta", 3}, {"Gamma", 5}, {"gone", 6}, {"short", 7}, {"wrong", 8}});
    for (const char* n : {"alpha.arr", "beta.arr", "Gamma.ARR"}) arr(n);
    arr("short.arr", arrFileOf({}).substr(1));
    std::string wrong = arrFileOf({});
    put(wrong, 7, 4);
    arr("wrong.arr", wrong);
    RunMenuCommand(MenuId::mnuAggArr);
    Timer::Advance(20);
    EXPECT_DB({{"alpha", 4}, {"beta", 3}, {"Gamma", 5}});
    EXPECT_TRUE(FileLen(song("short.arr")) > 0 && FileLen(song("wrong.arr")) > 0);

    // Nothing to remove: nothing written. Bytes kept, one box each.
    const std::string two = dbOf(F(), {{"alpha", 4}, {"beta", 3}}), title = "|Reading i40DBArr";
    const std::string none = MsgSubst(Msg(MsgDBArrNoneFound), F()) + title;
    // What, the change to F, the database, the box.
    const std::tuple<const char*, std::function<void()>, std::string, std::string> cases[] = {
        {"all valid", [] {}, two, ""},
        {"folder renamed", [&] { fs::rename(F(), F() + "2"); }, two, none},
        {"folder emptied", [&] { fs::remove(song("alpha.arr")), fs::remove(song("beta.arr")); }, two, none},
        {"a read failure", [&] { SimulateReadFailure(FileError::ReadError, song("beta.arr")); }, two,
         FileErrText(FileError::ReadError, "beta.arr") + "|Reading beta.arr"},
        {"no database", [] {}, "", ErrMsgText(ErrFileNotFound) + title},
    };
    for (const auto& [what, make, image, box] : cases) {
        SCOPED_TRACE(what);
        fs::remove_all(F() + "2");
        freshFolder({"alpha.arr", "beta.arr"});
        fs::remove(DBArrFile);
        if (!image.empty()) writeFileBytes(DBArrFile, image);
        const auto before = fs::exists(DBArrFile) ? fs::last_write_time(DBArrFile) : fs::file_time_type{};
        make();
        if (!box.empty()) dialogs.answer(vbOK);
        DBArrAggiorna();
        SimulateReadFailure(FileError::None);
        EXPECT_EQ(std::tuple(boxes(), db() == image), std::tuple(box, true));
        EXPECT_TRUE(image.empty() || fs::last_write_time(DBArrFile) == before) << "not written";
    }
}
