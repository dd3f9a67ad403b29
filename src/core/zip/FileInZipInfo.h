#pragma once

#include <cstdint>
#include <string>

#include "core/zip/ZipSupport.h"

// What an archive says about one entry.
class FileInZipInfo {
public:
    FileInZipInfo(std::string name, uint64_t length, int32_t level, bool crypted, uint64_t size, ZipDate date,
                  uint64_t crc32)
        : name_(std::move(name)), length_(length), level_(level), crypted_(crypted), size_(size), date_(date),
          crc32_(crc32) {}

    // The entry name in canonical decomposed Unicode form.
    const std::string& name() const { return name_; }
    // Uncompressed size in bytes.
    uint64_t length() const { return length_; }
    // Compression level: 0 stored, -1 default, 9 best, 1 fastest.
    int32_t level() const { return level_; }
    bool crypted() const { return crypted_; }
    // Compressed size in bytes.
    uint64_t size() const { return size_; }
    ZipDate date() const { return date_; }
    uint64_t crc32() const { return crc32_; }

private:
    std::string name_;
    uint64_t length_;
    int32_t level_;
    bool crypted_;
    uint64_t size_;
    ZipDate date_;
    uint64_t crc32_;
};
