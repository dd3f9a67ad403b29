#include "core/zip/ZipReadStream.h"

#include <algorithm>
#include <climits>

#include "core/zip/ZipException.h"

ZipReadStream::ZipReadStream(unzFile handle, std::string fileNameInZip)
    : unzFile_(handle), fileNameInZip_(std::move(fileNameInZip)) {}

std::string ZipReadStream::readDataOfLength(std::size_t length) {
    std::string data(std::min<std::size_t>(length, INT_MAX), '\0');
    const int read = unzReadCurrentFile(unzFile_, data.data(), static_cast<unsigned>(data.size()));
    if (read < 0) throw ZipException(read, "Error in reading '" + fileNameInZip_ + "' in the zipfile");
    data.resize(static_cast<std::size_t>(read));
    return data;
}

void ZipReadStream::finishedReading() {
    const int err = unzCloseCurrentFile(unzFile_);
    if (err != UNZ_OK) throw ZipException(err, "Error in closing '" + fileNameInZip_ + "' in the zipfile");
}
