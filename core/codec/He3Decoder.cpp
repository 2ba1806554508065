#include "codec/He3Decoder.h"

#include "codec/He3Checksum.h"
#include "codec/clsHuffman.h"
#include "platform/QuelError.h"
#include "platform/RtlMoveMemory.h"

#include <algorithm>
#include <limits>

namespace {

const char* const kSource = "clsHuffman.DecodeByte()";

QuelError IdentificationError() {
    return QuelError(QuelError::kOwnError, "HuffmanDecode()",
                     "The data either was not compressed with HE3 or is corrupt "
                     "(identification string not found)");
}

QuelError ChecksumError() {
    return QuelError(QuelError::kOwnError, "clsHuffman.Decode()",
                     "The data might be corrupted (checksum did not match expected value)");
}

QuelError LengthTooLargeError() {
    return QuelError(QuelError::kOwnError, "clsHuffman.Decode()",
                     "The data might be corrupted (stored length is more than the data can hold)");
}

QuelError EndedEarlyError() {
    return QuelError(QuelError::kOwnError, "clsHuffman.Decode()",
                     "The data might be corrupted (data ended before the stored length was "
                     "reached)");
}

// The byte at index, which must lie inside the buffer.
std::uint8_t ByteAt(const std::vector<std::uint8_t>& bytes, std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(bytes.size())) {
        throw QuelError::SubscriptOutOfRange(kSource);
    }
    return bytes[static_cast<std::size_t>(index)];
}

} // namespace

He3Decoder::He3Decoder(He3Progress& progress) : progress_(progress) {}

void He3Decoder::Decode(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen) {
    bool stored = true;
    bool coded = true;
    for (std::size_t k = 0; k < He3::kIdLength; ++k) {
        const std::uint8_t b = ByteAt(ByteArray, static_cast<std::int64_t>(k));
        stored = stored && b == He3::kStoredId[k];
        coded = coded && b == He3::kCodedId[k];
    }
    if (stored) {
        RestoreStored(ByteArray, ByteLen);
        return;
    }
    if (!coded) {
        throw IdentificationError();
    }

    const std::uint8_t S = ByteAt(ByteArray, He3::kChecksumOffset);
    std::uint32_t length = 0;
    for (std::int64_t k = 3; k >= 0; --k) {
        length = length << 8 | ByteAt(ByteArray, He3::kLengthOffset + k);
    }
    const auto OrigLen = static_cast<std::int32_t>(length);
    // Nothing was coded: the result is empty, never the stream itself.
    if (OrigLen == 0) {
        ByteArray.clear();
        return;
    }
    if (OrigLen == std::numeric_limits<std::int32_t>::min()) {
        throw QuelError::Overflow(kSource);
    }
    if (OrigLen < 0) {
        throw QuelError::SubscriptOutOfRange(kSource);
    }

    const auto N = static_cast<std::int16_t>(ByteAt(ByteArray, He3::kCountOffset) |
                                             ByteAt(ByteArray, He3::kCountOffset + 1) << 8);
    ReadTable(ByteArray, N);
    const std::int64_t dataStart = ReadCodeBits(ByteArray, N);

    // Every coded byte takes at least one bit, so a length beyond eight per
    // data byte cannot be sound; refusing it keeps a short stream from
    // demanding a huge result buffer.
    const std::int64_t dataEnd =
        std::min<std::int64_t>(ByteLen, static_cast<std::int64_t>(ByteArray.size()));
    if (OrigLen > 8 * (dataEnd - dataStart)) {
        throw LengthTooLargeError();
    }
    BuildTree();

    std::vector<std::uint8_t> Result(static_cast<std::size_t>(OrigLen));
    const std::int32_t Decoded = DecodeData(ByteArray, ByteLen, dataStart, Result, OrigLen);
    if (Checksum(Result, Decoded) != S) {
        throw ChecksumError();
    }
    ByteArray.resize(static_cast<std::size_t>(Decoded));
    RtlMoveMemory(ByteArray.data(), Result.data(), static_cast<std::size_t>(Decoded));
    progress_.Finish();
}

void He3Decoder::RestoreStored(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen) {
    const std::int64_t length = static_cast<std::int64_t>(ByteLen) - He3::kIdLength;
    if (length < 0 || ByteLen > static_cast<std::int64_t>(ByteArray.size())) {
        throw QuelError::SubscriptOutOfRange(kSource);
    }
    RtlMoveMemory(ByteArray.data(), ByteArray.data() + He3::kIdLength,
                  static_cast<std::size_t>(length));
    ByteArray.resize(static_cast<std::size_t>(length));
}

void He3Decoder::ReadTable(const std::vector<std::uint8_t>& ByteArray, std::int16_t N) {
    for (std::int64_t k = 1; k <= N; ++k) {
        const std::int64_t entry = He3::kTableOffset + 2 * (k - 1);
        const std::uint8_t v = ByteAt(ByteArray, entry);
        const std::uint8_t l = ByteAt(ByteArray, entry + 1);
        if (l == 0) {
            throw QuelError::SubscriptOutOfRange(kSource);
        }
        Codes[v].BitCount = l;
        std::fill_n(Codes[v].Bits.begin(), l, std::uint8_t{0});
    }
}

std::int64_t He3Decoder::ReadCodeBits(const std::vector<std::uint8_t>& ByteArray, std::int16_t N) {
    // The next byte is loaded as soon as the eighth bit of the current one
    // is used, also after the last code bit.
    std::int64_t position = He3::kTableOffset + 2 * static_cast<std::int64_t>(N);
    std::uint8_t current = ByteAt(ByteArray, position++);
    unsigned bit = 0;
    for (SymbolCode& code : Codes) {
        for (unsigned j = 0; j < code.BitCount; ++j) {
            code.Bits[j] = (current & He3::BitValues[bit]) != 0 ? 1 : 0;
            if (++bit == 8) {
                current = ByteAt(ByteArray, position++);
                bit = 0;
            }
        }
    }
    return bit == 0 ? position - 1 : position;
}

void He3Decoder::BuildTree() {
    Nodes[0] = TreeNode{-1, -1, -1, -1, 0};
    NodeCount = 1;
    for (std::size_t v = 0; v < He3::kSymbolCount; ++v) {
        if (Codes[v].BitCount > 0) {
            clsHuffman::InsertCode(Nodes, NodeCount, Codes[v], static_cast<std::int16_t>(v));
        }
    }
    // Steps into a leaf are stored as ~Symbol, so one load tells the walk both
    // where it goes and whether a byte is complete.
    const auto step = [this](std::int16_t child) -> std::int16_t {
        if (child == -1) {
            return kMissing;
        }
        const std::int16_t symbol = Nodes[child].Symbol;
        return symbol > -1 ? static_cast<std::int16_t>(~symbol) : child;
    };
    for (std::int16_t n = 0; n < NodeCount; ++n) {
        Next[2 * n] = step(Nodes[n].ZeroChild);
        Next[2 * n + 1] = step(Nodes[n].OneChild);
    }
}

std::int32_t He3Decoder::DecodeData(const std::vector<std::uint8_t>& ByteArray,
                                    std::int32_t ByteLen, std::int64_t dataStart,
                                    std::vector<std::uint8_t>& Result, std::int32_t OrigLen) {
    const std::int64_t available = static_cast<std::int64_t>(ByteArray.size());
    const std::int64_t end = std::min<std::int64_t>(ByteLen, available);
    const std::uint8_t* in = ByteArray.data();
    std::uint8_t* out = Result.data();
    std::int32_t Decoded = 0;
    std::int16_t node = 0;
    for (std::int64_t p = dataStart; p < end; ++p) {
        const std::uint8_t current = in[p];
        for (unsigned k = 0; k < 8; ++k) {
            const std::int16_t next = Next[2 * node + ((current & He3::BitValues[k]) != 0)];
            if (next >= 0) {
                node = next;
                continue;
            }
            if (next == kMissing) {
                throw QuelError::SubscriptOutOfRange(kSource);
            }
            out[Decoded] = static_cast<std::uint8_t>(~next);
            if (++Decoded == OrigLen) {
                return Decoded;
            }
            node = 0;
        }
        if ((p + 1) % 10000 == 0) {
            progress_.Report(static_cast<double>(p + 1) / ByteLen * 89);
        }
    }
    // A ByteLen past the buffer fails where the walk reaches the buffer's end.
    if (ByteLen > available) {
        throw QuelError::SubscriptOutOfRange(kSource);
    }
    throw EndedEarlyError();
}

std::uint8_t He3Decoder::Checksum(const std::vector<std::uint8_t>& Result, std::int32_t Decoded) {
    return He3::Checksum(Result.data(), Decoded, [&](std::int64_t j) {
        progress_.Report(static_cast<double>(j) / Decoded * 11 + 89);
    });
}
