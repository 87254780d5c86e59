// The open dialog's dispatch: filters, folders, results 0-3, refusals.
#include "files/FileFormats.h"
#include "app/Documents.h"
#include "files/OpenDlg.h"
#include "files/Readers.h"
#include "filestest.h"
#include "platform/Files.h"

TEST_F(FilesTest, OpenDialogReadsTheChosenFile) {
    DirLast = startDir();
    RdOnlyOpt = true;
    writeFileBytes(startFile("set.arr"), ArrBankImage(0));
    dialogs.chooseFile(startFile("set.arr"), 0, true);
    EXPECT_EQ(FileOpenDlg(19), 0);
    const FileDialogRequest& req = dialogs.fileRequests.back();
    EXPECT_EQ(std::tuple(req.filterIndex, req.initDir, req.showReadOnly, req.readOnly, req.filter.substr(0, 20)),
              std::tuple(1, startDir(), true, true, "Arrangements (*.arr)"));
    EXPECT_EQ(std::tuple(ArrFileBuf, ArrDir + "/" + ArrName, RdOnlyOpen), std::tuple(ArrBankImage(0), startFile("set"), 1));
}

TEST_F(FilesTest, OpenDialogResults) {
    dialogs.cancelFile();
    EXPECT_EQ(FileOpenDlg(19), 1);
    dialogs.chooseFile(startFile("none.arr"));
    EXPECT_EQ(FileOpenDlg(19), 3);
    // 1: damaged (the reader's message).
    writeFileBytes(startFile("bad.arr"), "bad");
    dialogs.chooseFile(startFile("bad.arr"));
    dialogs.answer(vbOK);
    EXPECT_EQ(FileOpenDlg(19), 1);
    EXPECT_EQ(onlyBox(), ErrMsgText(ErrReading, "bad.arr"));
    // 2: a window holds it, under another spelling.
    writeFileBytes(startFile("open.ARR"), ArrBankImage(0));
    const TestHolder holder(WinFamily::ArrU, 3, {startDir() + "/./open.arr"});
    dialogs.chooseFile(startFile("open.ARR"));
    EXPECT_EQ(FileOpenDlg(19), 2);
    // 3: a missing style file, as any other.
    dialogs.chooseFile(startFile("none.sty"));
    EXPECT_EQ(FileOpenDlg(23), 3);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(FilesTest, OpenDialogRefusesAFileOfAnotherType) {
    // The file's own extension decides, whatever the list of types showed: a
    // Global file, or a bank file without extension (a window would save it
    // as "i40ArrA.arr", beside it), in Open arrangement.
    writeFileBytes(startFile("g.gbl"), GblMagic() + std::string(440, '\0'));
    writeFileBytes(startFile("i40ArrA"), ArrBankImage(0));
    for (auto [file, filter] : {std::pair("g.gbl", 4), std::pair("i40ArrA", 1)}) {
        ArrFileBuf = "previous";
        dialogs.shown.clear();
        dialogs.chooseFile(startFile(file), filter);
        dialogs.answer(vbOK);
        EXPECT_EQ(FileOpenDlg(19), 1);
        EXPECT_EQ(onlyBox(), std::string(file) + " cannot be opened with this command: the file name must end in .arr");
        EXPECT_EQ(GblFileData + ArrFileBuf, "previous");
    }
    // "All files": the extension decides, in any case.
    writeFileBytes(startFile("p.PRG"), PrgTemplateImage());
    dialogs.chooseFile(startFile("p.PRG"), 8);
    DirLastPrg = "/somewhere";
    EXPECT_EQ(FileOpenDlg(21), 0);
    EXPECT_EQ(std::tuple(dialogs.fileRequests.back().initDir, ExtCur, DirLastPrg),
              std::tuple("/somewhere", "prg", startDir()));
}

TEST_F(FilesTest, NewProgramFileComesFromTheZeroedTemplate) {
    EXPECT_EQ(FileOpenDlg(22), 3);
    std::string t = PrgTemplateImage();
    put(t, 16, 5);
    putField(t, 49, 16, "Leftover");
    writeFileBytes(PrgBankFile, t);
    EXPECT_EQ(FileOpenDlg(22), 0);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(mid(PrgFileBuf, 16, 64 * 172 + 34), "\x05" + std::string(64 * 172 + 33, '\0'));
    writeFileBytes(PrgBankFile, "bad");
    dialogs.answer(vbOK);
    EXPECT_EQ(FileOpenDlg(22), 1);
}
