#include "core/store/DatabaseFiles.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <sqlite3.h>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/foundation/Utils.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "core/sqlite/FMDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTreeBelowBase = "Talvexa/1099/2025/";

bool isTrimmed(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == 0x85 ||
           c == 0xA0 || c == 0x2028 || c == 0x2029 || c == 0x3000 || (c >= 0x2000 && c <= 0x200A);
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool isHidden(const fs::path& entry) {
    const std::string name = entry.filename().string();
    return !name.empty() && name.front() == '.';
}

void walk(const fs::path& folder, const std::string& yearText, std::vector<std::string>& found) {
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::none, ec);
    if (ec) return;   // a folder that cannot be listed contributes nothing
    std::vector<fs::directory_entry> entries;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
    for (const fs::directory_entry& entry : entries) {
        if (isHidden(entry.path())) continue;
        std::error_code statusError;
        const bool link = entry.is_symlink(statusError);
        const bool folderEntry = entry.is_directory(statusError);
        if (folderEntry) {
            // A link to a folder could lead back up the tree without end.
            if (!link) walk(entry.path(), yearText, found);
            continue;
        }
        const std::string path = entry.path().string();
        if (path.find(yearText) != std::string::npos && path.find(".db") != std::string::npos)
            found.push_back(path);
    }
}

}  // namespace

std::string cleanDatabaseName(const std::string& typed) {
    std::u32string text = Utils::toCodePoints(typed);
    size_t first = 0;
    while (first < text.size() && isTrimmed(text[first])) ++first;
    size_t last = text.size();
    while (last > first && isTrimmed(text[last - 1])) --last;
    text = text.substr(first, last - first);
    for (char32_t& c : text)
        if (c == U'/' || c == U'\\') c = U'_';
    if (text.size() > static_cast<size_t>(kDatabaseNameLimit)) text.resize(kDatabaseNameLimit);
    return Utils::fromCodePoints(text);
}

std::string databaseFilePath(const std::string& folder, const std::string& name, bool useUnderscores,
                             int32_t year) {
    std::string fileName = cleanDatabaseName(name) + " " + std::to_string(year) + ".db";
    if (useUnderscores) std::replace(fileName.begin(), fileName.end(), ' ', '_');
    std::string path = folder;
    if (path.empty() || path.back() != '/') path += '/';
    return path + fileName;
}

std::string baseFolderOf(const std::string& chosen) {
    std::string base = withoutTrailingSlashes(chosen.empty() ? std::string("/") : chosen);
    const std::string::size_type inside = (base + "/").find("/Talvexa/");
    if (inside != std::string::npos) base = base.substr(0, inside);
    return base.empty() ? std::string("/") : base;
}

std::string yearFolderUnder(const std::string& chosen) {
    const std::string base = baseFolderOf(chosen);
    return (base == "/" ? base : base + "/") + kTreeBelowBase;
}

bool databaseFileExistsAfterPutBack(const std::string& path) {
    return platform::fileExists(path) || (platform::sweepLeftoversOf(path) && platform::fileExists(path));
}

NewDatabaseResult makeCompanyDatabase(const std::string& yearFolder, const std::string& name) {
    NewDatabaseResult result;
    const std::string base = baseFolderOf(yearFolder);
    result.tree.SetBaseDir(base == "/" ? base : base + "/");
    result.tree.SetYear(kNewDatabaseYear);
    if (!result.tree.Init() || !platform::createDirectories(yearFolder)) {
        result.outcome = NewDatabaseResult::Outcome::folderFailed;
        return result;
    }

    const std::string path = databaseFilePath(yearFolder, name, UseUnderscoresInDatabasePath());
    {
        CompanyDatabase made;
        if (!made.CreateNew(path, name, kNewDatabaseYear, CompanyDatabase::OpenFailures::quiet)) {
            result.outcome = NewDatabaseResult::Outcome::fileFailed;
            result.reason = made.openFailure();
            return result;
        }
    }

    databaseInfo entry;
    entry.setName(name);
    entry.setYear(kNewDatabaseYear);
    entry.setPath(path);
    entry.setFed_Id("");
    const auto& holder = session().DBH;
    const std::shared_ptr<AppDatabase> app = holder ? holder->appDatabase() : nullptr;
    if (!app || !app->IsReady() || !app->InsertDatabaseInfo(entry)) {
        // A file that no list names would be lost to the user; it holds nothing yet.
        platform::removePath(path);
        result.outcome = NewDatabaseResult::Outcome::listFailed;
        return result;
    }
    result.entry = entry;
    result.outcome = NewDatabaseResult::Outcome::created;
    return result;
}

FileMove moveDatabaseFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    // Never over another file.
    if (platform::fileExists(to) && !fs::equivalent(from, to, ec)) return FileMove::failed;
    fs::rename(from, to, ec);
    if (!ec) return FileMove::moved;
    if (ec != std::errc::cross_device_link) return FileMove::failed;
    if (!copyDatabaseFile(from, to)) return FileMove::failed;
    return platform::removePath(from) ? FileMove::moved : FileMove::copiedOldKept;
}

bool isCompanyDatabaseFile(const std::string& path, int32_t* year) {
    if (year) *year = 0;
    if (!platform::fileExists(path) || platform::isDirectory(path)) return false;
    FMDatabase probe(path);
    probe.setLogsErrors(false);
    if (!probe.openWithFlags(SQLITE_OPEN_READONLY)) return false;
    bool company = false;
    if (auto rs = probe.executeQuery("select count(*) from sqlite_master where type = 'table' and name in "
                                     "('database', 'companies', 'logins', 'recipients');")) {
        company = rs->next() && rs->intForColumnIndex(0) == 4;
        rs->close();
    }
    if (company && year) {
        if (auto rs = probe.executeQuery("select year from database;")) {
            if (rs->next()) *year = rs->intForColumnIndex(0);
            rs->close();
        }
    }
    probe.close();
    return company;
}

std::vector<std::string> findDatabaseFiles(const std::string& folder, const std::string& yearText) {
    std::vector<std::string> found;
    walk(fs::path(folder), yearText, found);
    return found;
}
