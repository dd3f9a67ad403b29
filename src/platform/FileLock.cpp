#include "platform/FileLock.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

std::string because(const std::string& what, const std::string& path, int errorNumber) {
    return "Could not " + what + " \"" + path + "\": " + std::strerror(errorNumber);
}

std::string notTheUsers(const std::string& folder) {
    return "\"" + folder + "\" is not a folder of this user's.";
}

FolderMadeHook& folderMadeHook() {
    static FolderMadeHook hook;
    return hook;
}

// An open descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

// Opens the folder called name inside the open folder at; a link there is not followed.
int openFolderAt(int at, const char* name) {
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Removes everything inside the open folder. Each entry is looked at where it lies and
// a link is removed as the link it is: what it points at, wherever that is, stays.
void emptyFolder(int folder) {
    for (const std::string& name : namesInFolder(folder)) {
        struct stat st {};
        if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISDIR(st.st_mode)) {
            (void)::unlinkat(folder, name.c_str(), 0);
            continue;
        }
        {
            // Replaced by a link since it was looked at: the open fails and it stays.
            const Descriptor inner(openFolderAt(folder, name.c_str()));
            if (!inner.ok()) continue;
            emptyFolder(inner.get());
        }
        (void)::unlinkat(folder, name.c_str(), AT_REMOVEDIR);
    }
}

}  // namespace

void setFolderMadeHookForTesting(FolderMadeHook hook) { folderMadeHook() = std::move(hook); }

FileLock::FileLock(const std::string& path, On on) {
    // A link is not followed: the lock is on the program's own file or folder.
    if (on == On::folder) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    } else {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd_ < 0 && errno == ENOENT)
            fd_ = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    }
    if (fd_ < 0) {
        error_ = because("open the lock", path, errno);
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::held;
        return;
    }
    const int why = errno;
    ::close(fd_);
    fd_ = -1;
    if (why == EWOULDBLOCK) {
        state_ = State::busy;
        error_ = "\"" + path + "\" is in use by another copy of the program.";
    } else {
        error_ = because("lock", path, why);
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileLock::lockedAt(const std::string& path) const {
    struct stat locked {}, named {};
    return fd_ >= 0 && ::fstat(fd_, &locked) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
}

bool makeOwnerOnlyFolder(const std::string& folder, std::string& reason) {
    int made = ::mkdir(folder.c_str(), 0700);
    if (made != 0 && errno == ENOENT && createDirectories(folderOf(folder))) made = ::mkdir(folder.c_str(), 0700);
    if (made != 0 && errno != EEXIST) {
        reason = because("make the folder", folder, errno);
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        reason = because("make the folder", folder, errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        reason = notTheUsers(folder);
        return false;
    }
    if ((st.st_mode & 07777) != 0700 && ::chmod(folder.c_str(), 0700) != 0) {
        reason = because("keep others out of", folder, errno);
        return false;
    }
    return true;
}

LockedFolder::LockedFolder(const std::string& parent, const std::string& prefix) {
    // A sweep that starts between the folder's making and its locking may remove it:
    // then another is made.
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::string pattern = parent + "/" + prefix + "XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data())) {   // made readable by the user alone
            error_ = because("make a folder in", parent, errno);
            return;
        }
        path_ = name.data();
        if (const FolderMadeHook& hook = folderMadeHook()) hook(path_);
        auto lock = std::make_unique<FileLock>(path_, FileLock::On::folder);
        if (lock->held() && lock->lockedAt(path_)) {
            lock_ = std::move(lock);
            return;
        }
        error_ = lock->error();
        lock.reset();
        (void)::rmdir(path_.c_str());
    }
    if (error_.empty()) error_ = "Could not keep a folder in \"" + parent + "\".";
    path_.clear();
}

LockedFolder::~LockedFolder() {
    if (!lock_) return;
    // Removed while still locked, so no sweep takes it for a dead holder's meanwhile.
    if (lock_->lockedAt(path_)) (void)removePath(path_);
}

bool LockedFolder::intact() const { return lock_ && lock_->lockedAt(path_); }

bool clearUnlockedFolders(const std::string& parent, std::string& reason) {
    // The folder is opened once, without following a link at its own name, and all the
    // work is done inside what was opened: a link put in its place, or in place of
    // anything inside it, empties nothing it points at.
    const Descriptor folder(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.ok()) {
        const int why = errno;
        if (why == ENOENT) return true;
        reason = why == ELOOP || why == ENOTDIR ? notTheUsers(parent) : because("open", parent, why);
        return false;
    }
    struct stat st {};
    if (::fstat(folder.get(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        reason = notTheUsers(parent);
        return false;
    }
    for (const std::string& name : namesInFolder(folder.get())) {
        struct stat entry {};
        if (::fstatat(folder.get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISDIR(entry.st_mode)) {
            (void)::unlinkat(folder.get(), name.c_str(), 0);
            continue;
        }
        // Locked through the folder opened here, so what is emptied is the folder whose
        // lock no holder keeps, even when another one takes its name meanwhile.
        const Descriptor run(openFolderAt(folder.get(), name.c_str()));
        if (!run.ok() || ::flock(run.get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (!namesOpenFile(folder.get(), name, run.get())) continue;
        emptyFolder(run.get());
        // An empty folder that took the name since is one its maker has not locked yet:
        // that maker finds it gone and makes another.
        (void)::unlinkat(folder.get(), name.c_str(), AT_REMOVEDIR);
    }
    return true;
}

}  // namespace platform
