#pragma once

// Archives that the tests write with the wrappers themselves, and a view of a folder
// tree to show that an unzip left it alone.

#include <chrono>
#include <ctime>
#include <sys/stat.h>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/zip/ZipFile.h"
#include "core/zip/ZipWriteStream.h"
#include "platform/FileSystem.h"

namespace ziptest {

struct Entry {
    std::string name;
    std::string data;
    int32_t level = ZipFile::ZipCompressionLevelDefault;
    ZipDate date{};   // the epoch: "now" is taken instead
};

// A local date, to the even second as archives keep it.
inline ZipDate localDate(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
}

inline void writeArchive(const std::string& path, const std::vector<Entry>& entries) {
    ZipFile zip(path, ZipFile::ZipFileModeCreate);
    for (const Entry& e : entries) {
        auto stream = e.date == ZipDate{} ? zip.writeFileInZipWithName(e.name, e.level)
                                          : zip.writeFileInZipWithName(e.name, e.date, e.level);
        stream->writeData(e.data);
        stream->finishedWriting();
    }
    zip.close();
}

inline std::string contents(const std::string& path) {
    std::string text;
    platform::readFile(path, text);
    return text;
}

// Every path below folder (symbolic links not followed) with its kind and contents.
inline std::map<std::string, std::string> tree(const std::string& folder) {
    std::map<std::string, std::string> out;
    namespace fs = std::filesystem;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
        const std::string relative = fs::relative(it->path(), folder).string();
        if (it->is_symlink()) out[relative] = "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_directory()) out[relative] = "<folder>";
        else out[relative] = contents(it->path().string());
    }
    return out;
}

inline std::time_t modificationTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    return st.st_mtim.tv_sec;
}

}  // namespace ziptest
