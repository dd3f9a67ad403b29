#include "core/foundation/ScratchFolder.h"

#include <memory>
#include <mutex>

#include "core/foundation/Session.h"
#include "platform/FileLock.h"
#include "platform/SystemLog.h"

namespace {

constexpr const char kScratchFolderName[] = "Scratch";

struct RunFolder {
    std::mutex guard;
    std::unique_ptr<platform::LockedFolder> folder;
    std::string parent;
};

RunFolder& runFolder() {
    static RunFolder run;
    return run;
}

}  // namespace

std::string scratchFolder() {
    const std::string& configuration = session().ControlledTempDir;
    if (configuration.empty()) return "";
    return (configuration.back() == '/' ? configuration : configuration + "/") + kScratchFolderName;
}

std::string runScratchFolder(std::string& reason) {
    const std::string parent = scratchFolder();
    if (parent.empty()) {
        reason = "The program's configuration folder is not known.";
        return "";
    }
    RunFolder& run = runFolder();
    const std::lock_guard<std::mutex> lock(run.guard);
    // Made again when the configuration folder changed or the folder was taken away.
    if (run.folder && run.parent == parent && run.folder->intact()) return run.folder->path();
    run.folder.reset();
    if (!platform::makeOwnerOnlyFolder(parent, reason)) return "";
    auto made = std::make_unique<platform::LockedFolder>(parent, "run-");
    if (!made->ok()) {
        reason = made->error();
        return "";
    }
    run.folder = std::move(made);
    run.parent = parent;
    return run.folder->path();
}

void clearScratchFolder() {
    const std::string folder = scratchFolder();
    if (folder.empty()) return;
    // One that is a link or not the user's is left as it is (runs that need it refuse
    // it and say why).
    std::string reason;
    if (!platform::clearUnlockedFolders(folder, reason))
        platform::systemLog("The scratch folder was not cleared: " + reason);
}
