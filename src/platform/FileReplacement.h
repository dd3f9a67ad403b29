#pragma once

#include <functional>
#include <string>

#include "platform/ReplacementNotes.h"

namespace platform {

// The one way the program puts a whole file at a path, new or in place of another.
// The new file is made under a temporary name beside its target (a hidden
// ".<name>.talvexa-partial-" followed by sixteen random hexadecimal digits, a form no
// other program writes; nothing exists there until the caller makes it), written out to
// the disk, renamed over the target in one step, and the folder is written out, so that
// after a crash the target holds either the old file or the whole new one.
// A replacement that fails or is given up removes its temporary file and the journals
// SQLite may have left beside it. One that a crash cut short leaves files that are
// cleared later: a replacement, when it starts, removes its own target's temporaries
// (and nothing else: the folder may be any folder of the user's); start-up sweeps the
// program's own folders (sweepLeftovers), each listed database (sweepLeftoversOf) and
// each target that a replacement elsewhere noted (ReplacementNotes.h).
//
// A replacement whose target is itself the temporary of another (a file built in a
// replacement's temporary) makes no temporary of its own: it builds in that temporary,
// the one a crash leaves is known by its name, and the outer replacement writes it out
// and renames it. Its commit() only checks what was built.
//
// Every failure keeps the system's reason (error()), naming the file; after the first
// failure the replacement refuses everything else.
class FileReplacement {
public:
    enum class Mode {
        replace,        // takes the place of a file of that name, if there is one
        newFileOnly,    // fails, keeping the temporary's content away, when a file of that name exists
        keepPrevious,   // the file it replaces stays beside it (".<name>.previous") until
                        // discardPrevious() or restorePrevious(); the target never goes missing
    };

    explicit FileReplacement(std::string target, Mode mode = Mode::replace);
    // Abandons a replacement that was not committed; puts back the previous file of a
    // committed keepPrevious replacement that was not settled either way.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    // When the replacement failed because its note could not be written (error() says so
    // too): the notes folder and the system's reason. Its folder is empty otherwise.
    const NoteRefusal& noteRefusal() const { return note_.refusal(); }
    const std::string& target() const { return target_; }
    // Where the caller builds the new file. No file is there yet (SQLite may create it).
    const std::string& temporaryPath() const { return temporary_; }
    bool committed() const { return committed_; }

    // Writes the temporary file out, renames it into place and writes the folder out.
    // False (and the temporary removed, the target as it was) when any step before the
    // rename fails or the rename itself does.
    bool commit();
    // Removes the temporary file and its journals; the target is left as it was. No
    // effect after commit().
    void abandon();

    // After a keepPrevious commit: the file that was replaced goes for good...
    void discardPrevious();
    // ...or takes the target's place again (the new file goes; when nothing was there
    // before, the target is removed). True when the target is as it was before commit().
    bool restorePrevious();

private:
    bool fail(const std::string& operation, int errorNumber);
    bool keepPreviousAside();
    bool renameIntoPlace();
    bool noteTarget();

    std::string target_;
    std::string folder_;
    std::string temporary_;
    std::string previous_;   // keepPrevious: where the replaced file waits
    Mode mode_;
    int folderFd_ = -1;      // holds a shared lock on the folder while the replacement lives
    bool committed_ = false;
    bool settled_ = false;   // keepPrevious: the previous file was discarded or put back
    bool hadPrevious_ = false;
    bool inPlace_ = false;   // the target is another replacement's temporary
    ReplacementNote note_;   // the note of the target, while one is kept
    std::string error_;
};

// Builds target by build(temporaryPath) and commits it. build returns false on failure
// and may set its reason; error (when given) receives the reason of any failure.
using FileBuilder = std::function<bool(const std::string& temporary, std::string& reason)>;
bool replaceFile(const std::string& target, const FileBuilder& build, std::string* error = nullptr,
                 FileReplacement::Mode mode = FileReplacement::Mode::replace);

// Clears in a folder of the program's own (not below it) what interrupted replacements
// left: temporaries and their journals, known by their name; a previous file, when it is
// a SQLite database, is removed when its target exists and put back in its target's
// place when the target is missing (it is then the only copy; the log names it). Names
// left by earlier builds are cleared here too: their temporaries (".<name>.partial-" and
// six letters or digits) by name, "<database>.partial", ".restoring" and ".previous"
// only when they are SQLite databases. Nothing happens while a replacement works in folder.
void sweepLeftovers(const std::string& folder);

// Clears, in whatever folder it lies, what interrupted replacements of the one file left:
// its temporaries of this build's form (and temporaries made inside one of them), and
// its previous file when that is a SQLite database (put back when file is missing).
// Nothing else in the folder is looked at.
// True when the previous file was put back as file (the log names it).
bool sweepLeftoversOf(const std::string& file);

// Start-up: sweeps each noted target as sweepLeftoversOf does (its previous file only
// when the note says that its replacement keeps one) and drops its note. A note
// whose replacement is at work (in another copy of the program), or whose folder cannot
// be reached (a disk that is not there) or is being written, stays for a later start.
void sweepNotedReplacements();

// Whether path names a file that a replacement leaves behind only when interrupted
// (lists of the user's files leave these out).
bool isReplacementLeftover(const std::string& path);

// For tests: the steps of a replacement. Before the rename, a hook that returns false
// makes the step fail as a full disk or an I/O error would; a hook may also end the
// process at a step, as a crash would. Afterwards its answer is not consulted.
enum class ReplaceStep {
    started,         // the temporary name is chosen, nothing built yet
    built,           // commit() begins: the caller has built the temporary file
    flushed,         // the temporary file is on the disk
    previousKept,    // keepPrevious: the target is also linked under the previous name
    renaming,        // just before the rename
    renamed,         // the new file is in place
    folderFlushed,   // the folder is on the disk
};
using ReplaceStepHook = std::function<bool(ReplaceStep, const std::string& target)>;
void setReplaceStepHookForTesting(ReplaceStepHook hook);

}  // namespace platform
