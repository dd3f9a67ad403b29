#pragma once

#include <cstdint>
#include <string>

// What one read of the versions database says: the patch level of this tax year's
// program and the newest major version on sale.
class VersionInfo {
public:
    int32_t year() const { return year_; }
    void setYear(int32_t v) { year_ = v; }
    int32_t thisYearMajor() const { return thisYearMajor_; }
    void setThisYearMajor(int32_t v) { thisYearMajor_ = v; }
    int32_t thisYearUpdate() const { return thisYearUpdate_; }
    void setThisYearUpdate(int32_t v) { thisYearUpdate_ = v; }
    int32_t thisYearPatch() const { return thisYearPatch_; }
    void setThisYearPatch(int32_t v) { thisYearPatch_ = v; }
    const std::string& patchWebPageURL() const { return patchWebPageURL_; }
    void setPatchWebPageURL(std::string v) { patchWebPageURL_ = std::move(v); }
    // Address of the patch archive.
    const std::string& patchURL() const { return patchURL_; }
    void setPatchURL(std::string v) { patchURL_ = std::move(v); }
    // File name of the installer inside the archive, ending in ".pkg".
    const std::string& patchFileName() const { return patchFileName_; }
    void setPatchFileName(std::string v) { patchFileName_ = std::move(v); }
    int32_t mostRecentMajor() const { return mostRecentMajor_; }
    void setMostRecentMajor(int32_t v) { mostRecentMajor_ = v; }
    int32_t mostRecentUpdate() const { return mostRecentUpdate_; }
    void setMostRecentUpdate(int32_t v) { mostRecentUpdate_ = v; }
    int32_t mostRecentPatch() const { return mostRecentPatch_; }
    void setMostRecentPatch(int32_t v) { mostRecentPatch_ = v; }
    // The purchase page of the newest version.
    const std::string& updateWebPageURL() const { return updateWebPageURL_; }
    void setUpdateWebPageURL(std::string v) { updateWebPageURL_ = std::move(v); }

private:
    int32_t year_ = 0;
    int32_t thisYearMajor_ = 0;
    int32_t thisYearUpdate_ = 0;
    int32_t thisYearPatch_ = 0;
    std::string patchWebPageURL_;
    std::string patchURL_;
    std::string patchFileName_;
    int32_t mostRecentMajor_ = 0;
    int32_t mostRecentUpdate_ = 0;
    int32_t mostRecentPatch_ = 0;
    std::string updateWebPageURL_;
};
