// The readers: status, message and buffer for missing, empty, wrong length,
// wrong header and good files; a refused file is never changed.
#include <QString>
#include <filesystem>
#include <functional>

#include "files/Readers.h"
#include "filestest.h"
#include "IdlePipe.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace {

struct ReaderCase {
    const char* name;
    std::function<int(const std::string&)> read;
    std::function<std::string()> good;
    std::string* buffer;
    int okStatus, missing, empty, bad;
    int badCode;          // ErrMsg code of a refused file
    long badHeaderPos;    // a byte whose change makes the header wrong
    bool fixedLen;        // one byte more or less makes the file bad
};

std::vector<ReaderCase> cases() {
    return {
        {"arr", ArrFileRead, [] { return ArrBankImage(0); }, &ArrFileBuf, 0, 3, 3, 2, ErrReading, 7, true},
        {"prg", PrgFileRead, [] { return PrgTemplateImage(); }, &PrgFileBuf, 0, 3, 3, 1, ErrDataFormat, 6, true},
        {"gbl", GblFileRead, [] { return GblMagic() + std::string(440, '\x11'); }, &GblFileData, 0, 3, 3, 2,
         ErrReading, 8, true},
        {"sty", StyFileLoad, [] { return styFile({styItem("Pop", 300)}); }, &StyFileBuf, 0, 2, 2, 1, ErrReading, 8, false},
        {"bsq", BsqFileRead, [] { return BsqMagicBytes() + std::string(3000, '\x01'); }, &BsqFileBuf, 0, 2, 2, 1,
         ErrReading, 7, false},
    };
}

}  // namespace

TEST_F(FilesTest, EveryReaderGivesItsStatusAndMessage) {
    for (const auto& c : cases()) {
        SCOPED_TRACE(c.name);
        const std::string path = startFile(std::string("doc.") + c.name);
        dialogs.shown.clear();

        // Missing, then empty: no message, and the empty file is deleted.
        EXPECT_EQ(c.read(path), c.missing);
        writeFileBytes(path, "");
        EXPECT_EQ(c.read(path), c.empty);
        EXPECT_TRUE(dialogs.shown.empty() && !FileExists(path));

        const std::string good = c.good();
        std::string wrongHeader = good;
        wrongHeader[static_cast<std::size_t>(c.badHeaderPos - 1)] ^= 0x40;
        std::vector<std::string> bads = {wrongHeader, "garbage"};
        if (c.fixedLen) bads.insert(bads.end(), {good.substr(0, good.size() - 1), good + "x"});
        for (const std::string& bad : bads) {
            writeFileBytes(path, bad);
            *c.buffer = "before";
            dialogs.shown.clear();
            dialogs.answer(vbOK);
            EXPECT_EQ(c.read(path), c.bad);
            EXPECT_EQ(onlyBox(), ErrMsgText(c.badCode, "doc." + std::string(c.name)));
            EXPECT_TRUE(*c.buffer == "before" && readFileBytes(path) == bad) << "a refused file stays as it was";
        }

        writeFileBytes(path, good);
        dialogs.shown.clear();
        MsgTitle.clear();
        EXPECT_EQ(c.read(path), c.okStatus);
        EXPECT_TRUE(dialogs.shown.empty() && *c.buffer == good);
        if (c.missing == 3) { EXPECT_EQ(MsgTitle, Msg(111) + "doc." + c.name) << "the opening title"; }
    }
}

TEST_F(FilesTest, ReadersRefuseOversizedFilesAndPipesUnread) {
    for (const auto& c : cases()) {
        SCOPED_TRACE(c.name);
        // A good file's start, then far more than any file of the kind holds.
        const std::string big = startFile(std::string("big.") + c.name);
        writeFileBytes(big, c.good());
        std::filesystem::resize_file(big, 400LL << 20);
        const std::string pipePath = startFile(std::string("pipe.") + c.name);
        IdlePipe pipe(pipePath);
        ASSERT_TRUE(pipe.made());
        for (const std::string& path : {big, pipePath}) {
            dialogs.shown.clear();
            dialogs.answer(vbOK);
            *c.buffer = "before";
            EXPECT_EQ(c.read(path), c.bad) << path;
            EXPECT_EQ(onlyBox(), ErrMsgText(c.badCode, PathName(path)));
            EXPECT_TRUE(*c.buffer == "before");
            dialogs.answers.clear();
        }
        EXPECT_EQ(FileLen(big), 400LL << 20);
        EXPECT_TRUE(pipe.present() && !pipe.released()) << "a pipe is neither deleted as empty nor waited on";
    }
}

TEST_F(FilesTest, ReadersFindAnExtensionInAnyCase) {
    for (const auto& c : cases()) {
        SCOPED_TRACE(c.name);
        writeFileBytes(startFile("DISK." + QString(c.name).toUpper().toStdString()), c.good());
        EXPECT_EQ(c.read(startFile(std::string("DISK.") + c.name)), c.okStatus);
        EXPECT_TRUE(*c.buffer == c.good());
    }
}

TEST_F(FilesTest, ProgramReaderTakesTheTwinWhenTheNamedFileIsUnusable) {
    std::string pgg = PrgTemplateImage();
    putMid(pgg, 1, "KPGG");
    writeFileBytes(startFile("bank.PGG"), pgg);
    EXPECT_EQ(PrgOrPggRead(startFile("bank.prg")), 4) << "the twin, in capitals";
    EXPECT_TRUE(ExtCur == "pgg" && PrgFileBuf == pgg);
    writeFileBytes(startFile("bank.prg"), "short");   // wrong length: the twin is read
    EXPECT_EQ(std::tuple(PrgOrPggRead(startFile("bank.prg")), readFileBytes(startFile("bank.prg"))), std::tuple(4, "short"));

    std::string foreign = PrgTemplateImage();
    putMid(foreign, 1, "XXXX");
    writeFileBytes(startFile("odd.prg"), foreign);
    dialogs.answer(vbOK);
    EXPECT_EQ(PrgOrPggRead(startFile("odd.prg")), 2);
    EXPECT_EQ(onlyBox(), ErrMsgText(ErrDataFormat, "odd.prg"));
}

TEST_F(FilesTest, StyleReaderChecksSizesAndTakesTheI30HeaderOnlyDuringTheImport) {
    std::string native = styFile({styItem("A", 100), styItem("B", 50)});
    std::string i30 = native;
    putMid(i30, 1, StyI30Magic());
    std::string oversized = native;
    put16lo(oversized, 29, 67);  // item 1 claims one byte more than the file holds
    writeFileBytes(startFile("n.sty"), native);
    writeFileBytes(startFile("o.sty"), i30);
    writeFileBytes(startFile("x.sty"), oversized);
    for (int i = 0; i < 3; ++i) dialogs.answer(vbOK);
    std::vector<int> got;
    for (const char* f : {"n.sty", "x.sty", "o.sty"}) got.push_back(StyFileLoad(startFile(f)));
    ImpStyI30 = true;
    for (const char* f : {"n.sty", "o.sty"}) got.push_back(StyFileLoad(startFile(f)));
    EXPECT_EQ(got, (std::vector<int>{0, 1, 1, 1, 0}));
    EXPECT_EQ(dialogs.shown.size(), 3u);
}

TEST_F(FilesTest, BackingSequenceOffsetsStayInsideTheFile) {
    BsqFileBuf = BsqMagicBytes() + std::string(4000, '\0');
    put16lo(BsqFileBuf, 1997, 10);            // sequence 0 starts at unit 10
    put16lo(BsqFileBuf, 1997 + 34, 30);       // sequence 1: 20 units later
    put16lo(BsqFileBuf, 1997 + 68, 5);        // below sequence 0: clamped
    put16lo(BsqFileBuf, 1997 + 102, 0xFFFF);  // far beyond the file: clamped
    EXPECT_EQ(std::tuple(BsqOffsetCalc(0), BsqOffsetCalc(1), BsqOffsetCalc(2), BsqOffsetCalc(3), BsqOffsetCalc(11)),
              std::tuple(2339, 2339 + 320, 2339, static_cast<long>(BsqFileBuf.size()) + 1, 2339));
    BsqFileBuf = "short";
    EXPECT_EQ(BsqOffsetCalc(1), 2339);
}

TEST_F(FilesTest, DatabaseSignatureIsCheckedAlsoAtStartUp) {
    const std::string foreign = "foreign" + std::string(DBArrLen - 7, '\0');
    Starting = true;   // no message while starting
    EXPECT_EQ(DBArrLoad(), 1);
    writeFileBytes(DBArrFile, foreign);
    EXPECT_EQ(DBArrLoad(), 2);
    // A cut or padded file is not the database either.
    const std::string good = DBArrSignature() + std::string(DBArrLen - 8, '\0');
    for (const std::string& f : {good.substr(0, DBArrLen - 1), good + '\0'}) {
        writeFileBytes(DBArrFile, f);
        EXPECT_EQ(DBArrLoad(), 2) << f.size();
    }
    writeFileBytes(DBArrFile, good);
    EXPECT_EQ(DBArrLoad(), 0);
    Starting = false;
    writeFileBytes(DBArrFile, foreign);
    dialogs.answer(vbOK);
    EXPECT_EQ(DBArrLoad(), 2);
    EXPECT_EQ(onlyBox() + "|" + dialogs.shown.back().title, ErrMsgText(ErrDBArrData) + "|Edit i40DBArr");
}
