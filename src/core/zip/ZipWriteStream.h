#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/zip/ZipSupport.h"

// The writing of one new entry of an archive opened to create or append. It uses the
// archive's handle and is valid only while the archive is open and the entry current.
class ZipWriteStream {
public:
    ZipWriteStream(zipFile handle, std::string fileNameInZip);

    void writeBytes(const void* bytes, uint32_t length);
    void writeData(std::string_view data);
    // Closes the entry.
    void finishedWriting();

    const std::string& fileNameInZip() const { return fileNameInZip_; }

private:
    zipFile zipFile_;
    std::string fileNameInZip_;
};
