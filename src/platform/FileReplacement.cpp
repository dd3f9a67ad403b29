#include "platform/FileReplacement.h"

#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

const char* const kJournalSuffixes[] = {"-journal", "-wal", "-shm"};
// A temporary is ".<name>" + this mark + random lower-case hexadecimal digits: a form that
// no other program writes, so a file of that name is known to be ours by its name alone
// (a temporary cut short before anything was written into it is empty).
constexpr const char kPartialMark[] = ".talvexa-partial-";
constexpr std::size_t kRandomLength = 16;
constexpr const char kPreviousMark[] = ".previous";
// Names of earlier builds: their temporaries (".<name>.partial-" and six letters or
// digits), and a database built, copied or kept beside its target.
constexpr const char kOlderPartialMark[] = ".partial-";
constexpr std::size_t kOlderRandomLength = 6;
const char* const kOlderTemporaryEnds[] = {".db.partial", ".db.restoring"};
constexpr const char kOlderPreviousEnd[] = ".db.previous";
// Room for the marks and a journal suffix within a file name of 255 bytes.
constexpr std::size_t kNameRoom = 255 - 1 - (sizeof kPartialMark - 1) - kRandomLength - 8;
constexpr std::size_t kPreviousNameRoom = 255 - 1 - (sizeof kPreviousMark - 1) - 8;
constexpr const char kSqliteHeader[] = "SQLite format 3";   // 16 bytes with its NUL

ReplaceStepHook& stepHook() {
    static ReplaceStepHook hook;
    return hook;
}

bool step(ReplaceStep at, const std::string& target) {
    const ReplaceStepHook& hook = stepHook();
    return !hook || hook(at, target);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void removeWithJournals(const std::string& path) {
    ::unlink(path.c_str());
    for (const char* suffix : kJournalSuffixes) ::unlink((path + suffix).c_str());
}

void removeJournals(const std::string& path) {
    for (const char* suffix : kJournalSuffixes) ::unlink((path + suffix).c_str());
}

// Moves the journals of from beside to (a journal travels with its database).
void moveJournals(const std::string& from, const std::string& to) {
    for (const char* suffix : kJournalSuffixes)
        if (exists(from + suffix)) ::rename((from + suffix).c_str(), (to + suffix).c_str());
}

void flushFolder(int folderFd) {
    if (folderFd >= 0) (void)::fsync(folderFd);
}

std::string randomText() {
    static const char kDigits[] = "0123456789abcdef";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kDigits - 2);
    std::string text;
    for (std::size_t i = 0; i < kRandomLength; ++i) text += kDigits[pick(generator)];
    return text;
}

bool isHexText(const std::string& text) {
    if (text.size() != kRandomLength) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

bool isOlderRandomText(const std::string& text) {
    if (text.size() != kOlderRandomLength) return false;
    for (char c : text)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

std::string withoutJournalSuffix(const std::string& name) {
    for (const char* suffix : kJournalSuffixes)
        if (endsWith(name, suffix)) return name.substr(0, name.size() - std::strlen(suffix));
    return name;
}

// The name (cut to the room a temporary leaves) of the file whose temporary base is;
// empty when base is no temporary of this build.
std::string temporaryOwner(const std::string& base) {
    if (base.empty() || base.front() != '.') return "";
    const auto mark = base.rfind(kPartialMark);
    if (mark == std::string::npos || mark < 2 || !isHexText(base.substr(mark + sizeof kPartialMark - 1))) return "";
    return base.substr(1, mark - 1);
}

// The file a temporary belongs to in the end: one made inside another temporary (as a
// copy or a new database built in a replacement's temporary once was) is the outer one's,
// and that one its target's. Empty when base is no temporary of this build.
std::string innermostOwner(const std::string& base) {
    std::string owner = temporaryOwner(base);
    for (std::string outer = temporaryOwner(owner); !outer.empty(); outer = temporaryOwner(owner)) owner = outer;
    return owner;
}

// Names an earlier build gave its temporaries: known by the name alone only in the
// program's own folders, where no other program puts files.
bool isOlderTemporaryName(const std::string& base) {
    if (base.empty() || base.front() != '.') return false;
    const auto mark = base.rfind(kOlderPartialMark);
    return mark != std::string::npos && mark > 1 && isOlderRandomText(base.substr(mark + sizeof kOlderPartialMark - 1));
}

bool isOlderDatabaseCopyName(const std::string& base) {
    for (const char* end : kOlderTemporaryEnds)
        if (base.size() > std::strlen(end) && endsWith(base, end)) return true;
    return false;
}

// The name of the target a previous file of this build belongs to; empty when base is none.
std::string previousTargetName(const std::string& base) {
    if (base.size() > sizeof kPreviousMark && base.front() == '.' && endsWith(base, kPreviousMark)) {
        const std::string target = base.substr(1, base.size() - 1 - (sizeof kPreviousMark - 1));
        if (target.size() <= kPreviousNameRoom) return target;
    }
    return "";
}

// The same for the "<name>.db.previous" of earlier builds.
std::string olderPreviousTargetName(const std::string& base) {
    if (base.size() > sizeof kOlderPreviousEnd - 1 && endsWith(base, kOlderPreviousEnd))
        return base.substr(0, base.size() - (sizeof kPreviousMark - 1));
    return "";
}

// A plain file (not a link) that begins as every SQLite database does. The program keeps
// aside and copies only databases, so a file of another kind under such a name is not ours.
bool isSqliteFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    char header[sizeof kSqliteHeader] = {};
    const ssize_t got = ::read(fd, header, sizeof header);
    ::close(fd);
    return got == static_cast<ssize_t>(sizeof header) && std::memcmp(header, kSqliteHeader, sizeof header) == 0;
}

// Renames from to to in one step unless a file of that name is there (errno EEXIST); where
// the file system has no such rename, a link does the same and the old name goes.
bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat x {}, y {};
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

// A previous file left by a replacement that did not end. True when it was the only
// copy and went back to its target's place.
bool settlePrevious(const std::string& previous, const std::string& target) {
    if (!exists(previous)) {
        removeJournals(previous);   // journals of nothing
        return false;
    }
    if (exists(target)) {
        // Still the same file: the new one never came; a journal moved aside goes back.
        if (sameFile(previous, target))
            for (const char* suffix : kJournalSuffixes)
                if (exists(previous + suffix) && !exists(target + suffix))
                    ::rename((previous + suffix).c_str(), (target + suffix).c_str());
        removeWithJournals(previous);
        return false;
    }
    // The only copy of the database: it goes back to its place, and nothing is put over
    // it in the same step (the rename refuses a file that appeared meanwhile).
    removeJournals(target);
    if (!renameWithoutReplacing(previous, target)) return false;
    moveJournals(previous, target);
    systemLog("\"" + target + "\" was missing after an interrupted replacement; its copy kept aside (\"" + previous +
              "\") was put back in its place.");
    return true;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

// A folder of the program's own: every leftover of this build and of earlier ones.
void sweepOwnFolderUnlocked(const std::string& folder) {
    const std::vector<std::string> names = namesIn(folder);
    std::set<std::string> previous;
    for (const std::string& name : names) {
        const std::string base = withoutJournalSuffix(name);
        const std::string path = joined(folder, name);
        if (!temporaryOwner(base).empty() || isOlderTemporaryName(base)) {
            ::unlink(path.c_str());
        } else if (name == base && isOlderDatabaseCopyName(base)) {
            if (isSqliteFile(path)) removeWithJournals(path);
        } else if (name == base && (!previousTargetName(base).empty() || !olderPreviousTargetName(base).empty())) {
            if (isSqliteFile(path)) previous.insert(base);
        }
    }
    for (const std::string& base : previous) {
        const std::string target = previousTargetName(base);
        (void)settlePrevious(joined(folder, base), joined(folder, target.empty() ? olderPreviousTargetName(base) : target));
    }
}

// Any folder: the leftovers of the one file called name there, in this build's forms
// only; its previous file too when asked. True when the previous file was put back.
bool sweepFileUnlocked(const std::string& folder, const std::string& name, bool previousToo) {
    const std::string owner = name.substr(0, std::min(name.size(), kNameRoom));
    for (const std::string& entry : namesIn(folder)) {
        const std::string base = withoutJournalSuffix(entry);
        if (temporaryOwner(base) == owner || innermostOwner(base) == owner) ::unlink(joined(folder, entry).c_str());
    }
    if (!previousToo || name.size() > kPreviousNameRoom) return false;
    const std::string previous = joined(folder, "." + name + kPreviousMark);
    return isSqliteFile(previous) && settlePrevious(previous, joined(folder, name));
}

// The folder's lock: shared while replacements work in it, exclusive while it is swept.
int openFolder(const std::string& folder) { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

// Runs sweep with the folder locked against replacements; not while one is at work there
// (in this or another process).
template <typename Sweep>
auto sweepLocked(const std::string& folder, Sweep sweep) -> decltype(sweep()) {
    const int fd = openFolder(folder);
    if (fd < 0) return decltype(sweep())();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return decltype(sweep())();
    }
    auto result = sweep();
    ::close(fd);
    return result;
}

// Notes of replacements in folders that start-up does not sweep.
constexpr const char kNotePrefix[] = "write-";
constexpr std::size_t kNoteLimit = PATH_MAX + 1;   // a path and its closing NUL

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
    return ::getcwd(here, sizeof here) ? joined(here, path) : path;
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
    return name.compare(0, prefix, kNotePrefix) == 0 && isHexText(name.substr(prefix));
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

// The noted target's leftovers swept as sweepLeftoversOf does; false when its folder
// could not be swept now.
bool sweepNotedTarget(const std::string& target) {
    const std::string name = nameOf(target);
    if (name.empty()) return true;
    const std::string folder = folderOf(target);
    return sweepLocked(folder, [&] {
        (void)sweepFileUnlocked(folder, name, true);
        return true;
    });
}

// One note: its target swept and the note dropped, unless its replacement holds it.
void settleNote(int folderFd, const std::string& name) {
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
    const bool whole = end != std::string::npos && end > 0 && end + 1 == got && content.front() == '/';
    if (!whole || sweepNotedTarget(content.substr(0, end))) (void)::unlinkat(folderFd, name.c_str(), 0);
    ::close(fd);
}

}  // namespace

void setReplaceStepHookForTesting(ReplaceStepHook hook) { stepHook() = std::move(hook); }

bool isReplacementLeftover(const std::string& path) {
    const std::string base = withoutJournalSuffix(nameOf(path));
    return !temporaryOwner(base).empty() || isOlderTemporaryName(base) || isOlderDatabaseCopyName(base) ||
           !previousTargetName(base).empty() || !olderPreviousTargetName(base).empty();
}

void sweepLeftovers(const std::string& folder) {
    (void)sweepLocked(folder, [&] {
        sweepOwnFolderUnlocked(folder);
        return true;
    });
}

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

void sweepNotedReplacements() {
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
        if (isNoteName(name)) settleNote(folderFd, name);
    ::close(folderFd);
}

bool sweepLeftoversOf(const std::string& file) {
    const std::string name = nameOf(file);
    if (name.empty() || file.back() == '/') return false;
    const std::string folder = folderOf(file);
    return sweepLocked(folder, [&] { return sweepFileUnlocked(folder, name, true); });
}

FileReplacement::FileReplacement(std::string target, Mode mode) : target_(std::move(target)), mode_(mode) {
    if (target_.empty() || target_.back() == '/') {
        fail("write", EISDIR);
        return;
    }
    folder_ = folderOf(target_);
    std::string name = nameOf(target_);
    // The target is the temporary of a replacement at work (a copy or a new database
    // built there): the new file is made in it directly, and that replacement writes it
    // out and renames it. A temporary of a temporary would outlive a crash under a name
    // that belongs to no file.
    if (!temporaryOwner(name).empty()) {
        if (mode_ == Mode::newFileOnly && exists(target_)) {
            fail("write", EEXIST);
            return;
        }
        mode_ = Mode::replace;
        inPlace_ = true;
        temporary_ = target_;
        return;
    }
    if (mode_ == Mode::keepPrevious) {
        if (name.size() > kPreviousNameRoom) {
            fail("write", ENAMETOOLONG);
            return;
        }
        previous_ = joined(folder_, "." + name + kPreviousMark);
    }
    folderFd_ = openFolder(folder_);
    // A folder that may be written but not read is used without its lock and sweep.
    if (folderFd_ < 0 && (errno == ENOENT || errno == ENOTDIR)) {
        fail("write", errno);
        return;
    }
    // Temporaries of this file that an interrupted run left go first, unless a
    // replacement is at work here. Nothing else in the folder is touched: it may be
    // any folder of the user's.
    if (folderFd_ >= 0) {
        if (::flock(folderFd_, LOCK_EX | LOCK_NB) == 0) {
            (void)sweepFileUnlocked(folder_, name, false);
            (void)::flock(folderFd_, LOCK_SH);
        } else if (errno == EWOULDBLOCK) {
            (void)::flock(folderFd_, LOCK_SH);
        }
    }
    if (name.size() > kNameRoom) name.resize(kNameRoom);
    for (int attempt = 0; attempt < 100 && temporary_.empty(); ++attempt) {
        const std::string candidate = joined(folder_, "." + name + kPartialMark + randomText());
        if (!exists(candidate) && !exists(candidate + "-journal")) temporary_ = candidate;
    }
    if (temporary_.empty()) {
        fail("write", EEXIST);
        return;
    }
    if (!noteTarget()) {
        abandon();
        return;
    }
    if (!step(ReplaceStep::started, target_)) fail("write", EIO);
}

FileReplacement::~FileReplacement() {
    if (!committed_) abandon();
    else if (mode_ == Mode::keepPrevious && !settled_) (void)restorePrevious();
    dropNote();
    if (folderFd_ >= 0) ::close(folderFd_);
}

bool FileReplacement::noteTarget() {
    const std::string notes = notesFolderFor(folder_);
    if (notes.empty()) return true;
    std::string reason;
    const int folderFd = openNotesFolder(notes, true, reason);
    std::string content = absolutePath(target_);
    content += '\0';
    for (int attempt = 0; folderFd >= 0 && attempt < 100 && noteFd_ < 0 && reason.empty(); ++attempt) {
        const std::string name = kNotePrefix + randomText();
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
        noteFd_ = fd;
        note_ = joined(notes, name);
    }
    if (folderFd >= 0) {
        if (noteFd_ >= 0) (void)::fsync(folderFd);   // the note outlasts a crash as the temporary may
        ::close(folderFd);
    }
    if (noteFd_ >= 0) return true;
    error_ = "Could not note the writing of \"" + target_ + "\" in \"" + notes + "\": " +
             (reason.empty() ? std::string(std::strerror(EEXIST)) : reason);
    return false;
}

void FileReplacement::dropNote() {
    if (noteFd_ < 0) return;
    // Taken away while it is still locked: a start-up that opened it meanwhile finds it
    // gone and leaves it.
    (void)::unlink(note_.c_str());
    ::close(noteFd_);
    noteFd_ = -1;
    note_.clear();
}

bool FileReplacement::fail(const std::string& operation, int errorNumber) {
    if (error_.empty()) error_ = "Could not " + operation + " \"" + target_ + "\": " + std::strerror(errorNumber);
    abandon();
    return false;
}

void FileReplacement::abandon() {
    if (committed_) return;
    if (error_.empty()) error_ = "The writing of \"" + target_ + "\" was abandoned.";
    if (!temporary_.empty()) removeWithJournals(temporary_);
    dropNote();
}

bool FileReplacement::commit() {
    if (!ok() || committed_) return false;
    if (!inPlace_ && !step(ReplaceStep::built, target_)) return fail("write", EIO);
    struct stat built {};
    if (::lstat(temporary_.c_str(), &built) != 0) return fail("write", errno);
    if (!S_ISREG(built.st_mode)) return fail("write", EINVAL);
    // A journal beside the new file means it was left in the middle of a transaction.
    for (const char* suffix : kJournalSuffixes)
        if (std::strcmp(suffix, "-shm") != 0 && exists(temporary_ + suffix)) return fail("write", EBUSY);
    if (inPlace_) {
        committed_ = true;
        return true;
    }
    {
        const int fd = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return fail("write", errno);
        const int synced = ::fsync(fd);
        const int why = errno;
        ::close(fd);
        if (synced != 0) return fail("write", why);
    }
    if (!step(ReplaceStep::flushed, target_)) return fail("write", EIO);
    removeJournals(temporary_);   // an idle -shm

    // The new file gets the permissions of the one it replaces; a folder is never replaced.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) return fail("replace", EISDIR);
        if (S_ISREG(old.st_mode)) (void)::chmod(temporary_.c_str(), old.st_mode & 07777);
    }

    if (mode_ == Mode::keepPrevious && !keepPreviousAside()) return false;
    if (!renameIntoPlace()) return false;
    committed_ = true;
    (void)step(ReplaceStep::renamed, target_);
    // The rename itself lasts only once the folder is on the disk as well.
    flushFolder(folderFd_);
    (void)step(ReplaceStep::folderFlushed, target_);
    // A file kept aside is the target's until it is settled; nothing else is left.
    if (mode_ != Mode::keepPrevious) dropNote();
    return true;
}

bool FileReplacement::keepPreviousAside() {
    hadPrevious_ = exists(target_);
    if (!hadPrevious_) {
        removeJournals(target_);   // journals of nothing would be read as the new file's
        return true;
    }
    removeWithJournals(previous_);
    // A second name for the same file: the target is never missing. Where the file
    // system has no links it is moved, and a sweep puts it back after a crash.
    if (::link(target_.c_str(), previous_.c_str()) != 0 && ::rename(target_.c_str(), previous_.c_str()) != 0)
        return fail("keep the file replaced by", errno);
    moveJournals(target_, previous_);
    flushFolder(folderFd_);
    if (!step(ReplaceStep::previousKept, target_)) {
        settlePrevious(previous_, target_);
        return fail("replace", EIO);
    }
    return true;
}

bool FileReplacement::renameIntoPlace() {
    if (!step(ReplaceStep::renaming, target_)) {
        if (mode_ == Mode::keepPrevious && hadPrevious_) settlePrevious(previous_, target_);
        return fail("replace", EIO);
    }
    int result = 0;
    if (mode_ == Mode::newFileOnly) {
        if (!exists(target_)) removeJournals(target_);
        result = renameWithoutReplacing(temporary_, target_) ? 0 : -1;
    } else {
        // A journal of the file being replaced would be read as the new file's own.
        if (mode_ == Mode::replace) removeJournals(target_);
        result = ::rename(temporary_.c_str(), target_.c_str());
    }
    if (result != 0) {
        const int why = errno;
        if (mode_ == Mode::keepPrevious && hadPrevious_) settlePrevious(previous_, target_);
        return fail("replace", why);
    }
    return true;
}

void FileReplacement::discardPrevious() {
    if (!committed_ || settled_ || mode_ != Mode::keepPrevious) return;
    settled_ = true;
    if (hadPrevious_) removeWithJournals(previous_);
    dropNote();
}

bool FileReplacement::restorePrevious() {
    if (!committed_ || settled_ || mode_ != Mode::keepPrevious) return false;
    settled_ = true;
    removeJournals(target_);
    bool ok = true;
    if (hadPrevious_) {
        ok = ::rename(previous_.c_str(), target_.c_str()) == 0;
        if (ok) moveJournals(previous_, target_);
    } else {
        ok = ::unlink(target_.c_str()) == 0 || errno == ENOENT;
    }
    flushFolder(folderFd_);
    dropNote();
    return ok;
}

bool replaceFile(const std::string& target, const FileBuilder& build, std::string* error,
                 FileReplacement::Mode mode) {
    FileReplacement replacement(target, mode);
    std::string reason;
    bool ok = replacement.ok();
    if (!ok) reason = replacement.error();
    if (ok && !build(replacement.temporaryPath(), reason)) {
        ok = false;
        if (reason.empty()) reason = "Could not write \"" + target + "\".";
        replacement.abandon();
    }
    if (ok && !replacement.commit()) {
        ok = false;
        reason = replacement.error();
    }
    if (ok) replacement.discardPrevious();
    if (!ok && error) *error = reason;
    return ok;
}

}  // namespace platform
