#pragma once

#include <chrono>
#include <string>

#include <minizip/unzip.h>
#include <minizip/zip.h>

// Modification dates of archive entries. An archive keeps a date as local calendar
// fields (to the even second, from 1980 to 2107), so dates are split and joined in the
// local time zone.
using ZipDate = std::chrono::system_clock::time_point;

namespace zipdate {

// The header fields for an entry written now or at the given date; a date the archive
// cannot hold becomes the nearest one it can.
zip_fileinfo entryHeader(ZipDate date);
// The date that an entry's fields describe.
ZipDate fromEntry(const tm_unz& fields);
// Midnight of 1 January 1980, local time: the earliest date an archive holds.
ZipDate date1980();

}  // namespace zipdate

namespace zipreader {

// Opens an archive for reading. The library cannot find the directory of an archive
// that holds nothing else (an archive without entries), because it never looks at the
// archive's first byte; the archive is therefore read as if four empty bytes came
// before it, which the library takes as a preamble, as in a self-extracting archive.
unzFile open(const std::string& path);

}  // namespace zipreader

namespace zipnames {

// The text in canonical decomposed Unicode form; bytes that are not UTF-8 become U+FFFD.
std::string decomposed(const std::string& utf8);

}  // namespace zipnames
