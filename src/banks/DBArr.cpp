#include "banks/DBArr.h"

#include <algorithm>
#include <unordered_map>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "banks/DBArrFormat.h"
#include "banks/DBArrState.h"
#include "files/FileFormats.h"
#include "files/Readers.h"
#include "files/state.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

namespace {

const char* const DBName = "i40DBArr";
std::string readingTitle() { return Msg(105) + DBName; }   // "Reading i40DBArr"
std::string openingTitle() { return Msg(111) + DBName; }   // "Opening i40DBArr"

// One of the database's own messages ("_" replaced by `word`).
void dbMsg(int n, const std::string& word, const std::string& title) {
    MsgBox(MsgSubst(Msg(n), word), vbOKOnly | vbExclamation, title);
}

// The file read for a change: a sound image, or nothing after saying why
// (missing and foreign by the codes the caller gives; 0: silent).
enum class Got { Sound, Missing, Refused };
Got readForChange(std::string& img, const std::string& title, int missingCode, int foreignCode) {
    FileError e;
    switch (DBArrReadFile(img, e)) {
    case DBArrRead::Ok:
        if (DBArrSound(img)) return Got::Sound;
        break;
    case DBArrRead::Missing:
        if (missingCode) ErrMsg(missingCode, title);
        return Got::Missing;
    case DBArrRead::Failed:
        MsgTitle = title;
        FileErrMsg(e, DBName);
        return Got::Refused;
    case DBArrRead::Foreign: break;
    }
    ErrMsg(foreignCode, title, "");
    return Got::Refused;
}

// Writes the whole file; a failure changes nothing and is said once.
bool writeDB(const std::string& img, const std::string& title) {
    const FileError e = WriteWholeFile(DBArrFile, img);
    if (e != FileError::None) {
        MsgTitle = title;
        FileErrMsg(e, DBName);
        return false;
    }
    DBArrTook(img);
    return true;
}

// Two spellings of one folder are one folder.
bool sameFolder(const std::string& a, const std::string& b) {
    return a == b || SamePath(PathJoin(a, "x"), PathJoin(b, "x"));
}

// Whether the entry stored as `stored` stands for the file `name` (without
// extension) of the folder: on a case-sensitive disk another file whose name
// differs only in case is not the numbered one.
bool entryIsFile(const std::string& folder, const std::string& stored, const std::string& name) {
    if (stored == name) return true;
    const std::string f = DBArrEntryFile(folder, stored);
    if (f.empty()) return SameNoCase(stored, name);
    return PathStem(PathName(f)) == name;
}

}  // namespace

void DBArrTook(const std::string& img) {
    DBArrImage = img;
    DBArrEditorRefresh();
}

std::string DBArrEntryFile(const std::string& folder, const std::string& name) {
    const std::string f = FileNameNoCase(folder, name + ".arr");
    return f.empty() ? f : PathJoin(folder, f);
}

int DBArrLookupID(const std::string& path) {
    // While the editor is open, what it shows; else the file as it is now.
    std::string read;
    if (!EditDBArrOpen) {
        FileError e;
        if (DBArrReadFile(read, e) != DBArrRead::Ok) return 0;
        if (DBArrSound(read)) DBArrTook(read);
    }
    const std::string& img = EditDBArrOpen ? DBArrImage : read;
    if (!DBArrUsable(img)) return 0;
    const std::string folder = DBArrFolderOf(img);
    if (!sameFolder(folder, PathDir(path))) return 0;
    const std::string name = rtrim(PathName(path));
    const int slot = DBArrFindName(img, name);
    if (slot == 0 || !entryIsFile(folder, DBArrSlotName(img, slot), name)) return 0;
    return DBArrSlotID(img, slot);
}

void DBArrAdd(int kind) {
    MsgTitle = readingTitle();
    const std::string title = MsgTitle;
    ArrDBID = 0;
    // The fixed banks have no file of their own to number.
    if (kind == 2 || kind == 3) return;
    const std::string name = ArrName;
    if (!DBArrNameFits(name)) return dbMsg(MsgDBArrName, name + ".arr", title);

    std::string img;
    FileError e;
    DBArrRead r = DBArrReadFile(img, e);
    if (r == DBArrRead::Missing) {
        if (static_cast<long>(ArrDir.size()) > dbarr::FolderLen) return ErrMsg(ErrPathTooLong, title, ArrDir);
        if (AskKeepChanges(3, "Edit i40DBArr") != vbYes) return;
        // The question may have stood open a while: a database made meanwhile
        // is added to, never replaced.
        r = DBArrReadFile(img, e);
        if (r == DBArrRead::Missing) {
            img = DBArrNew(ArrDir);
            int id = 0;
            if (kind == 19) id = DBArrInsert(img, name).id;
            if (!writeDB(img, title)) return;
            ArrDBID = id;
            DBArrMenusOn();
            return;
        }
    }
    if (r == DBArrRead::Failed) {
        MsgTitle = title;
        return FileErrMsg(e, DBName);
    }
    if (r != DBArrRead::Ok || !DBArrSound(img)) return ErrMsg(ErrReading, title, "");
    const std::string folder = DBArrFolderOf(img);
    // Files outside the working folder are never numbered.
    if (!sameFolder(folder, ArrDir)) return;
    if (const int slot = DBArrFindName(img, name)) {
        DBArrTook(img);
        if (!entryIsFile(folder, DBArrSlotName(img, slot), name)) return dbMsg(MsgDBArrCase, name + ".arr", title);
        ArrDBID = DBArrSlotID(img, slot);
        return;
    }
    const DBArrInsertResult ins = DBArrInsert(img, name);
    if (ins.id == 0) {
        DBArrTook(img);
        return dbMsg(MsgDBArrFull, "", title);
    }
    if (writeDB(img, title)) ArrDBID = ins.id;
}

void DBArrAggiorna() {
    const std::string title = readingTitle();
    MsgTitle = title;
    std::string img;
    if (readForChange(img, title, ErrFileNotFound, ErrReading) != Got::Sound) return;
    const std::string folder = DBArrFolderOf(img);
    const std::string before = img;
    int found = 0;
    for (int s = dbarr::FirstSlot; s <= dbarr::LastSlot && !DBArrSlotEmpty(img, s);) {
        const std::string name = DBArrSlotName(img, s);
        const std::string file = DBArrEntryFile(folder, name);
        bool keep = false;
        if (!file.empty()) {
            ++found;
            std::string f;
            FileFit fit;
            const FileError e = ReadFileUpTo(file, ArrFileLen, f, fit);
            if (e != FileError::None) {
                // A file that cannot be read now may be sound: nothing is removed.
                MsgTitle = Msg(105) + PathName(file);
                return FileErrMsg(e, PathName(file));
            }
            keep = fit == FileFit::Fits && static_cast<long>(f.size()) == ArrFileLen && ArrFileCheck(f);
        }
        if (keep) {
            ++s;
        } else {
            DBArrRemove(img, s);   // the next entry moves into this slot
        }
    }
    // A folder that is gone or holds none of the files (a disk not mounted,
    // a folder renamed) is not a reason to forget every number.
    if (found == 0 && DBArrCount(before) > 0) return dbMsg(MsgDBArrNoneFound, folder, title);
    if (img == before) return DBArrTook(img);
    writeDB(img, title);
}

void DBArrAddAll() {
    const std::string title = openingTitle();
    MsgTitle = title;
    std::string img;
    if (readForChange(img, title, ErrDBArrNotFound, ErrDBArrData) != Got::Sound) return;
    const std::string folder = DBArrFolderOf(img);
    std::vector<std::string> files;
    if (!ListFiles(folder, files)) return ErrMsg(ErrPathNotFound, title, folder);
    std::erase_if(files, [](const std::string& f) { return f.empty() || f[0] == '.' || !ExtIs(f, "arr"); });
    std::vector<std::pair<std::string, std::string>> order;   // key, name
    order.reserve(files.size());
    for (std::string& f : files) order.emplace_back(DBArrNameKey(f.substr(0, f.size() - 4)), std::move(f));
    std::sort(order.begin(), order.end());

    // The names held, by key, so each file is looked up once.
    std::unordered_map<std::string, std::pair<std::string, int>> held;
    for (int s = dbarr::FirstSlot; s <= dbarr::LastSlot && !DBArrSlotEmpty(img, s); ++s)
        held.emplace(DBArrNameKey(DBArrSlotName(img, s)), std::pair(DBArrSlotName(img, s), DBArrSlotID(img, s)));

    const std::string before = img;
    std::vector<std::string> refused;
    bool full = false;
    std::string f;
    for (const auto& [key, file] : order) {
        const std::string path = PathJoin(folder, file);
        FileFit fit;
        const FileError e = ReadFileUpTo(path, ArrFileLen, f, fit);
        if (e != FileError::None) {
            MsgTitle = Msg(105) + file;
            return FileErrMsg(e, file);
        }
        if (fit != FileFit::Fits || static_cast<long>(f.size()) != ArrFileLen || !ArrFileCheck(f)) continue;
        const std::string name = file.substr(0, file.size() - 4);
        ArrName = name;
        ArrDBID = 0;
        if (!DBArrNameFits(name)) {
            refused.push_back(file);
            continue;
        }
        if (const auto h = held.find(key); h != held.end()) {
            if (entryIsFile(folder, h->second.first, name))
                ArrDBID = h->second.second;
            else
                refused.push_back(file);
            continue;
        }
        const int id = DBArrInsertNew(img, name);
        if (id == 0) {
            full = true;
            break;
        }
        held.emplace(key, std::pair(name, id));
        ArrDBID = id;
    }
    if (img == before)
        DBArrTook(img);
    else if (!writeDB(img, title))
        return;
    if (full) dbMsg(MsgDBArrFull, "", title);
    if (!refused.empty()) {
        std::string list;
        for (const std::string& n : refused) list += (list.empty() ? "" : ", ") + n;
        dbMsg(MsgDBArrNotNumbered, list, title);
    }
}

bool DBArrDelete(int id, const std::string& name, const std::string& title) {
    std::string img;
    if (readForChange(img, title, ErrDBArrNotFound, ErrDBArrData) != Got::Sound) return false;
    const int slot = DBArrFindID(img, id);
    // Only the entry the row showed: a file changed meanwhile may hold
    // another one under that number, or none.
    if (slot == 0 || DBArrSlotName(img, slot) != name) {
        DBArrTook(img);
        return false;
    }
    DBArrRemove(img, slot);
    return writeDB(img, title);
}
