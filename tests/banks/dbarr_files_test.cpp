// The database file as the add, the lookup and the update read and change it.
#include <filesystem>

#include "dbarrfixture.h"

namespace fs = std::filesystem;

TEST_F(DBArrTest, AddNumbersAFileOrSaysWhyNot) {
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
    const struct {
        const char* what;
        std::string image;
        std::vector<std::string> files;
        std::string dir, name;
        int id;
        std::string box;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(F());
        fs::create_directory(F());
        for (const auto& f : c.files) arr(f);
        writeFileBytes(DBArrFile, c.image);
        if (!c.box.empty()) dialogs.answer(vbOK);
        EXPECT_EQ(add(c.dir, c.name), c.id);
        EXPECT_EQ(std::tuple(db() == c.image, boxes()), std::tuple(true, c.box));
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

TEST_F(DBArrTest, LookupFindsTheNumberedFileOnly) {
    start();
    const std::string good = dbOf(F(), {{"Bank", 12}, {"Song", 3}});
    std::string afterGap = dbOf(F(), {{"Song", 3}});
    putMid(afterGap, dbarr::SlotPos(5), padRight("Bank", 24) + bytesOf({12, 0}));
    const struct {
        const char* what;
        std::string image;
        std::vector<std::string> files;
        std::string path;
        int id;
    } cases[] = {
        {"as stored", good, {"Bank.arr"}, F() + "/Bank", 12},
        {"the file in other case alone", good, {"BANK.arr"}, F() + "/BANK", 12},
        {"both spellings", good, {"Bank.arr", "BANK.arr"}, F() + "/BANK", 0},
        {"folder in other case", good, {"Bank.arr"}, startFile("SONGS") + "/Bank", 0},
        {"after an empty slot", afterGap, {"Bank.arr"}, F() + "/Bank", 0},
        {"ID 0", dbOf(F(), {{"Bank", 0}}), {}, F() + "/Bank", 0},
        {"ID 1", dbOf(F(), {{"Bank", 1}}), {}, F() + "/Bank", 0},
        {"ID 2", dbOf(F(), {{"Bank", 2}}), {}, F() + "/Bank", 0},
        {"ID 1000", dbOf(F(), {{"Bank", 1000}}), {}, F() + "/Bank", 0},
        {"25-byte name", dbOf(F(), {{std::string(24, 'x'), 3}}), {}, F() + "/" + std::string(25, 'x'), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(F());
        fs::create_directory(F());
        for (const auto& f : c.files) arr(f);
        writeFileBytes(DBArrFile, c.image);
        EXPECT_EQ(DBArrLookupID(c.path), c.id);
        EXPECT_TRUE(db() == c.image);
    }
    writeFileBytes(DBArrFile, "");
    EXPECT_EQ(DBArrLookupID(F() + "/Bank"), 0);
    EXPECT_FALSE(dbExists()) << "an empty file is deleted";
    EXPECT_EQ(DBArrLookupID(F() + "/Bank"), 0);
    EXPECT_FALSE(dbExists()) << "none is created";
    // The open editor answers from what it shows.
    arr("Bank.arr");
    writeFileBytes(DBArrFile, good);
    ASSERT_TRUE(openEditor());
    writeDb({{"Song", 3}});
    EXPECT_EQ(DBArrLookupID(F() + "/Bank"), 12);
}

TEST_F(DBArrTest, UpdateRemovesTheEntriesOfMissingAndForeignFiles) {
    startDb({{"alpha", 4}, {"beta", 3}, {"Gamma", 5}, {"gone", 6}, {"short", 7}, {"wrong", 8}});
    for (const char* n : {"alpha.arr", "beta.arr", "Gamma.ARR"}) arr(n);
    arr("short.arr", arrFileOf({}).substr(1));
    std::string wrong = arrFileOf({});
    put(wrong, 7, 4);
    arr("wrong.arr", wrong);
    frmEditDBArr* e = openEditor();
    RunMenuCommand(MenuId::mnuAggArr);
    EXPECT_EQ(status(), MsgSubst(Msg(101), "i40DBArr"));
    Timer::Advance(20);
    EXPECT_EQ(status(), "");
    EXPECT_DB({{"alpha", 4}, {"beta", 3}, {"Gamma", 5}});
    EXPECT_TRUE(FileLen(song("short.arr")) > 0 && FileLen(song("wrong.arr")) > 0);
    EXPECT_EQ(rows(e).size(), 5u);
    arr("new.arr");
    ArrDir = F();
    ArrName = "new";
    DBArrAdd(19);
    EXPECT_EQ(std::tuple(ArrDBID, boxes()), std::tuple(6, std::string()));

    // Nothing to remove: nothing written. Bytes kept, one box each.
    const std::string two = dbOf(F(), {{"alpha", 4}, {"beta", 3}}), title = "|Reading i40DBArr";
    const std::string none = MsgSubst(Msg(MsgDBArrNoneFound), F()) + title;
    const struct {
        const char* what;
        std::function<void()> make;
        std::string image, box;
    } cases[] = {
        {"all valid", [] {}, two, ""},
        {"folder renamed", [&] { fs::rename(F(), F() + "2"); }, two, none},
        {"folder emptied", [&] { fs::remove(song("alpha.arr")), fs::remove(song("beta.arr")); }, two, none},
        {"a read failure", [&] { SimulateReadFailure(FileError::ReadError, song("beta.arr")); }, two,
         FileErrText(FileError::ReadError, "beta.arr") + "|Reading beta.arr"},
        {"no database", [] {}, "", ErrMsgText(ErrFileNotFound) + title},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(F() + "2");
        fs::remove_all(F());
        fs::create_directory(F());
        arr("alpha.arr");
        arr("beta.arr");
        fs::remove(DBArrFile);
        if (!c.image.empty()) writeFileBytes(DBArrFile, c.image);
        const auto before = fs::exists(DBArrFile) ? fs::last_write_time(DBArrFile) : fs::file_time_type{};
        c.make();
        if (!c.box.empty()) dialogs.answer(vbOK);
        DBArrAggiorna();
        SimulateReadFailure(FileError::None);
        EXPECT_EQ(std::tuple(boxes(), db() == c.image), std::tuple(c.box, true));
        if (!c.image.empty()) {
            EXPECT_EQ(fs::last_write_time(DBArrFile), before) << "not written";
        }
    }
}
