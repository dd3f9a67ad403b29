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

}  // namespace

FileLock::FileLock(const std::string& path) {
    // A link is not followed: the lock is on the program's own file or folder.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd_ < 0 && errno == ENOENT) fd_ = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
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
        reason = "\"" + folder + "\" is not a folder of this user's.";
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
        auto lock = std::make_unique<FileLock>(path_);
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

void clearUnlockedFolders(const std::string& parent) {
    DIR* dir = ::opendir(parent.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : names) {
        const std::string path = parent + "/" + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) continue;
        if (!S_ISDIR(st.st_mode)) {
            (void)::unlink(path.c_str());
            continue;
        }
        const FileLock lock(path);
        if (lock.held() && lock.lockedAt(path)) (void)removePath(path);
    }
}

}  // namespace platform
