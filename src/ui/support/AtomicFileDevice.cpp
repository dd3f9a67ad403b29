#include "ui/support/AtomicFileDevice.h"

#include <string_view>

AtomicFileDevice::AtomicFileDevice(const std::string& path) : out_(path) {
    if (out_.ok()) open(QIODevice::WriteOnly);
}

AtomicFileDevice::~AtomicFileDevice() { close(); }

bool AtomicFileDevice::writtenOut() { return out_.flush(); }

bool AtomicFileDevice::commit() {
    close();
    return out_.commit();
}

qint64 AtomicFileDevice::readData(char*, qint64) { return -1; }

qint64 AtomicFileDevice::writeData(const char* data, qint64 size) {
    if (size <= 0) return 0;
    return out_.write(std::string_view(data, static_cast<std::size_t>(size))) ? size : -1;
}
