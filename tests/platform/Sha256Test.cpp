#include "platform/Sha256.h"

#include <gtest/gtest.h>

namespace {

struct Vector {
    std::string message;
    std::string digest;
};

// FIPS 180-4 example messages, and lengths either side of the padding limit
// (55 bytes fit one block with the length, 56 need a second); the last two
// digests come from sha256sum.
const Vector kVectors[] = {
    {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
    {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
};

TEST(Sha256Test, KnownDigests) {
    for (const Vector& v : kVectors) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(v.message.data());
        EXPECT_EQ(Sha256::Of(bytes, v.message.size()), v.digest) << v.message.size() << " bytes";
    }
}

TEST(Sha256Test, PiecewiseUpdatesMatchOneUpdate) {
    const std::string& message = kVectors[2].message;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(message.data());
    for (const std::size_t cut : {std::size_t{1}, std::size_t{55}, std::size_t{56}}) {
        Sha256 hash;
        hash.Update(bytes, cut);
        hash.Update(bytes + cut, message.size() - cut);
        EXPECT_EQ(hash.HexDigest(), kVectors[2].digest) << "cut at " << cut;
    }
}

} // namespace
