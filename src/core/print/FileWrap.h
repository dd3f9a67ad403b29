#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One open file handle for the report writer. Open makes the file new and empty, for the
// user alone, in place of whatever had the name (removed as an entry: a link goes, what
// it points to stays as it was), and reads and writes go at the current position. Every
// failure keeps the system's reason (error()), so the caller can tell the user why.
class FileWrap {
public:
    FileWrap() = default;
    ~FileWrap();
    FileWrap(const FileWrap&) = delete;
    FileWrap& operator=(const FileWrap&) = delete;

    // Opens the path for reading and writing at offset 0, made new and empty (owner-only,
    // never through a link); the mode is not consulted. False when it cannot be opened
    // (logged to the system log).
    bool Open(const std::string& path, int32_t mode);
    bool Open(const std::string& path);
    // True when all count bytes were written at the current position.
    bool Write(const void* bytes, std::size_t count);
    // True when all count bytes were read from the current position.
    bool Read(void* destination, std::size_t count);
    // Closes the handle; false when the system reported a failure while closing (data
    // that did not reach the file).
    bool Close();
    // Moves to the absolute offset; the origin is not consulted.
    bool SetFilePos(int64_t offset, int32_t origin);
    int64_t GetFilePos();
    // Moves to the end of the file and answers that offset.
    int64_t GetFileSize();
    // Does nothing.
    bool SetFileSize(int64_t size);

    bool isOpen() const { return theFile_ >= 0; }
    // The system's reason for the last failure (empty when none).
    const std::string& error() const { return error_; }

private:
    bool fail(int errorNumber);

    int theFile_ = -1;
    std::string error_;
};
