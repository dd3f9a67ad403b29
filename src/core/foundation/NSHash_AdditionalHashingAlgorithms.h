#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One-call message digests (MD5, SHA-1, SHA-256, SHA-512) of a text's UTF-8 bytes or
// of byte data. On text the plain names give lower-case hexadecimal and the *Data
// names the raw digest; on byte data the plain names give the raw digest and the
// *String names the hexadecimal.
class NSHash_AdditionalHashingAlgorithms {
public:
    using Bytes = std::vector<uint8_t>;

    // ---- text ----
    static std::string MD5(const std::string& text);
    static std::string SHA1(const std::string& text);
    static std::string SHA256(const std::string& text);
    static std::string SHA512(const std::string& text);
    static Bytes MD5Data(const std::string& text);
    static Bytes SHA1Data(const std::string& text);
    static Bytes SHA256Data(const std::string& text);
    static Bytes SHA512Data(const std::string& text);
    static std::size_t UTF8Length(const std::string& text);

    // ---- byte data ----
    static Bytes MD5(const Bytes& data);
    static Bytes SHA1(const Bytes& data);
    static Bytes SHA256(const Bytes& data);
    static Bytes SHA512(const Bytes& data);
    static std::string MD5String(const Bytes& data);
    static std::string SHA1String(const Bytes& data);
    static std::string SHA256String(const Bytes& data);
    static std::string SHA512String(const Bytes& data);

    // Two lower-case hexadecimal digits per byte; clears the buffer as it goes.
    static std::string toHexString(uint8_t* buffer, std::size_t length);
};
