#include <gtest/gtest.h>

#include "core/foundation/NSHash_AdditionalHashingAlgorithms.h"
#include "core/foundation/Session.h"

namespace {

using H = NSHash_AdditionalHashingAlgorithms;

class Digests : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

H::Bytes bytesOf(const std::string& s) { return H::Bytes(s.begin(), s.end()); }

// Published test vectors (RFC 1321, FIPS 180-4 examples).
TEST_F(Digests, PublishedVectors) {
    struct C {
        std::string text, md5, sha1, sha256, sha512;
    };
    const std::vector<C> cases = {
        {"", "d41d8cd98f00b204e9800998ecf8427e", "da39a3ee5e6b4b0d3255bfef95601890afd80709",
         "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
         "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce"
         "47d0d13c5d85f2b0ff8318d2877eec2f63b931bd47417a81a538327af927da3e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72", "a9993e364706816aba3e25717850c26c9cd0d89d",
         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
         "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
         "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(H::MD5(c.text), c.md5) << c.text;
        EXPECT_EQ(H::SHA1(c.text), c.sha1) << c.text;
        EXPECT_EQ(H::SHA256(c.text), c.sha256) << c.text;
        EXPECT_EQ(H::SHA512(c.text), c.sha512) << c.text;

        const H::Bytes data = bytesOf(c.text);
        EXPECT_EQ(H::MD5String(data), c.md5);
        EXPECT_EQ(H::SHA1String(data), c.sha1);
        EXPECT_EQ(H::SHA256String(data), c.sha256);
        EXPECT_EQ(H::SHA512String(data), c.sha512);
    }
}

TEST_F(Digests, RawBytesAndTextAgree) {
    const std::string text = "Jos\u00e9 N\u00fa\u00f1ez";  // digested as its UTF-8 bytes
    const H::Bytes data = bytesOf(text);
    EXPECT_EQ(H::UTF8Length(text), data.size());

    struct C {
        H::Bytes fromText, fromData;
        std::string hex;
        std::size_t size;
    };
    for (auto c : std::vector<C>{{H::MD5Data(text), H::MD5(data), H::MD5(text), 16},
                                 {H::SHA1Data(text), H::SHA1(data), H::SHA1(text), 20},
                                 {H::SHA256Data(text), H::SHA256(data), H::SHA256(text), 32},
                                 {H::SHA512Data(text), H::SHA512(data), H::SHA512(text), 64}}) {
        EXPECT_EQ(c.fromText.size(), c.size);
        EXPECT_EQ(c.fromText, c.fromData);
        EXPECT_EQ(c.hex.size(), 2 * c.size);
        EXPECT_EQ(c.hex.find_first_not_of("0123456789abcdef"), std::string::npos);
        EXPECT_EQ(H::toHexString(c.fromData.data(), c.fromData.size()), c.hex);
    }
}

}  // namespace
