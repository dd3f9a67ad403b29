#pragma once

#include <cstddef>
#include <string>

#include "core/zip/ZipSupport.h"

// The reading of the current entry of an archive opened in unzip mode. It uses the
// archive's handle and is valid only while the archive is open and the entry current.
class ZipReadStream {
public:
    ZipReadStream(unzFile handle, std::string fileNameInZip);

    // At most length bytes; an empty result at the end of the entry.
    std::string readDataOfLength(std::size_t length);
    // Closes the entry; throws when the entry's CRC-32 does not match what was read.
    void finishedReading();

    const std::string& fileNameInZip() const { return fileNameInZip_; }

private:
    unzFile unzFile_;
    std::string fileNameInZip_;
};
