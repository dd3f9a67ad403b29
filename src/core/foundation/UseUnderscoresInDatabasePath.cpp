#include "core/foundation/UseUnderscoresInDatabasePath.h"

#include "core/foundation/Session.h"
#include "platform/FileSystem.h"

bool UseUnderscoresInDatabasePath() {
    std::string folder = session().ControlledTempDir;
    if (folder.empty()) return false;
    if (folder.back() != '/') folder += '/';
    return platform::fileExists(folder + "Use Underscores in Database Paths.txt");
}

std::string yearDatabaseFileName(const std::string& name, bool useUnderscores) {
    std::string file = name + " 2025.db";
    if (useUnderscores)
        for (char& c : file)
            if (c == ' ') c = '_';
    return file;
}
