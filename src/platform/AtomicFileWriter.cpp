#include "platform/AtomicFileWriter.h"

#include "platform/FileReplacement.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// The permissions a new file of the user gets, or those of the file being replaced.
mode_t permissionsFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path)
    : path_(std::move(path)), replacement_(std::make_unique<FileReplacement>(path_)) {
    if (!replacement_->ok()) {
        error_ = replacement_->error();
        finished_ = true;
        return;
    }
    fd_ = ::open(replacement_->temporaryPath().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        fail("write", path_, errno);
        return;
    }
    if (::fchmod(fd_, permissionsFor(path_)) != 0) {
        fail("write", path_, errno);
        return;
    }
    buffer_.reserve(kBufferSize);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_) abandon();
}

bool AtomicFileWriter::fail(const std::string& operation, const std::string& file, int errorNumber) {
    if (error_.empty()) error_ = "Could not " + operation + " \"" + file + "\": " + std::strerror(errorNumber);
    abandon();
    return false;
}

bool AtomicFileWriter::write(std::string_view bytes) {
    if (!ok() || finished_ || fd_ < 0) return false;
    if (buffer_.size() + bytes.size() > kBufferSize && !flushBuffer()) return false;
    if (bytes.size() >= kBufferSize) {
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        return flushBuffer();
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    return true;
}

bool AtomicFileWriter::flush() {
    if (!ok() || finished_ || fd_ < 0) return false;
    return flushBuffer();
}

bool AtomicFileWriter::flushBuffer() {
    const char* data = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("write", path_, errno);
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool AtomicFileWriter::finish() {
    if (!ok() || committed_) return false;
    if (finished_) return true;
    if (!flushBuffer()) return false;
    if (::fsync(fd_) != 0) return fail("write", path_, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fail("write", path_, errno);
    finished_ = true;
    return true;
}

bool AtomicFileWriter::commit() {
    if (!finish()) return false;
    if (!replacement_->commit()) {
        if (error_.empty()) error_ = replacement_->error();
        return false;
    }
    committed_ = true;
    return true;
}

void AtomicFileWriter::closeDescriptor() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void AtomicFileWriter::abandon() {
    if (committed_) return;
    if (error_.empty()) error_ = "The writing of \"" + path_ + "\" was abandoned.";
    closeDescriptor();
    buffer_.clear();
    replacement_->abandon();
    finished_ = true;
}

}  // namespace platform
