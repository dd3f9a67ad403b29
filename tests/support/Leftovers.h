#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/FileReplacement.h"

// The files in folder (not below it) that an interrupted file replacement leaves.
inline std::vector<std::string> replacementLeftoversIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        if (platform::isReplacementLeftover(e.path().string())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every file in folder and below it, by path; none when there is no folder.
inline std::vector<std::string> filesBelow(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (auto e = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && e != std::filesystem::recursive_directory_iterator(); e.increment(ec))
        if (e->is_regular_file()) paths.push_back(e->path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

inline std::string folderOfFile(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

// Every file in folder (not below it) with its bytes.
inline std::map<std::string, std::string> filesWithBytes(const std::string& folder) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        files[e.path().filename().string()].assign(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// A SQLite database of some other program at path, holding text.
inline void makeOtherSqliteFile(const std::string& path, const std::string& text) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, ("create table notes (body TEXT); insert into notes values ('" + text + "');").c_str(), nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
}

// Files of other programs (text, a SQLite database, a hidden settings file) under every
// name that a leftover of an interrupted replacement has had, this build's and earlier
// ones', with and without the file they seem to belong to. ownFile names a file of the
// program in the folder: its old-style names are there too. None is the program's.
inline void putOtherProgramsFiles(const std::string& folder, const std::string& ownFile) {
    const auto text = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
    };
    const auto sqlite = [&](const std::string& name) { makeOtherSqliteFile(folder + "/" + name, name); };
    text("family.db.partial", "a draft the user named so");
    sqlite("family.db.restoring");
    sqlite("notes.db");
    sqlite("notes.db.previous");
    sqlite("ledger.db.previous");                // its "ledger.db" is missing
    sqlite(".notes.db.previous");                // hidden, beside notes.db
    text(".settings.previous", "theme=dark\n");  // a hidden settings file; ".settings" is missing
    sqlite(".cache.db.previous");                // ".cache.db"... and "cache.db" are missing
    text(".report.partial-draft1", "draft");
    text(".report.txt.partial-Ab12Cd", "another program's draft");
    sqlite(".photos.db.partial-x9Y8z7");
    sqlite(".photos.db.partial-x9Y8z7-journal");
    text(ownFile + ".partial", "the user's");
    sqlite(ownFile + ".restoring");
    text(ownFile + ".previous", "not a database");
    text("." + ownFile + ".previous", "not a database either");
    text("." + ownFile + ".talvexa-partial-0123456789ABCDEF", "not our digits");
}
