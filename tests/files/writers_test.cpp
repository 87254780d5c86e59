// Saving: byte-exact round trips, companion files, failed writes and Save As.
#include <filesystem>

#include "files/StyGroups.h"
#include "files/Writers.h"
#include "filestest.h"
#include "platform/Files.h"
#include "platform/Paths.h"

TEST_F(FilesTest, SavedFilesEqualTheFilesReadUnderTheirNamesOnDisk) {
    struct Case { std::string onDisk, file, image; };
    std::string gbl = GblMagic() + std::string(440, '\x05');
    std::string sty = styFile({styItem("Rock", 500), styItem("Jazz", 300)});
    // The instrument's disks name files in capitals: "SONG.ARR" is written
    // back to, never joined by a "SONG.arr".
    std::vector<Case> cases = {
        {"SONG.ARR", ArrBankImage(0), arrImage(ArrBankImage(0), startFile("SONG"))},
        {"BANK.Prg", PrgTemplateImage(), prgImage(PrgTemplateImage(), startFile("BANK"))},
        {"ROCK.STY", sty, styImage(sty, startFile("ROCK"))},
        {"doc.gbl", gbl, imageOf(25, startFile("doc"), gbl)},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.onDisk);
        writeFileBytes(startFile(c.onDisk), "old");
        for (long mark : {4, 7, 10}) put(c.image, mark, 1);
        EXPECT_EQ(FileSave(c.image), 0);
        EXPECT_EQ(readFileBytes(startFile(c.onDisk)), c.file);
        namespace fs = std::filesystem;
        EXPECT_EQ(std::distance(fs::directory_iterator(startDir()), fs::directory_iterator()), 1) << "no file beside it";
        std::filesystem::remove(startFile(c.onDisk));
        EXPECT_EQ(at(c.image, 4) + at(c.image, 7) + at(c.image, 10), PathExt(c.onDisk) == "ARR" ? 1 : 0)
            << "changed marks cleared (an arrangement keeps its programs mark)";
    }
    EXPECT_EQ(GblFileData, gbl);

    // The companions too: a stale SONG.STY goes, a .PRG twin is replaced.
    writeFileBytes(startFile("SONG.STY"), sty);
    std::string song = cases[0].image;
    put(song, 9, 1);
    EXPECT_EQ(ArrSave(song, true), 0);
    EXPECT_FALSE(FileExists(startFile("SONG.STY")));
    writeFileBytes(startFile("BANK.PRG"), PrgTemplateImage());
    std::string bank = cases[1].image;
    put(bank, ImgPrgOnDisk, 1);
    put(bank, 19, 1);
    EXPECT_EQ(FileSave(bank), 0);
    EXPECT_FALSE(FileExists(startFile("BANK.PRG")));
}

TEST_F(FilesTest, WritersRefuseAFilePartOfTheWrongLength) {
    std::string badStyle = styFile({styItem("A", 100)});
    put16lo(badStyle, 25, 500);   // claims more than it holds
    std::string styled = arrImage(ArrBankImage(0), startFile("d"), badStyle);
    put(styled, 10, 1);
    struct { const char* file; std::string image; } cases[] = {
        {"d.arr", imageOf(19, startFile("d"), ArrBankImage(0).substr(0, 5000))},
        {"d.sty", styled},   // its .arr is not written either
        {"d.prg", imageOf(21, startFile("d"), PrgTemplateImage().substr(0, 1001))},
        {"d.sty", styImage(badStyle, startFile("d"))},
        {"d.gbl", imageOf(25, startFile("d"), GblMagic())},
    };
    for (const char* f : {"d.arr", "d.prg", "d.sty", "d.gbl"}) writeFileBytes(startFile(f), std::string("good ") + f);
    for (auto& c : cases) {
        SCOPED_TRACE(c.file);
        put(c.image, 4, 1), put(c.image, 10, 1);
        dialogs.shown.clear();
        dialogs.answer(vbOK);
        EXPECT_EQ(FileSave(c.image), 2);
        ASSERT_EQ(onlyBox(), ErrMsgText(ErrDataFormat));
        EXPECT_EQ(std::tuple(dialogs.shown[0].title, at(c.image, 4) + at(c.image, 10)), std::tuple(c.file, 2))
            << "still changed";
    }
    for (const char* f : {"d.arr", "d.prg", "d.sty", "d.gbl"})
        EXPECT_EQ(readFileBytes(startFile(f)), std::string("good ") + f);
    dialogs.chooseFile(startFile("e.arr"));
    dialogs.answer(vbOK);
    EXPECT_EQ(FileSaveAs(cases[0].image), 2);
    EXPECT_FALSE(FileExists(startFile("e.arr")));
}

TEST_F(FilesTest, ArrangementSaveTreatsTheCompanionStyleFile) {
    const std::string base = startFile("song");
    const std::string goodSty = styFile({styItem("Mine", 200)});
    // No style file of its own (the template appended): a damaged one stays;
    // one the window did not hold stays too, whatever its kind.
    std::string img = arrImage(ArrBankImage(0), base, StyTemplateImage());
    put(img, 9, 1);
    std::string fresh = img;
    put(fresh, 1, 20);
    writeFileBytes(base + ".sty", goodSty);
    EXPECT_EQ(ArrSave(fresh, false), 0);
    EXPECT_EQ(ArrSave(img, false), 0);
    EXPECT_EQ(readFileBytes(base + ".sty"), goodSty);
    writeFileBytes(base + ".sty", "damaged");
    EXPECT_EQ(ArrSave(img, true), 0);
    EXPECT_EQ(readFileBytes(base + ".sty"), "damaged");
    // Its own styles: written only when they changed.
    std::string own = arrImage(ArrBankImage(0), base, goodSty);
    for (int changed : {0, 1}) {
        put(own, 10, static_cast<unsigned>(changed));
        EXPECT_EQ(ArrSave(own, false), 0);
        EXPECT_EQ(std::tuple(readFileBytes(base + ".sty"), at(own, 10)), std::tuple(changed ? goodSty : "damaged", 0));
    }
}

TEST_F(FilesTest, ProgramSaveDeletesTheTwinOnlyWhenItIsTheFileOpened) {
    const std::string base = startFile("prog");
    writeFileBytes(base + ".prg", PrgTemplateImage());
    std::string img = prgImage(PrgTemplateImage(), base);
    put(img, ImgPrgOnDisk, 1);   // opened from prog.prg
    put(img, 19, 1);             // now holds a reference: a .pgg
    putMid(img, 271, "KPGG");
    EXPECT_EQ(FileSave(img), 0);
    EXPECT_TRUE(FileExists(base + ".pgg") && !FileExists(base + ".prg") && at(img, ImgPrgOnDisk) == 2);

    // A window that did not come from the twin leaves it alone.
    writeFileBytes(startFile("other.pgg"), "someone's file");
    std::string fresh = prgImage(PrgTemplateImage(), startFile("other"));
    EXPECT_EQ(FileSave(fresh), 0);
    EXPECT_EQ(readFileBytes(startFile("other.pgg")) + readFileBytes(startFile("other.prg")),
              "someone's file" + PrgTemplateImage());

    // A window opened from a .prg whose save would now go to another .pgg
    // that already exists replaces nothing: it says so and saves nothing.
    writeFileBytes(startFile("two.prg"), PrgTemplateImage());
    writeFileBytes(startFile("two.pgg"), "a different bank");
    std::string two = prgImage(PrgTemplateImage(), startFile("two"));
    for (long p : {long(ImgPrgOnDisk), 19L, 7L}) put(two, p, 1);
    dialogs.answer(vbOK);
    EXPECT_GT(FileSave(two), 0);
    EXPECT_NE(dialogs.shown.back().text.find("two.pgg"), std::string::npos);
    EXPECT_EQ(readFileBytes(startFile("two.pgg")) + readFileBytes(startFile("two.prg")),
              "a different bank" + PrgTemplateImage());
    EXPECT_EQ(at(two, 7), 1);
}

TEST_F(FilesTest, SaveAsFailedAndDone) {
    std::string img = arrImage(ArrBankImage(0), "Untitled (1)", "", 20);
    for (long mark : {4, 11, 18}) put(img, mark, 1);
    const std::string before = img;
    SimulateWriteFailure(FileError::AccessDenied);
    dialogs.chooseFile(startFile("new.arr"));
    dialogs.answer(vbOK);
    EXPECT_EQ(FileSaveAs(img), 2);
    EXPECT_TRUE(img == before && !FileExists(startFile("new.arr")));
    SimulateWriteFailure(FileError::None);

    dialogs.chooseFile(startFile("new.arr"));
    EXPECT_EQ(FileSaveAs(img), 0);
    EXPECT_EQ(std::tuple(readFileBytes(startFile("new.arr")), rtrim(mid(img, 21, 250))),
              std::tuple(ArrBankImage(0), startFile("new")));
    for (long p : {4L, 7L, 10L, 11L, 18L}) EXPECT_EQ(at(img, p), 0) << p;
    // The styles go along, under the name as typed.
    const std::string sty = styFile({styItem("Own", 100)});
    std::string own = arrImage(ArrBankImage(0), startFile("a"), sty);
    dialogs.chooseFile(startFile("b.ARR"));
    EXPECT_EQ(FileSaveAs(own), 0);
    EXPECT_TRUE(readFileBytes(startFile("b.ARR")) == ArrBankImage(0) && !FileExists(startFile("b.arr")))
        << "the name as typed";
    EXPECT_EQ(readFileBytes(startFile("b.sty")), sty) << "unchanged styles still go with the new file";

    std::string longName(300, 'n');
    dialogs.chooseFile(startFile(longName + ".arr"));
    dialogs.answer(vbOK);
    EXPECT_EQ(FileSaveAs(own), 2);
    EXPECT_EQ(dialogs.shown.back().text, ErrMsgText(ErrPathTooLong, startFile(longName) + ".arr"));
}
