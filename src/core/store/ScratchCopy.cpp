#include "core/store/ScratchCopy.h"

#include "core/foundation/Session.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "platform/FileSystem.h"

std::string ScratchCopy::scratchPath() { return session().ControlledTempDir + "/" + kScratchFileName; }

namespace {

std::string lockPathOf(const std::string& copy) {
    const auto slash = copy.rfind('/');
    return copy.substr(0, slash + 1) + "." + copy.substr(slash + 1) + ".lock";
}

}  // namespace

ScratchCopy::ScratchCopy() : ScratchCopy(session().ControlledTempDir) {}

ScratchCopy::ScratchCopy(const std::string& folder)
    : path_(folder + "/" + kScratchFileName), lock_(lockPathOf(path_)) {
    if (lock_.busy())
        inUse_ = "Another copy of Talvexa 1099 is using \"" + path_ +
                 "\" (a restore, a backup or a new year is under way there). Please try again when it has finished.";
    remove();
}

ScratchCopy::~ScratchCopy() { remove(); }

bool ScratchCopy::copyFrom(const std::string& source, const CopyProgress& progress, std::string* reason) {
    if (inUseElsewhere()) {
        if (reason) *reason = inUse_;
        return false;
    }
    return copyDatabaseFile(source, path_, progress, reason) && platform::fileExists(path_);
}

void ScratchCopy::remove() {
    if (inUseElsewhere()) return;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) platform::removePath(path_ + suffix);
}
