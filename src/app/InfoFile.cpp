#include "app/InfoFile.h"

#include "app/ImageLayout.h"
#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

std::string InfoTitleOf(const std::string& fileName) {
    return rtrim(Utf8Head(PrintableLine(rtrim(fileName)), InfoTitleLen));
}

bool InfoTitleIs(const std::string& infoTitle, const std::string& fileName) {
    return !rtrim(fileName).empty() && rtrim(infoTitle) == InfoTitleOf(fileName);
}

void InfoFileEnsure() {
    if (FileLen(InfoFile) > 0) return;
    FileError e = WriteWholeFile(InfoFile, std::string(InfoRecLen, ' '));
    if (e != FileError::None) FileErrMsg(e, InfoFile);
}

std::string InfoFileRead() {
    std::string img;
    FileError e = ReadWholeFile(InfoFile, img);
    if (e == FileError::NotFound) img.clear();
    else if (e != FileError::None) {
        FileErrMsg(e, InfoFile);
        img.clear();
    } else if (img.empty()) {
        DeleteFile(InfoFile);
    }
    // A damaged file may hold anything: a title is shown as one line of
    // printable characters.
    auto title = [&](long pos) { return rtrim(PrintableLine(cutAtNul(mid(img, pos, 50)))); };
    InfoArrTitle = title(51);
    InfoStyTitle = title(101);
    InfoPrgTitle = title(151);
    return InfoStyTitle;
}

namespace {

// Writes one title; the file is created when missing so a title is never lost.
std::string setTitle(const std::string& image, long pos, std::string& memo) {
    std::string t = InfoTitleOf(PathName(ImgPathOf(image)));
    std::string img;
    FileError e = ReadWholeFile(InfoFile, img);
    if (e != FileError::None && e != FileError::NotFound) {
        FileErrMsg(e, InfoFile);
        return t;
    }
    if (img.size() < static_cast<std::size_t>(InfoRecLen)) img.resize(InfoRecLen, ' ');
    putField(img, pos, 50, t);
    e = WriteWholeFile(InfoFile, img);
    if (e != FileError::None) FileErrMsg(e, InfoFile);
    else memo = t;
    return t;
}

}  // namespace

void InfoSetArr(const std::string& image) {
    std::string t = setTitle(image, 51, InfoArrTitle);
    MainWindowLink().setLabelArr(t + ".arr");
}

void InfoSetSty(const std::string& image) {
    std::string t = setTitle(image, 101, InfoStyTitle);
    MainWindowLink().setLabelSty(t + ".sty");
}

void InfoSetPrg(const std::string& image, const std::string& ext) {
    std::string t = setTitle(image, 151, InfoPrgTitle);
    MainWindowLink().setLabelPrg(t + "." + ext);
}
