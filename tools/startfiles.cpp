// Writes the files of the program's start folder: the arrangement banks A and
// B, the program and style templates, the multisample names and the user's
// guide texts. Run by the build: velmora_startfiles <start folder> <data folder>
#include <cstdio>
#include <string>

#include "app/Names.h"
#include "files/FileFormats.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace {

bool write(const std::string& dir, const std::string& name, const std::string& data) {
    FileError e = WriteWholeFile(PathJoin(dir, name), data);
    if (e == FileError::None) return true;
    std::fprintf(stderr, "velmora_startfiles: cannot write %s: %s\n", PathJoin(dir, name).c_str(), fileErrorText(e));
    return false;
}

bool copyText(const std::string& from, const std::string& dir, const std::string& name) {
    std::string text;
    FileError e = ReadWholeFile(PathJoin(from, name), text);
    if (e != FileError::None) {
        std::fprintf(stderr, "velmora_startfiles: cannot read %s: %s\n", PathJoin(from, name).c_str(),
                     fileErrorText(e));
        return false;
    }
    return write(dir, name, text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora_startfiles <start folder> <data folder>\n");
        return 2;
    }
    const std::string out = argv[1], data = argv[2];
    bool ok = write(out, "i40ArrA", ArrBankImage(0)) && write(out, "i40ArrB", ArrBankImage(1)) &&
              write(out, "i40Prg", PrgTemplateImage()) && write(out, "i40Sty", StyTemplateImage()) &&
              write(out, "i40Multisample", MultisampleFileImage(MultisampleDefaultNames())) &&
              copyText(data, out, "Velmora_GuidaUtente.txt") && copyText(data, out, "Velmora_UserGuide.txt");
    return ok ? 0 : 1;
}
