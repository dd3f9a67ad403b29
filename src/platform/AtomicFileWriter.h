#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class FileReplacement;

// Writes a file piece by piece without ever leaving half a file under its real name: a
// FileReplacement fed with bytes. The bytes go to its temporary file beside the target;
// commit() puts the finished file in place with one rename, replacing an existing file
// of that name. A writer that fails, is abandoned or goes away uncommitted removes its
// temporary file.
//
// Every failure keeps the system's reason (error()), naming the file and the operation;
// after the first failure the writer refuses everything else.
class AtomicFileWriter {
public:
    // Creates the temporary file beside path; check ok() before writing.
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }

    // Appends bytes (buffered).
    bool write(std::string_view bytes);
    // Hands what is buffered to the file, so that a disk without room for it is known
    // now rather than at the next write or at commit(); false with the reason when the
    // file does not take it.
    bool flush();
    // Writes out what is buffered, makes it durable and closes the temporary file; after
    // this only commit() or abandon() are left. commit() calls it when needed.
    bool finish();
    // Finishes when needed and renames the temporary file into place.
    bool commit();
    // Removes the temporary file and refuses everything afterwards; the real name is
    // left as it was. No effect after commit().
    void abandon();

private:
    bool fail(const std::string& operation, const std::string& file, int errorNumber);
    bool flushBuffer();
    void closeDescriptor();

    std::string path_;
    std::unique_ptr<FileReplacement> replacement_;
    int fd_ = -1;
    bool finished_ = false;
    bool committed_ = false;
    std::vector<char> buffer_;
    std::string error_;
};

}  // namespace platform
