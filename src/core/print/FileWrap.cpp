#include "core/print/FileWrap.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "platform/SystemLog.h"

FileWrap::~FileWrap() {
    if (theFile_ >= 0) ::close(theFile_);
}

bool FileWrap::fail(int errorNumber) {
    error_ = std::strerror(errorNumber);
    return false;
}

bool FileWrap::Open(const std::string& path, int32_t) {
    if (theFile_ >= 0) Close();
    error_.clear();
    // The report files hold names, addresses and amounts and lie in a folder that others
    // may write to: whatever stands at the name goes as an entry (a link, never what it
    // points to), and the file is made new for the user alone. A name taken again
    // between the two steps is cleared once more; what cannot be cleared is not written
    // through.
    int fd = -1;
    int errorNumber = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int unlinkError = ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
        do {
            fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) break;
        errorNumber = errno;
        if (errorNumber != EEXIST) break;
        // A name that could not be cleared: the reason it could not be is the one to tell.
        if (unlinkError != 0) {
            errorNumber = unlinkError;
            break;
        }
    }
    if (fd < 0) {
        platform::systemLog("Failed to opent he file");
        return fail(errorNumber);
    }
    theFile_ = fd;
    return true;
}

bool FileWrap::Open(const std::string& path) { return Open(path, 0); }

bool FileWrap::Write(const void* bytes, std::size_t count) {
    if (theFile_ < 0) return fail(EBADF);
    const char* p = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t n = ::write(theFile_, p, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        p += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FileWrap::Read(void* destination, std::size_t count) {
    if (theFile_ < 0) return fail(EBADF);
    char* p = static_cast<char*>(destination);
    while (count > 0) {
        const ssize_t n = ::read(theFile_, p, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (n == 0) {
            error_ = "the file ends early";
            return false;
        }
        p += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FileWrap::Close() {
    if (theFile_ < 0) return true;
    const int fd = theFile_;
    theFile_ = -1;
    // A failed close can mean written data never reached the file; it is not retried
    // after EINTR because the descriptor is gone either way.
    if (::close(fd) != 0) return fail(errno);
    return true;
}

bool FileWrap::SetFilePos(int64_t offset, int32_t) {
    if (theFile_ < 0) return fail(EBADF);
    if (::lseek(theFile_, static_cast<off_t>(offset), SEEK_SET) < 0) return fail(errno);
    return true;
}

int64_t FileWrap::GetFilePos() {
    if (theFile_ < 0) return -1;
    return static_cast<int64_t>(::lseek(theFile_, 0, SEEK_CUR));
}

int64_t FileWrap::GetFileSize() {
    if (theFile_ < 0) return -1;
    return static_cast<int64_t>(::lseek(theFile_, 0, SEEK_END));
}

bool FileWrap::SetFileSize(int64_t) { return true; }
