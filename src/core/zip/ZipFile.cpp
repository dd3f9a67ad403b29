#include "core/zip/ZipFile.h"

#include <zlib.h>

#include "core/zip/ZipReadStream.h"
#include "core/zip/ZipWriteStream.h"
#include "platform/SystemLog.h"

namespace {

// The library's answer to a call it cannot serve, such as a password it cannot use.
constexpr int kParameterError = UNZ_PARAMERROR;

int32_t levelOf(const unz_file_info64& info) {
    if (info.compression_method == 0) return ZipFile::ZipCompressionLevelNone;
    switch ((info.flag & 0x6) >> 1) {
    case 0: return ZipFile::ZipCompressionLevelDefault;
    case 1: return ZipFile::ZipCompressionLevelBest;
    default: return ZipFile::ZipCompressionLevelFastest;
    }
}

}  // namespace

ZipFile::ZipFile(const std::string& fileName, int32_t mode) : fileName_(fileName), mode_(mode) {
    switch (mode) {
    case ZipFileModeUnzip: {
        unzFile_ = zipreader::open(fileName_);
        if (!unzFile_) throw ZipException(named("Can't open '%@'"));
        // Every entry is listed by name; the walk leaves the last entry current.
        int err = unzGoToFirstFile(unzFile_);
        while (err == UNZ_OK) {
            unz64_file_pos position{};
            if (unzGetFilePos64(unzFile_, &position) == UNZ_OK)
                contents_[currentName()] = {position.pos_in_zip_directory, position.num_of_file};
            err = unzGoToNextFile(unzFile_);
        }
        break;
    }
    case ZipFileModeCreate:
        zipFile_ = zipOpen64(fileName_.c_str(), APPEND_STATUS_CREATE);
        if (!zipFile_) throw ZipException(named("Can't open '%@'"));
        break;
    case ZipFileModeAppend:
        zipFile_ = zipOpen64(fileName_.c_str(), APPEND_STATUS_ADDINZIP);
        if (!zipFile_) throw ZipException(named("Can't open '%@'"));
        break;
    default:
        throw ZipException("Unknown mode " + std::to_string(mode));
    }
}

ZipFile::~ZipFile() {
    if (unzFile_) unzClose(unzFile_);
    if (zipFile_ && zipClose(zipFile_, nullptr) != ZIP_OK) platform::systemLog(named("Error in closing '%@'"));
}

std::string ZipFile::named(const std::string& format) const {
    std::string text = format;
    const auto at = text.find("%@");
    if (at != std::string::npos) text.replace(at, 2, fileName_);
    return text;
}

void ZipFile::requireUnzipMode() const {
    if (mode_ != ZipFileModeUnzip) throw ZipException("Operation not permitted without Unzip mode");
}

void ZipFile::requireWriteMode() const {
    if (mode_ == ZipFileModeUnzip) throw ZipException("Operation not permitted with Unzip mode");
}

// ---------------------------------------------------------------- writing

std::unique_ptr<ZipWriteStream> ZipFile::writeFileInZipWithName(const std::string& name, int32_t compressionLevel) {
    return writeFileInZipWithName(name, std::chrono::system_clock::now(), compressionLevel);
}

std::unique_ptr<ZipWriteStream> ZipFile::writeFileInZipWithName(const std::string& name, ZipDate fileDate,
                                                                int32_t compressionLevel) {
    return writeFileInZipWithName(name, fileDate, compressionLevel, std::string(), 0);
}

std::unique_ptr<ZipWriteStream> ZipFile::writeFileInZipWithName(const std::string& name, ZipDate fileDate,
                                                                int32_t compressionLevel, const std::string& password,
                                                                uint64_t crc32) {
    requireWriteMode();
    const std::string failure = "Error in opening '" + name + "' in zipfile";
    // Entries are never encrypted (the library's own encryption is weak); a password
    // is refused as a library without it would refuse it.
    if (!password.empty()) throw ZipException(kParameterError, failure);
    const zip_fileinfo header = zipdate::entryHeader(fileDate);
    const int err = zipOpenNewFileInZip3_64(zipFile_, name.c_str(), &header, nullptr, 0, nullptr, 0, nullptr,
                                            compressionLevel != 0 ? Z_DEFLATED : 0, compressionLevel, 0,
                                            -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr,
                                            static_cast<uLong>(crc32), 0);
    if (err != ZIP_OK) throw ZipException(err, failure);
    return std::make_unique<ZipWriteStream>(zipFile_, name);
}

// ---------------------------------------------------------------- reading

uint64_t ZipFile::numFilesInZip() {
    requireUnzipMode();
    unz_global_info64 info{};
    const int err = unzGetGlobalInfo64(unzFile_, &info);
    if (err != UNZ_OK) throw ZipException(err, named("Error in getting global info in '%@'"));
    return info.number_entry;
}

std::vector<FileInZipInfo> ZipFile::listFileInZipInfos() {
    const uint64_t count = numFilesInZip();
    std::vector<FileInZipInfo> infos;
    if (count == 0) return infos;
    infos.reserve(count);
    goToFirstFileInZip();
    for (uint64_t i = 0; i < count; ++i) {
        infos.push_back(currentFileInZipInfo());
        if (!goToNextFileInZip()) break;
    }
    return infos;
}

bool ZipFile::goToFirstFileInZip() {
    requireUnzipMode();
    if (unzGoToFirstFile(unzFile_) != UNZ_OK) platform::systemLog(named("Error in going to first file in zip in '%@'"));
    return true;
}

bool ZipFile::goToNextFileInZip() {
    requireUnzipMode();
    const int err = unzGoToNextFile(unzFile_);
    if (err == UNZ_END_OF_LIST_OF_FILE) return false;
    if (err != UNZ_OK) throw ZipException(err, named("Error in going to next file in zip in '%@'"));
    return true;
}

bool ZipFile::locateFileInZip(const std::string& name) {
    requireUnzipMode();
    const auto found = contents_.find(zipnames::decomposed(name));
    if (found == contents_.end()) return false;
    unz64_file_pos position{found->second.first, found->second.second};
    const int err = unzGoToFilePos64(unzFile_, &position);
    if (err == UNZ_END_OF_LIST_OF_FILE) return false;
    if (err != UNZ_OK) throw ZipException(err, named("Error in going to next file in zip in '%@'"));
    return true;
}

std::string ZipFile::currentName() {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(unzFile_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return {};
    std::string raw(info.size_filename, '\0');
    if (unzGetCurrentFileInfo64(unzFile_, &info, raw.data(), static_cast<uLong>(raw.size()), nullptr, 0, nullptr,
                                0) != UNZ_OK)
        return {};
    return zipnames::decomposed(raw);
}

FileInZipInfo ZipFile::currentFileInZipInfo() {
    requireUnzipMode();
    unz_file_info64 info{};
    int err = unzGetCurrentFileInfo64(unzFile_, &info, nullptr, 0, nullptr, 0, nullptr, 0);
    std::string raw(info.size_filename, '\0');
    if (err == UNZ_OK)
        err = unzGetCurrentFileInfo64(unzFile_, &info, raw.data(), static_cast<uLong>(raw.size()), nullptr, 0,
                                      nullptr, 0);
    if (err != UNZ_OK) throw ZipException(err, named("Error in getting current file info in '%@'"));
    return FileInZipInfo(zipnames::decomposed(raw), info.uncompressed_size, levelOf(info), (info.flag & 1) != 0,
                         info.compressed_size, zipdate::fromEntry(info.tmu_date), info.crc);
}

std::unique_ptr<ZipReadStream> ZipFile::readCurrentFileInZip() { return readCurrentFileInZipWithPassword({}); }

std::unique_ptr<ZipReadStream> ZipFile::readCurrentFileInZipWithPassword(const std::string& password) {
    requireUnzipMode();
    const FileInZipInfo info = currentFileInZipInfo();
    const std::string failure = named("Error in opening current file in '%@'");
    if (!password.empty()) throw ZipException(kParameterError, failure);
    const int err = unzOpenCurrentFile(unzFile_);
    if (err != UNZ_OK) throw ZipException(err, failure);
    return std::make_unique<ZipReadStream>(unzFile_, info.name());
}

void ZipFile::close() {
    int err = UNZ_OK;
    switch (mode_) {
    case ZipFileModeUnzip:
        err = unzClose(unzFile_);
        unzFile_ = nullptr;
        break;
    case ZipFileModeCreate:
    case ZipFileModeAppend:
        err = zipClose(zipFile_, nullptr);
        zipFile_ = nullptr;
        break;
    default:
        throw ZipException("Unknown mode " + std::to_string(mode_));
    }
    if (err != UNZ_OK) throw ZipException(err, named("Error in closing '%@'"));
}
