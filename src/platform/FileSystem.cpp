#include "platform/FileSystem.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileReplacement.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool isReadable(const std::string& path) { return !path.empty() && access(path.c_str(), R_OK) == 0; }

bool isWritable(const std::string& path) { return !path.empty() && access(path.c_str(), W_OK) == 0; }

bool createDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

bool removePath(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    return !fs::exists(path, ec);
}

bool copyFile(const std::string& from, const std::string& to, bool overwrite) {
    std::error_code ec;
    auto opts = overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
    return fs::copy_file(from, to, opts, ec) && !ec;
}

bool movePath(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) return true;
    // Across file systems: copy, then remove the original.
    ec.clear();
    fs::copy(from, to, fs::copy_options::recursive, ec);
    if (ec) return false;
    fs::remove_all(from, ec);
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string* error) {
    AtomicFileWriter out(path);
    if (out.write(contents) && out.commit()) return true;
    if (error) *error = out.error();
    return false;
}

bool writeNewFile(const std::string& path, const std::string& contents, std::string* error) {
    return replaceFile(
        path,
        [&](const std::string& temporary, std::string& reason) {
            std::ofstream out(temporary, std::ios::binary);
            out << contents;
            out.close();
            if (out.fail()) reason = "Could not write \"" + path + "\".";
            return !out.fail();
        },
        error, FileReplacement::Mode::newFileOnly);
}

bool readFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    contents = ss.str();
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t end = path.find_last_not_of('/');
    if (end == std::string::npos) return path.empty() ? "." : "/";
    const std::size_t slash = path.rfind('/', end);
    if (slash == std::string::npos) return ".";
    const std::size_t last = path.find_last_not_of('/', slash);
    return last == std::string::npos ? "/" : path.substr(0, last + 1);
}

std::string joinedPath(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::vector<std::string> namesInFolder(int folderFd) {
    std::vector<std::string> names;
    // The directory stream owns its descriptor; it reads through a copy of folderFd's.
    const int own = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (own < 0) return names;
    DIR* dir = ::fdopendir(own);
    if (!dir) {
        ::close(own);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

bool namesOpenFile(int folderFd, const std::string& name, int fd) {
    struct stat held {}, named {};
    return ::fstat(fd, &held) == 0 && ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

std::string randomHexText() {
    static const char kDigits[] = "0123456789abcdef";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kDigits - 2);
    std::string text;
    for (std::size_t i = 0; i < kRandomHexLength; ++i) text += kDigits[pick(generator)];
    return text;
}

bool isRandomHexText(const std::string& text) {
    if (text.size() != kRandomHexLength) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

}  // namespace platform
