#include "core/zip/ZipWriteStream.h"

#include <algorithm>
#include <climits>

#include "core/zip/ZipException.h"

ZipWriteStream::ZipWriteStream(zipFile handle, std::string fileNameInZip)
    : zipFile_(handle), fileNameInZip_(std::move(fileNameInZip)) {}

void ZipWriteStream::writeBytes(const void* bytes, uint32_t length) {
    const int err = zipWriteInFileInZip(zipFile_, bytes, length);
    if (err < 0) throw ZipException(err, "Error in writing '" + fileNameInZip_ + "' in the zipfile");
}

void ZipWriteStream::writeData(std::string_view data) {
    // The library takes at most a 32-bit length at a time.
    constexpr std::size_t kPiece = 1u << 30;
    do {
        const std::size_t n = std::min(data.size(), kPiece);
        writeBytes(data.data(), static_cast<uint32_t>(n));
        data.remove_prefix(n);
    } while (!data.empty());
}

void ZipWriteStream::finishedWriting() {
    const int err = zipCloseFileInZip(zipFile_);
    if (err != ZIP_OK) throw ZipException(err, "Error in closing '" + fileNameInZip_ + "' in the zipfile");
}
