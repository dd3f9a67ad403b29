#include "core/zip/ZipSupport.h"

#include <cstdio>
#include <ctime>

#include <minizip/ioapi.h>

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace zipdate {

namespace {

ZipDate fromLocal(int year, int month0, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month0;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t));
}

}  // namespace

ZipDate date1980() { return fromLocal(1980, 0, 1, 0, 0, 0); }

zip_fileinfo entryHeader(ZipDate date) {
    const ZipDate earliest = date1980();
    const ZipDate latest = fromLocal(2107, 11, 31, 23, 59, 58);
    if (date < earliest) date = earliest;
    if (date > latest) date = latest;
    const std::time_t seconds = std::chrono::system_clock::to_time_t(date);
    std::tm local{};
    localtime_r(&seconds, &local);
    zip_fileinfo header{};
    header.tmz_date.tm_sec = static_cast<uInt>(local.tm_sec);
    header.tmz_date.tm_min = static_cast<uInt>(local.tm_min);
    header.tmz_date.tm_hour = static_cast<uInt>(local.tm_hour);
    header.tmz_date.tm_mday = static_cast<uInt>(local.tm_mday);
    header.tmz_date.tm_mon = static_cast<uInt>(local.tm_mon);
    header.tmz_date.tm_year = static_cast<uInt>(local.tm_year + 1900);
    header.dosDate = 0;
    header.internal_fa = 0;
    header.external_fa = 0;
    return header;
}

ZipDate fromEntry(const tm_unz& f) {
    return fromLocal(static_cast<int>(f.tm_year), static_cast<int>(f.tm_mon), static_cast<int>(f.tm_mday),
                     static_cast<int>(f.tm_hour), static_cast<int>(f.tm_min), static_cast<int>(f.tm_sec));
}

}  // namespace zipdate

namespace zipreader {

namespace {

constexpr ZPOS64_T kPreamble = 4;

struct PaddedFile {
    std::FILE* file = nullptr;
    ZPOS64_T position = 0;   // in the padded view
    ZPOS64_T size = 0;       // of the padded view
};

voidpf ZCALLBACK openPadded(voidpf, const void* filename, int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ || !filename) return nullptr;
    std::FILE* file = std::fopen(static_cast<const char*>(filename), "rb");
    if (!file) return nullptr;
    if (fseeko(file, 0, SEEK_END) != 0) {
        std::fclose(file);
        return nullptr;
    }
    const off_t size = ftello(file);
    if (size < 0) {
        std::fclose(file);
        return nullptr;
    }
    return new PaddedFile{file, 0, static_cast<ZPOS64_T>(size) + kPreamble};
}

uLong ZCALLBACK readPadded(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* f = static_cast<PaddedFile*>(stream);
    auto* out = static_cast<unsigned char*>(buffer);
    uLong done = 0;
    while (done < size && f->position < kPreamble) {
        out[done++] = 0;
        ++f->position;
    }
    if (done < size && f->position < f->size) {
        if (fseeko(f->file, static_cast<off_t>(f->position - kPreamble), SEEK_SET) != 0) return done;
        const size_t n = std::fread(out + done, 1, size - done, f->file);
        f->position += n;
        done += static_cast<uLong>(n);
    }
    return done;
}

uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK tellPadded(voidpf, voidpf stream) { return static_cast<PaddedFile*>(stream)->position; }

long ZCALLBACK seekPadded(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* f = static_cast<PaddedFile*>(stream);
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: f->position = offset; return 0;
    case ZLIB_FILEFUNC_SEEK_CUR: f->position += offset; return 0;
    case ZLIB_FILEFUNC_SEEK_END: f->position = f->size + offset; return 0;
    default: return -1;
    }
}

int ZCALLBACK closePadded(voidpf, voidpf stream) {
    auto* f = static_cast<PaddedFile*>(stream);
    const int result = std::fclose(f->file);
    delete f;
    return result;
}

int ZCALLBACK errorPadded(voidpf, voidpf stream) { return std::ferror(static_cast<PaddedFile*>(stream)->file); }

}  // namespace

unzFile open(const std::string& path) {
    zlib_filefunc64_def functions{openPadded, readPadded, writeNothing, tellPadded,
                                  seekPadded, closePadded, errorPadded, nullptr};
    return unzOpen2_64(path.c_str(), &functions);
}

}  // namespace zipreader

namespace zipnames {

std::string decomposed(const std::string& utf8) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) return utf8;
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
    const icu::UnicodeString normal = nfd->normalize(text, status);
    if (U_FAILURE(status)) return utf8;
    std::string out;
    normal.toUTF8String(out);
    return out;
}

}  // namespace zipnames
