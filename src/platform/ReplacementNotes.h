#pragma once

#include <functional>
#include <set>
#include <string>

namespace platform {

// A replacement in a folder that start-up does not sweep (a backup on a removable disk, a
// new company file in a folder of the user's) notes its target before its temporary can
// be made: one note per replacement in a folder of the program's own, readable by the
// user alone, holding the target's path and whether the replacement keeps the file it
// replaces beside it, and locked by the replacement until it ends either way, when the
// note goes. A note that cannot be written fails the replacement:
// its temporary would be found by nothing. Writing a note is no replacement.
struct ReplacementNotes {
    std::string folder;                   // where notes are kept (made when missing); empty: none are
    std::set<std::string> sweptFolders;   // folders start-up sweeps (sweepLeftovers): no notes
    std::set<std::string> clearedFolders; // folders start-up empties with all below them: no notes
};
void setReplacementNotes(ReplacementNotes notes);

// Why a note could not be written: the notes folder and the system's reason.
struct NoteRefusal {
    std::string folder;
    std::string reason;
};

// The note of one replacement, from before its temporary can be made until drop() (or
// until the note goes away). The notes folder is opened once and the note is written,
// locked and removed inside it, so a link put in its place later leads nowhere else.
class ReplacementNote {
public:
    ReplacementNote() = default;
    ~ReplacementNote() { drop(); }
    ReplacementNote(const ReplacementNote&) = delete;
    ReplacementNote& operator=(const ReplacementNote&) = delete;

    // Notes target, whose replacement works in folder and keeps the file it replaces
    // beside it or not, unless start-up finds what it leaves there anyway (or nothing is
    // noted): then nothing is written. False, with refusal() saying why, when the note
    // could not be written.
    bool write(const std::string& target, const std::string& folder, bool keepsPrevious);
    // The note goes (no effect when there is none).
    void drop();
    const NoteRefusal& refusal() const { return refusal_; }

private:
    int folderFd_ = -1;   // the notes folder the note is in
    int fd_ = -1;         // the note, holding its lock
    std::string name_;
    NoteRefusal refusal_;
};

// Start-up: hands the target of each note whose replacement is not at work (in another
// copy of the program) to sweep, with whether that replacement keeps a previous file (a
// note of an earlier build says nothing of it: it keeps none), and drops the note when
// sweep answers true (false: the target's folder cannot be swept now, the note stays for
// a later start) or when it names no target (a note cut short: its replacement was
// stopped before it made anything).
using NotedTargetSweep = std::function<bool(const std::string& target, bool keepsPrevious)>;
void settleReplacementNotes(const NotedTargetSweep& sweep);

}  // namespace platform
