#include "platform/ReplacementNotes.h"

#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Notes of replacements in folders that start-up does not sweep. A note holds its
// target's path and a NUL; the note of a replacement that keeps the file it replaces
// beside it (".<name>.previous") goes on with kKeepsPrevious and a NUL. A note without
// it (as every note of earlier builds) is of a replacement that keeps nothing there.
constexpr const char kNotePrefix[] = "write-";
constexpr const char kKeepsPrevious[] = "keeps-previous";
constexpr std::size_t kNoteLimit = PATH_MAX + 1 + sizeof kKeepsPrevious;

struct NotesSetting {
    std::mutex guard;
    ReplacementNotes notes;
};

NotesSetting& notesSetting() {
    static NotesSetting setting;
    return setting;
}

// A folder's path as one text: "//" as "/", no closing "/" (but for the root).
std::string plainFolder(const std::string& path) {
    std::string out;
    for (char c : path)
        if (c != '/' || out.empty() || out.back() != '/') out += c;
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    char here[PATH_MAX];
    return ::getcwd(here, sizeof here) ? joinedPath(here, path) : path;
}

// The folder where a replacement in folder is noted; empty when start-up finds what it
// leaves there anyway (or nothing is noted).
std::string notesFolderFor(const std::string& folder) {
    NotesSetting& setting = notesSetting();
    const std::lock_guard<std::mutex> lock(setting.guard);
    const ReplacementNotes& notes = setting.notes;
    if (notes.folder.empty()) return "";
    const std::string plain = plainFolder(absolutePath(folder));
    if (notes.sweptFolders.count(plain)) return "";
    for (const std::string& cleared : notes.clearedFolders)
        if (plain == cleared || (plain.compare(0, cleared.size(), cleared) == 0 &&
                                 (cleared == "/" || plain[cleared.size()] == '/')))
            return "";
    return notes.folder;
}

bool isNoteName(const std::string& name) {
    const std::size_t prefix = sizeof kNotePrefix - 1;
    return name.compare(0, prefix, kNotePrefix) == 0 && isRandomHexText(name.substr(prefix));
}

// Opens the notes folder (made when asked and missing; its parent must be there) without
// following a link; -1 with the reason when it is no folder of this user's. -1 with no
// reason: there is none and none was to be made.
int openNotesFolder(const std::string& folder, bool make, std::string& reason) {
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(folder.c_str(), flags);
    if (fd < 0 && errno == ENOENT) {
        if (!make) return -1;
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            reason = std::strerror(errno);
            return -1;
        }
        fd = ::open(folder.c_str(), flags);
    }
    if (fd < 0) {
        reason = errno == ELOOP || errno == ENOTDIR ? "it is not a folder of this user's." : std::strerror(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid()) {
        ::close(fd);
        reason = "it is not a folder of this user's.";
        return -1;
    }
    if ((st.st_mode & 077) != 0) (void)::fchmod(fd, 0700);
    return fd;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// One note: its target swept and the note dropped, unless its replacement holds it.
void settleNote(int folderFd, const std::string& name, const NotedTargetSweep& sweep) {
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        !namesOpenFile(folderFd, name, fd)) {
        ::close(fd);
        return;
    }
    std::string content(kNoteLimit + 1, '\0');
    std::size_t got = 0;
    for (ssize_t bytes = 0; got < content.size(); got += static_cast<std::size_t>(bytes)) {
        bytes = ::read(fd, content.data() + got, content.size() - got);
        if (bytes < 0 && errno == EINTR) bytes = 0;
        else if (bytes <= 0) break;
    }
    // A note cut short names no target: its replacement was stopped before it could make
    // its temporary.
    const std::size_t end = content.find('\0');
    bool whole = end != std::string::npos && end > 0 && end < got && content.front() == '/';
    bool keepsPrevious = false;
    if (whole) {
        const std::string rest = content.substr(end + 1, got - end - 1);
        keepsPrevious = rest == std::string(kKeepsPrevious, sizeof kKeepsPrevious);
        whole = rest.empty() || keepsPrevious;
    }
    if (!whole || sweep(content.substr(0, end), keepsPrevious)) (void)::unlinkat(folderFd, name.c_str(), 0);
    ::close(fd);
}

}  // namespace

void setReplacementNotes(ReplacementNotes notes) {
    ReplacementNotes plain;
    if (!notes.folder.empty()) plain.folder = plainFolder(absolutePath(notes.folder));
    for (const std::string& folder : notes.sweptFolders)
        if (!folder.empty()) plain.sweptFolders.insert(plainFolder(absolutePath(folder)));
    for (const std::string& folder : notes.clearedFolders)
        if (!folder.empty()) plain.clearedFolders.insert(plainFolder(absolutePath(folder)));
    NotesSetting& setting = notesSetting();
    const std::lock_guard<std::mutex> lock(setting.guard);
    setting.notes = std::move(plain);
}

void settleReplacementNotes(const NotedTargetSweep& sweep) {
    std::string folder;
    {
        NotesSetting& setting = notesSetting();
        const std::lock_guard<std::mutex> lock(setting.guard);
        folder = setting.notes.folder;
    }
    if (folder.empty()) return;
    std::string reason;
    const int folderFd = openNotesFolder(folder, false, reason);
    if (folderFd < 0) {
        if (!reason.empty()) systemLog("The notes of unfinished writes in \"" + folder + "\" were not read: " + reason);
        return;
    }
    for (const std::string& name : namesInFolder(folderFd))
        if (isNoteName(name)) settleNote(folderFd, name, sweep);
    ::close(folderFd);
}

bool ReplacementNote::write(const std::string& target, const std::string& folder, bool keepsPrevious) {
    drop();
    refusal_ = {};
    const std::string notes = notesFolderFor(folder);
    if (notes.empty()) return true;
    std::string reason;
    const int folderFd = openNotesFolder(notes, true, reason);
    std::string content = absolutePath(target);
    content += '\0';
    if (keepsPrevious) content.append(kKeepsPrevious, sizeof kKeepsPrevious);
    for (int attempt = 0; folderFd >= 0 && attempt < 100 && fd_ < 0 && reason.empty(); ++attempt) {
        const std::string name = kNotePrefix + randomHexText();
        const int fd = ::openat(folderFd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno != EEXIST) reason = std::strerror(errno);
            continue;
        }
        if (::flock(fd, LOCK_EX) != 0) {
            reason = std::strerror(errno);
            (void)::unlinkat(folderFd, name.c_str(), 0);
            ::close(fd);
            continue;
        }
        // A start-up in another copy of the program may take an empty note before it is
        // locked (as one whose replacement was stopped): another is made then.
        if (!namesOpenFile(folderFd, name, fd)) {
            ::close(fd);
            continue;
        }
        if (!writeAll(fd, content) || ::fsync(fd) != 0) {
            reason = std::strerror(errno);
            (void)::unlinkat(folderFd, name.c_str(), 0);
            ::close(fd);
            continue;
        }
        fd_ = fd;
        name_ = name;
    }
    if (fd_ >= 0) {
        (void)::fsync(folderFd);   // the note outlasts a crash as the temporary may
        folderFd_ = folderFd;
        return true;
    }
    if (folderFd >= 0) ::close(folderFd);
    refusal_ = {notes, reason.empty() ? std::string(std::strerror(EEXIST)) : reason};
    return false;
}

void ReplacementNote::drop() {
    if (fd_ < 0) return;
    // Taken away while it is still locked: a start-up that opened it meanwhile finds it
    // gone and leaves it.
    (void)::unlinkat(folderFd_, name_.c_str(), 0);
    ::close(fd_);
    ::close(folderFd_);
    fd_ = -1;
    folderFd_ = -1;
    name_.clear();
}

}  // namespace platform
