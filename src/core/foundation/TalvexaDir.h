#pragma once

#include <cstdint>
#include <string>

// One tax year's configuration directory: a base folder and a year, from which every
// folder path of the year's tree is derived. Paths are plain concatenations; a doubled
// "/" inside a path is harmless and is kept as it is.
class TalvexaDir {
public:
    TalvexaDir() = default;

    // Stores a base folder; a path inside a tree is cut back to the folder that holds
    // its "Talvexa" folder (with its trailing "/"). An empty text means the root "/".
    void SetBaseDir(const std::string& text);
    void SetYear(int32_t n) { year_ = n; }
    void setYear(int32_t n) { year_ = n; }
    int32_t GetYear() const { return year_; }
    int32_t year() const { return year_; }

    const std::string& GetBaseDir() const { return dir_; }
    const std::string& GetPath() const { return dir_; }
    const std::string& dir() const { return dir_; }
    void setDir(const std::string& text) { dir_ = text; }

    std::string GetTalvexaDir() const;
    std::string GetAppDir() const;
    std::string GetDir() const;           // the year folder, ending in "/"
    std::string GetConfigDir() const;
    std::string GetBackupsDir() const;
    std::string GetAutoBackupsDir() const;
    std::string GetReportsDir() const;
    bool IsAtRoot() const { return dir_ == "/"; }

    // Creates the year's folder tree; true when every folder exists afterwards. A new
    // Talvexa folder is announced to the user (welcome window and notice).
    bool Init();

private:
    int32_t year_ = 0;
    std::string dir_;
};
