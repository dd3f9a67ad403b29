#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/zip/FileInZipInfo.h"
#include "core/zip/ZipException.h"
#include "core/zip/ZipSupport.h"

class ZipReadStream;
class ZipWriteStream;

// One zip archive opened to read its entries (unzip mode), to make a new archive
// (create mode) or to add entries to an existing one (append mode). Entries are read
// and written one at a time through streams. Every failure, and every call that the
// mode does not allow, throws a ZipException naming the archive or the entry.
//
// Passwords are not supported: writing or reading an entry with one fails with the
// library's parameter error, as a library built without encryption would.
class ZipFile {
public:
    enum Mode : int32_t { ZipFileModeUnzip = 0, ZipFileModeCreate = 1, ZipFileModeAppend = 2 };
    enum CompressionLevel : int32_t {
        ZipCompressionLevelDefault = -1,
        ZipCompressionLevelNone = 0,
        ZipCompressionLevelFastest = 1,
        ZipCompressionLevelBest = 9,
    };

    // In unzip mode every entry is listed in contents(), and the last entry stays the
    // current one.
    ZipFile(const std::string& fileName, int32_t mode);
    // An archive still open is closed quietly when the object goes away; callers that
    // need to know whether an archive they wrote is complete call close() themselves.
    ~ZipFile();
    ZipFile(const ZipFile&) = delete;
    ZipFile& operator=(const ZipFile&) = delete;

    const std::string& fileName() const { return fileName_; }
    int32_t mode() const { return mode_; }
    // Entry name (decomposed form) -> its position in the central directory and its number.
    const std::map<std::string, std::pair<uint64_t, uint64_t>>& contents() const { return contents_; }

    // ---- create and append modes ----
    std::unique_ptr<ZipWriteStream> writeFileInZipWithName(const std::string& name, int32_t compressionLevel);
    std::unique_ptr<ZipWriteStream> writeFileInZipWithName(const std::string& name, ZipDate fileDate,
                                                           int32_t compressionLevel);
    std::unique_ptr<ZipWriteStream> writeFileInZipWithName(const std::string& name, ZipDate fileDate,
                                                           int32_t compressionLevel, const std::string& password,
                                                           uint64_t crc32);

    // ---- unzip mode ----
    uint64_t numFilesInZip();
    std::vector<FileInZipInfo> listFileInZipInfos();
    bool goToFirstFileInZip();
    bool goToNextFileInZip();
    bool locateFileInZip(const std::string& name);
    FileInZipInfo currentFileInZipInfo();
    std::unique_ptr<ZipReadStream> readCurrentFileInZip();
    std::unique_ptr<ZipReadStream> readCurrentFileInZipWithPassword(const std::string& password);

    void close();

private:
    void requireUnzipMode() const;
    void requireWriteMode() const;
    std::string named(const std::string& format) const;
    std::string currentName();

    std::string fileName_;
    int32_t mode_;
    unzFile unzFile_ = nullptr;
    zipFile zipFile_ = nullptr;
    std::map<std::string, std::pair<uint64_t, uint64_t>> contents_;
};
