#include "app/DevState.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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
// Keeps the record in memory and writes it back whole.
void devStateStore(const DevRecord& r) {
    DevState = DevStateImage(r);
    SavedOut = r.savedOut;
    Users = r.users;
    MyRun = r.myRun;
    FileError e = WriteWholeFile(DevStateFile, DevState);
    if (e != FileError::None) FileErrMsg(e, DevStateFile);
}
}  // namespace

void DevStateStart() {
    std::string img;
    FileError e = ReadWholeFile(DevStateFile, img);
    if (e != FileError::None && e != FileError::NotFound) {
        FileErrMsg(e, DevStateFile);
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
    devStateStore(r);
    if (MidiThruOn) MidiLink().thruConnect();
}

DevExitAction DevExitDecide(bool valid, bool ownsOut, uint8_t users, uint8_t myRun) {
    if (!valid) return DevExitAction::Foreign;
    if (ownsOut) return (users != 1 || myRun != 1) ? DevExitAction::Refuse : DevExitAction::OwnerRelease;
    return DevExitAction::SharerRelease;
}

bool DevExitAllowed() {
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
    std::string img;
    FileError e = ReadWholeFile(DevStateFile, img);
    if (e != FileError::None && e != FileError::NotFound) img.clear();
    DevRecord r = DevStateParse(img);
    switch (DevExitDecide(r.valid, OwnsOut, r.users, r.myRun)) {
    case DevExitAction::Foreign:
        if (FileExists(DevStateFile)) DeleteFile(DevStateFile);
        if (MidiThruOn) MidiLink().thruDisconnect();
        MidiLink().closeDevices();
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
    devStateStore(r);
    return true;
}

namespace {
int lockFd = -1;
}

std::string InstanceLockPath() { return PathJoin(SystemDir(), "Velmora.lock"); }

bool InstanceLockAcquire() {
    if (lockFd >= 0) return true;
    int fd = ::open(InstanceLockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return true;   // no lock possible (read-only folder): the files themselves will report
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lockFd = fd;
    return true;
}

void InstanceLockRelease() {
    if (lockFd < 0) return;
    ::flock(lockFd, LOCK_UN);
    ::close(lockFd);
    lockFd = -1;
}

bool InstanceLockHeld() { return lockFd >= 0; }
