#include "core/store/ScratchCopy.h"

#include "core/foundation/Session.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "platform/FileSystem.h"

std::string ScratchCopy::scratchPath() { return session().ControlledTempDir + "/" + kScratchFileName; }

ScratchCopy::ScratchCopy() : path_(scratchPath()) { remove(); }

ScratchCopy::~ScratchCopy() { remove(); }

bool ScratchCopy::copyFrom(const std::string& source, const CopyProgress& progress, std::string* reason) {
    return copyDatabaseFile(source, path_, progress, reason) && platform::fileExists(path_);
}

void ScratchCopy::remove() {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) platform::removePath(path_ + suffix);
}
