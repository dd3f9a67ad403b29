#include "core/zip/ZipArchive.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <zlib.h>

#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

namespace {

constexpr std::size_t kPieceSize = 4096;

// The name of the current entry as the archive holds it.
bool currentRawName(unzFile file, unz_file_info64& info, std::string& name) {
    if (unzGetCurrentFileInfo64(file, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    name.assign(info.size_filename, '\0');
    return unzGetCurrentFileInfo64(file, &info, name.data(), static_cast<uLong>(name.size()), nullptr, 0, nullptr,
                                   0) == UNZ_OK;
}

// The entry's path below the target folder: "\" taken as "/", in decomposed form.
std::string relativePath(std::string raw) {
    std::replace(raw.begin(), raw.end(), '\\', '/');
    return zipnames::decomposed(raw);
}

std::string joined(const std::string& folder, const std::string& relative) {
    if (!folder.empty() && folder.back() == '/') return folder + relative;
    return folder + "/" + relative;
}

std::vector<std::string> partsOf(const std::string& relative) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const auto slash = relative.find('/', start);
        const std::size_t end = slash == std::string::npos ? relative.size() : slash;
        parts.push_back(relative.substr(start, end - start));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return parts;
}

// Whether writing the entry could reach outside folder.
bool leavesFolder(const std::string& folder, const std::string& relative) {
    if (relative.empty() || relative.front() == '/') return true;
    if (relative.size() >= 2 && std::isalpha(static_cast<unsigned char>(relative[0])) && relative[1] == ':')
        return true;
    const std::vector<std::string> parts = partsOf(relative);
    if (std::find(parts.begin(), parts.end(), "..") != parts.end()) return true;
    // Nothing below the folder may be a symbolic link on the way (this program never
    // makes one, so what is there now is what the writes would meet).
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    for (const std::string& part : parts) {
        if (part.empty() || part == ".") continue;
        path += "/" + part;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) break;
        if (S_ISLNK(st.st_mode)) return true;
    }
    return false;
}

}  // namespace

ZipArchive::~ZipArchive() {
    if (zipFile_) zipClose(zipFile_, nullptr);
    if (unzFile_) unzClose(unzFile_);
}

// ---------------------------------------------------------------- making an archive

bool ZipArchive::CreateZipFile2(const std::string& path) {
    if (zipFile_) CloseZipFile2();
    zipFile_ = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    return zipFile_ != nullptr;
}

bool ZipArchive::CreateZipFile2(const std::string& path, const std::string& password) {
    const bool created = CreateZipFile2(path);
    password_ = password;
    return created;
}

bool ZipArchive::addFileToZip(const std::string& file, const std::string& newname) {
    if (!zipFile_) return false;
    // Entries are never encrypted: the library's encryption is too weak to offer.
    if (!password_.empty()) return false;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    ZipDate date{};
    if (::fstat(fd, &st) == 0)
        date = ZipDate(std::chrono::duration_cast<ZipDate::duration>(std::chrono::seconds(st.st_mtim.tv_sec)));
    const zip_fileinfo header = zipdate::entryHeader(date);
    const int large = static_cast<uint64_t>(st.st_size) >= 0xffffffffu ? 1 : 0;
    if (zipOpenNewFileInZip3_64(zipFile_, newname.c_str(), &header, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0,
                                large) != ZIP_OK) {
        ::close(fd);
        return false;
    }
    bool written = true;
    std::vector<char> piece(1 << 16);
    for (;;) {
        const ssize_t n = ::read(fd, piece.data(), piece.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            written = n == 0;
            break;
        }
        if (zipWriteInFileInZip(zipFile_, piece.data(), static_cast<unsigned>(n)) < 0) {
            written = false;
            break;
        }
    }
    ::close(fd);
    const bool closed = zipCloseFileInZip(zipFile_) == ZIP_OK;
    return written && closed;
}

bool ZipArchive::CloseZipFile2() {
    password_.clear();
    if (!zipFile_) return false;
    const int err = zipClose(zipFile_, nullptr);
    zipFile_ = nullptr;
    return err == ZIP_OK;
}

// ---------------------------------------------------------------- unzipping

bool ZipArchive::UnzipOpenFile(const std::string& path) {
    if (unzFile_) UnzipCloseFile();
    unzFile_ = zipreader::open(path);
    if (!unzFile_) return false;
    unz_global_info64 info{};
    if (unzGetGlobalInfo64(unzFile_, &info) == UNZ_OK)
        platform::systemLog(std::to_string(info.number_entry) + " entries in the zip file");
    return true;
}

bool ZipArchive::UnzipOpenFile(const std::string& path, const std::string& password) {
    const bool opened = UnzipOpenFile(path);
    password_ = password;
    return opened;
}

bool ZipArchive::namesAreSafe(const std::string& folder) {
    int err = unzGoToFirstFile(unzFile_);
    while (err == UNZ_OK) {
        unz_file_info64 info{};
        std::string raw;
        if (!currentRawName(unzFile_, info, raw)) {
            OutputErrorMessage("Error occurs while getting file info");
            return false;
        }
        if (leavesFolder(folder, relativePath(raw))) {
            OutputErrorMessage("Refused to unzip '" + raw + "': it would be written outside of the folder '" +
                               folder + "'.");
            return false;
        }
        err = unzGoToNextFile(unzFile_);
    }
    return true;
}

bool ZipArchive::unzipCurrentEntry(const std::string& folder, bool overWrite) {
    // A library without encryption refuses a password; so does this program.
    if (!password_.empty() || unzOpenCurrentFile(unzFile_) != UNZ_OK) {
        OutputErrorMessage("Error occurs");
        return false;
    }
    unz_file_info64 info{};
    std::string raw;
    if (!currentRawName(unzFile_, info, raw)) {
        OutputErrorMessage("Error occurs while getting file info");
        unzCloseCurrentFile(unzFile_);
        return false;
    }
    const bool isFolder = !raw.empty() && (raw.back() == '/' || raw.back() == '\\');
    const std::string target = joined(folder, relativePath(raw));
    if (isFolder) {
        platform::createDirectories(target);
        unzCloseCurrentFile(unzFile_);
        return true;
    }
    platform::createDirectories(platform::folderOf(target));
    if (platform::fileExists(target) && !overWrite && !OverWrite(target)) {
        unzCloseCurrentFile(unzFile_);
        return true;
    }

    platform::AtomicFileWriter out(target);
    bool readFailed = false;
    char piece[kPieceSize];
    while (out.ok()) {
        const int n = unzReadCurrentFile(unzFile_, piece, sizeof piece);
        if (n < 0) readFailed = true;
        if (n <= 0) break;
        out.write(std::string_view(piece, static_cast<std::size_t>(n)));
    }
    // Closing the entry compares its CRC-32 with what was read.
    const int closed = unzCloseCurrentFile(unzFile_);
    if (readFailed || (out.ok() && closed != UNZ_OK)) {
        out.abandon();
        OutputErrorMessage("Failed to reading zip file");
        return false;
    }
    if (!out.commit()) {
        OutputErrorMessage(out.error());
        return false;
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(zipdate::fromEntry(info.tmu_date).time_since_epoch());
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds.count()), 0}};
    if (::utimensat(AT_FDCWD, target.c_str(), times, 0) != 0) platform::systemLog("Failed to set attributes");
    return true;
}

bool ZipArchive::UnzipFileTo(const std::string& folder, bool overWrite) {
    if (!namesAreSafe(folder)) return false;
    if (unzGoToFirstFile(unzFile_) != UNZ_OK) OutputErrorMessage("Failed");
    for (;;) {
        if (!unzipCurrentEntry(folder, overWrite)) return false;
        const int err = unzGoToNextFile(unzFile_);
        if (err == UNZ_END_OF_LIST_OF_FILE) return true;
        if (err != UNZ_OK) {
            OutputErrorMessage("Failed");
            return false;
        }
    }
}

bool ZipArchive::UnzipCloseFile() {
    password_.clear();
    if (!unzFile_) return true;
    const int err = unzClose(unzFile_);
    unzFile_ = nullptr;
    return err == UNZ_OK;
}

// ---------------------------------------------------------------- delegate and dates

void ZipArchive::OutputErrorMessage(const std::string& text) {
    if (delegate_) delegate_->ErrorMessage(text);
}

bool ZipArchive::OverWrite(const std::string& path) { return delegate_ ? delegate_->OverWriteOperation(path) : true; }

ZipDate ZipArchive::Date1980() { return zipdate::date1980(); }
