#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

// An exclusive advisory lock (flock) on a file or a folder, taken without waiting and
// held for as long as the object lives. It excludes another process and another lock
// of this process on the same path alike, so "held elsewhere" means some other holder
// is at work, whoever it is. A killed holder's lock goes with it.
class FileLock {
public:
    enum class State {
        held,     // this object holds the lock
        busy,     // another holder has it
        failed,   // the path could not be opened or locked (error() says why)
    };

    // What the lock is on. A lock file that is not there is made; a folder is only
    // locked as the folder that is there, so one removed meanwhile is not made again as
    // a plain file that its holder would take for the folder.
    enum class On { file, folder };

    // Locks path; for a file, a path where nothing is gets an empty file, readable and
    // writable by the user alone, which stays there afterwards (removing it would let two
    // holders lock two different files of the same name). A link is never followed.
    explicit FileLock(const std::string& path, On on = On::file);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return state_; }
    bool held() const { return state_ == State::held; }
    bool busy() const { return state_ == State::busy; }
    const std::string& error() const { return error_; }
    // Whether path still names the file or folder that is locked (not removed or
    // replaced by another one since).
    bool lockedAt(const std::string& path) const;

private:
    int fd_ = -1;
    State state_ = State::failed;
    std::string error_;
};

// A new folder of its own inside parent, readable by the user alone and locked (above)
// while the object lives; its holder removes it when done. A folder of a holder that was
// killed stays until clearUnlockedFolders.
class LockedFolder {
public:
    // Makes it; ok() false with error() when it could not be made.
    LockedFolder(const std::string& parent, const std::string& prefix);
    ~LockedFolder();
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    bool ok() const { return lock_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    // Whether the folder is still there and still the one locked.
    bool intact() const;

private:
    std::string path_;
    std::unique_ptr<FileLock> lock_;
    std::string error_;
};

// Makes folder (with its missing parents) or takes the one there, and makes it readable
// by the user alone. False with the reason when it cannot be made, is no folder (a link
// included) or belongs to another user.
bool makeOwnerOnlyFolder(const std::string& folder, std::string& reason);

// Removes from parent every folder that no holder has locked, with all it holds, and
// every entry that is no folder; a locked folder is left as it is. A link, at any depth,
// is removed as a link and what it points at is not touched. A parent that is a link,
// no folder or not this user's is left alone: false, with the reason. A parent that is
// not there has nothing to clear.
bool clearUnlockedFolders(const std::string& parent, std::string& reason);

// For tests: called with each folder LockedFolder makes, after its making and before
// its locking (where a sweep of another copy of the program may remove it).
using FolderMadeHook = std::function<void(const std::string& folder)>;
void setFolderMadeHookForTesting(FolderMadeHook hook);

}  // namespace platform
