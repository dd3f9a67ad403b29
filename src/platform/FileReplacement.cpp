#include "platform/FileReplacement.h"

#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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
constexpr const char kPreviousMark[] = ".previous";
// Names of earlier builds: their temporaries (".<name>.partial-" and six letters or
// digits), and a database built, copied or kept beside its target.
constexpr const char kOlderPartialMark[] = ".partial-";
constexpr std::size_t kOlderRandomLength = 6;
const char* const kOlderTemporaryEnds[] = {".db.partial", ".db.restoring"};
constexpr const char kOlderPreviousEnd[] = ".db.previous";
// Room for the marks and a journal suffix within a file name of 255 bytes.
constexpr std::size_t kNameRoom = 255 - 1 - (sizeof kPartialMark - 1) - kRandomHexLength - 8;
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
    if (mark == std::string::npos || mark < 2 || !isRandomHexText(base.substr(mark + sizeof kPartialMark - 1)))
        return "";
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
        const std::string path = joinedPath(folder, name);
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
        (void)settlePrevious(joinedPath(folder, base),
                             joinedPath(folder, target.empty() ? olderPreviousTargetName(base) : target));
    }
}

// Any folder: the leftovers of the one file called name there, in this build's forms
// only; its previous file too when asked. True when the previous file was put back.
bool sweepFileUnlocked(const std::string& folder, const std::string& name, bool previousToo) {
    const std::string owner = name.substr(0, std::min(name.size(), kNameRoom));
    for (const std::string& entry : namesIn(folder)) {
        const std::string base = withoutJournalSuffix(entry);
        if (temporaryOwner(base) == owner || innermostOwner(base) == owner) ::unlink(joinedPath(folder, entry).c_str());
    }
    if (!previousToo || name.size() > kPreviousNameRoom) return false;
    const std::string previous = joinedPath(folder, "." + name + kPreviousMark);
    return isSqliteFile(previous) && settlePrevious(previous, joinedPath(folder, name));
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

// The noted target's leftovers swept as sweepLeftoversOf does, its previous file only
// when its replacement keeps one: beside the target of any other, a file of that name is
// not the program's. False when its folder could not be swept now.
bool sweepNotedTarget(const std::string& target, bool keepsPrevious) {
    const std::string name = nameOf(target);
    if (name.empty()) return true;
    const std::string folder = folderOf(target);
    return sweepLocked(folder, [&] {
        (void)sweepFileUnlocked(folder, name, keepsPrevious);
        return true;
    });
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

void sweepNotedReplacements() { settleReplacementNotes(sweepNotedTarget); }

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
        previous_ = joinedPath(folder_, "." + name + kPreviousMark);
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
        const std::string candidate = joinedPath(folder_, "." + name + kPartialMark + randomHexText());
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
    note_.drop();
    if (folderFd_ >= 0) ::close(folderFd_);
}

bool FileReplacement::noteTarget() {
    if (note_.write(target_, folder_, mode_ == Mode::keepPrevious)) return true;
    const NoteRefusal& refusal = note_.refusal();
    error_ = "Could not note the writing of \"" + target_ + "\" in \"" + refusal.folder + "\": " + refusal.reason;
    return false;
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
    note_.drop();
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
    if (mode_ != Mode::keepPrevious) note_.drop();
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
    note_.drop();
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
    note_.drop();
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
