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

// The guide window takes at most this many characters after the first line.
constexpr std::size_t GuideTextMax = 32000;

bool write(const std::string& dir, const std::string& name, const std::string& data) {
    FileError e = WriteWholeFile(PathJoin(dir, name), data);
    if (e == FileError::None) return true;
    std::fprintf(stderr, "velmora_startfiles: cannot write %s: %s\n", PathJoin(dir, name).c_str(), fileErrorText(e));
    return false;
}

// A guide text as the guide window reads it: a first line naming the text
// ("UserGuide.txt", "GuidaUtente.txt"), CR LF line ends and Latin-1, one
// byte a character, at most GuideTextMax of them after the first line. The
// sources in data/ are UTF-8 with plain line ends. "" and `why` set when a
// source does not fit.
std::string guideImage(const std::string& utf8, const std::string& firstLine, std::string& why) {
    std::string body;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r') continue;
        if (c == '\n') {
            body += "\r\n";
        } else if (c < 0x80) {
            body += static_cast<char>(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            if (cp < 0xA0 || cp > 0xFF) {
                why = "a character that Latin-1 cannot hold, at byte " + std::to_string(i + 1);
                return {};
            }
            body += static_cast<char>(cp);
            ++i;
        } else {
            why = "a character that Latin-1 cannot hold, at byte " + std::to_string(i + 1);
            return {};
        }
    }
    if (body.size() > GuideTextMax) {
        why = "longer than " + std::to_string(GuideTextMax) + " characters";
        return {};
    }
    return firstLine + "\r\n" + body;
}

bool writeGuide(const std::string& from, const std::string& dir, const std::string& name,
                const std::string& firstLine) {
    const std::string src = PathJoin(from, name);
    std::string text, why;
    FileError e = ReadWholeFile(src, text);
    if (e != FileError::None) {
        std::fprintf(stderr, "velmora_startfiles: cannot read %s: %s\n", src.c_str(), fileErrorText(e));
        return false;
    }
    std::string image = guideImage(text, firstLine, why);
    if (image.empty()) {
        std::fprintf(stderr, "velmora_startfiles: %s: %s\n", src.c_str(), why.c_str());
        return false;
    }
    return write(dir, name, image);
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
              writeGuide(data, out, "Velmora_GuidaUtente.txt", "GuidaUtente.txt") &&
              writeGuide(data, out, "Velmora_UserGuide.txt", "UserGuide.txt");
    return ok ? 0 : 1;
}
