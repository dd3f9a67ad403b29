#include "core/foundation/NSHash_AdditionalHashingAlgorithms.h"

#include <openssl/evp.h>

namespace {

using Bytes = NSHash_AdditionalHashingAlgorithms::Bytes;

Bytes digest(const EVP_MD* md, const void* data, std::size_t length) {
    Bytes out(static_cast<std::size_t>(EVP_MD_get_size(md)));
    unsigned int size = 0;
    static const uint8_t kEmpty = 0;
    if (!EVP_Digest(length ? data : &kEmpty, length, out.data(), &size, md, nullptr)) return {};
    out.resize(size);
    return out;
}

Bytes ofText(const EVP_MD* md, const std::string& text) { return digest(md, text.data(), text.size()); }
Bytes ofData(const EVP_MD* md, const Bytes& data) { return digest(md, data.data(), data.size()); }

std::string hex(Bytes bytes) { return NSHash_AdditionalHashingAlgorithms::toHexString(bytes.data(), bytes.size()); }

}  // namespace

std::string NSHash_AdditionalHashingAlgorithms::toHexString(uint8_t* buffer, std::size_t length) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        out.push_back(kDigits[buffer[i] >> 4]);
        out.push_back(kDigits[buffer[i] & 0x0F]);
        buffer[i] = 0;
    }
    return out;
}

std::string NSHash_AdditionalHashingAlgorithms::MD5(const std::string& text) { return hex(ofText(EVP_md5(), text)); }
std::string NSHash_AdditionalHashingAlgorithms::SHA1(const std::string& text) { return hex(ofText(EVP_sha1(), text)); }
std::string NSHash_AdditionalHashingAlgorithms::SHA256(const std::string& text) { return hex(ofText(EVP_sha256(), text)); }
std::string NSHash_AdditionalHashingAlgorithms::SHA512(const std::string& text) { return hex(ofText(EVP_sha512(), text)); }

Bytes NSHash_AdditionalHashingAlgorithms::MD5Data(const std::string& text) { return ofText(EVP_md5(), text); }
Bytes NSHash_AdditionalHashingAlgorithms::SHA1Data(const std::string& text) { return ofText(EVP_sha1(), text); }
Bytes NSHash_AdditionalHashingAlgorithms::SHA256Data(const std::string& text) { return ofText(EVP_sha256(), text); }
Bytes NSHash_AdditionalHashingAlgorithms::SHA512Data(const std::string& text) { return ofText(EVP_sha512(), text); }

std::size_t NSHash_AdditionalHashingAlgorithms::UTF8Length(const std::string& text) { return text.size(); }

Bytes NSHash_AdditionalHashingAlgorithms::MD5(const Bytes& data) { return ofData(EVP_md5(), data); }
Bytes NSHash_AdditionalHashingAlgorithms::SHA1(const Bytes& data) { return ofData(EVP_sha1(), data); }
Bytes NSHash_AdditionalHashingAlgorithms::SHA256(const Bytes& data) { return ofData(EVP_sha256(), data); }
Bytes NSHash_AdditionalHashingAlgorithms::SHA512(const Bytes& data) { return ofData(EVP_sha512(), data); }

std::string NSHash_AdditionalHashingAlgorithms::MD5String(const Bytes& data) { return hex(ofData(EVP_md5(), data)); }
std::string NSHash_AdditionalHashingAlgorithms::SHA1String(const Bytes& data) { return hex(ofData(EVP_sha1(), data)); }
std::string NSHash_AdditionalHashingAlgorithms::SHA256String(const Bytes& data) { return hex(ofData(EVP_sha256(), data)); }
std::string NSHash_AdditionalHashingAlgorithms::SHA512String(const Bytes& data) { return hex(ofData(EVP_sha512(), data)); }
