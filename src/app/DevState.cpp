#include "app/DevState.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "app/Links.h"
#include "app/Messages.h"
#include "app/state.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/bytes.h"

DevRecord DevStateParse(const std::string& img) {
    DevRecord r;
    r.valid = img.size() >= 14 && mid(img, 1, 8) == DevSignature;
    r.raw = img;
    r.raw.resize(DevRecLen, ' ');
    if (r.valid) {
        r.savedOut = get32lo(img, 9);
        r.users = at(img, 13);
        r.myRun = at(img, 14);
    } else {
        r.raw.assign(DevRecLen, ' ');
    }
    return r;
}

std::string DevStateImage(const DevRecord& r) {
    std::string img = r.raw;
    img.resize(DevRecLen, ' ');
    putMid(img, 1, DevSignature);
    put32lo(img, 9, r.savedOut);
    put(img, 13, r.users);
    put(img, 14, r.myRun);
    return img;
}

DevStartPlan DevStartDecide(const DevRecord& r) {
    DevStartPlan p;
    if (!r.valid) return p;
    p.users = r.users;
    if (r.myRun == 1 && p.users > 0) p.users -= 1;   // left by a copy of ours that crashed
    if (p.users > 0 && r.savedOut != 0) {
        p.share = true;
        p.savedOut = r.savedOut;
    }
    return p;
}

namespace {

// A device-state file that cannot be read or written is reported once in a
// run; the program goes on without it.
void devStateFailed(FileError e) {
    if (AppRun.DevStateReported) return;
    AppRun.DevStateReported = true;
    FileErrMsg(e, DevStateFile);
}

// Keeps the record in memory and writes it back whole; false when the write
// failed (reported).
bool devStateStore(const DevRecord& r) {
    DevState = DevStateImage(r);
    SavedOut = r.savedOut;
    Users = r.users;
    MyRun = r.myRun;
    FileError e = WriteWholeFile(DevStateFile, DevState);
    if (e == FileError::None) return true;
    devStateFailed(e);
    return false;
}

void closeAll() {
    if (MidiThruOn) MidiLink().thruDisconnect();
    MidiLink().closeDevices();
}

}  // namespace

void DevStateStart() {
    std::string img;
    FileError e = ReadWholeFile(DevStateFile, img);
    if (e != FileError::None && e != FileError::NotFound) {
        devStateFailed(e);
        img.clear();
    }
    DevRecord r = DevStateParse(img);
    DevStartPlan plan = DevStartDecide(r);
    uint32_t handle = MidiLink().openDevices(plan.share, plan.savedOut);
    if (plan.share) {
        OwnsOut = false;
        r.users = plan.users < 255 ? static_cast<uint8_t>(plan.users + 1) : 255;
    } else {
        OwnsOut = true;
        r.savedOut = handle;
        r.users = 1;
    }
    r.myRun = 1;
    r.valid = true;
    AppRun.DevStateKept = devStateStore(r);
    if (MidiThruOn) MidiLink().thruConnect();
}

DevExitAction DevExitDecide(bool valid, bool ownsOut, uint8_t users, uint8_t myRun) {
    if (!valid) return DevExitAction::Foreign;
    if (ownsOut) return (users != 1 || myRun != 1) ? DevExitAction::Refuse : DevExitAction::OwnerRelease;
    return DevExitAction::SharerRelease;
}

bool DevExitAllowed() {
    if (!AppRun.DevStateKept) return true;
    std::string img;
    if (ReadWholeFile(DevStateFile, img) != FileError::None) return true;
    DevRecord r = DevStateParse(img);
    if (DevExitDecide(r.valid, OwnsOut, r.users, r.myRun) != DevExitAction::Refuse) return true;
    AppClosing = false;
    ErrMsg(ErrCloseOthersFirst, Msg(114), "");
    return false;
}

bool DevStateExit() {
    MsgTitle = Msg(114);
    // Without this run's registration in the file, what the file says is not
    // about this run: it neither refuses the exit nor is changed.
    if (!AppRun.DevStateKept) {
        closeAll();
        return true;
    }
    std::string img;
    FileError e = ReadWholeFile(DevStateFile, img);
    if (e != FileError::None && e != FileError::NotFound) {
        devStateFailed(e);
        closeAll();
        return true;
    }
    DevRecord r = DevStateParse(img);
    switch (DevExitDecide(r.valid, OwnsOut, r.users, r.myRun)) {
    case DevExitAction::Foreign:
        if (FileExists(DevStateFile)) DeleteFile(DevStateFile);
        closeAll();
        return true;
    case DevExitAction::Refuse:
        // Others started sharing after the exit was allowed and every window
        // is gone: count this program out as a sharer does.
    case DevExitAction::SharerRelease:
        if (r.users > 0) r.users -= 1;
        r.myRun = 0;
        // A sharer's connection to the devices is its own here: closing it
        // lets what is still queued reach the instrument and leaves the
        // sibling's devices as they are.
        MidiLink().closeDevices();
        break;
    case DevExitAction::OwnerRelease:
        r.savedOut = 0;
        r.users = 0;
        r.myRun = 0;
        MidiLink().closeDevices();
        break;
    }
    devStateStore(r);   // a failure is reported; the exit goes on
    return true;
}

namespace {

int lockFd = -1;

// Opens a lock file of ours: a regular file owned by this user, never
// through a link (the runtime folder may be /tmp). -1 when it cannot be had.
int openLockFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string InstanceLockPath() { return PathJoin(SystemDir(), "Velmora.lock"); }

std::string RuntimeLockPath() {
    // One lock per system folder, as the lock inside it is: FNV-1a of its path.
    uint32_t h = 2166136261u;
    for (unsigned char c : SystemDir()) h = (h ^ c) * 16777619u;
    char name[64];
    std::snprintf(name, sizeof name, "Velmora-%u-%08x.lock", static_cast<unsigned>(::geteuid()), h);
    return PathJoin(RuntimeDir(), name);
}

bool InstanceLockAcquire() {
    if (lockFd >= 0) return true;
    // In the system folder; where that cannot be written, in the runtime folder.
    for (const std::string& path : {InstanceLockPath(), RuntimeLockPath()}) {
        int fd = openLockFile(path);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return false;
        }
        lockFd = fd;
        return true;
    }
    return true;   // no lock anywhere: the program runs without one
}

void InstanceLockRelease() {
    if (lockFd < 0) return;
    ::flock(lockFd, LOCK_UN);
    ::close(lockFd);
    lockFd = -1;
}

bool InstanceLockHeld() { return lockFd >= 0; }
