#include "codec/He3Encoder.h"

#include "codec/He3BitWriter.h"
#include "codec/He3Checksum.h"
#include "codec/clsHuffman.h"
#include "platform/QuelError.h"
#include "platform/RtlMoveMemory.h"

#include <algorithm>
#include <limits>

namespace {

const char* const kSource = "clsHuffman.EncodeByte()";

// Bytes needed for a number of bits, a partly filled byte counting whole.
std::int64_t BytesForBits(std::int64_t bits) {
    return (bits + 7) / 8;
}

// Stream lengths are signed 32-bit values like every length the coder handles.
std::size_t CheckedLength(std::int64_t length) {
    if (length > std::numeric_limits<std::int32_t>::max()) {
        throw QuelError::Overflow(kSource);
    }
    return static_cast<std::size_t>(length);
}

void PutInt32(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    RtlMoveMemory(out, bytes, sizeof bytes);
}

void PutInt16(std::uint8_t* out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(bits),
                                   static_cast<std::uint8_t>(bits >> 8)};
    RtlMoveMemory(out, bytes, sizeof bytes);
}

} // namespace

He3Encoder::He3Encoder(He3Progress& progress) : progress_(progress) {}

void He3Encoder::Encode(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen) {
    if (ByteLen == 0) {
        ByteArray.assign(He3::kStoredId.begin(), He3::kStoredId.end());
        return;
    }
    CountBytes(ByteArray, ByteLen);
    AddLeaves();
    MergeNodes();
    BuildCodes();

    const std::int32_t B = DataBits();
    const std::int32_t DataBytes = B % 8 == 0 ? B / 8 : B / 8 + 1;
    if (DataBytes > ByteLen || DataBytes == 0) {
        StoreUnchanged(ByteArray, ByteLen);
        return;
    }
    const std::uint8_t X = Checksum(ByteArray, ByteLen);
    const std::vector<std::uint8_t> stream = WriteStream(ByteArray, ByteLen, X, DataBytes);
    ByteArray.resize(stream.size());
    RtlMoveMemory(ByteArray.data(), stream.data(), stream.size());
    progress_.Finish();
}

void He3Encoder::CountBytes(const std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen) {
    // A ByteLen past the buffer fails where the pass reaches the buffer's end,
    // after the reports of the positions before it.
    const std::int64_t available = static_cast<std::int64_t>(ByteArray.size());
    const std::int32_t end = static_cast<std::int32_t>(std::min<std::int64_t>(ByteLen, available));
    const std::uint8_t* in = ByteArray.data();
    for (std::int32_t i = 0; i < end; ++i) {
        ++Counts[in[i]];
        if (i % 1000 == 0) {
            progress_.Report(static_cast<double>(i) / ByteLen * 7);
        }
    }
    if (ByteLen > available) {
        throw QuelError::SubscriptOutOfRange(kSource);
    }
}

void He3Encoder::AddLeaves() {
    for (std::size_t v = 0; v < He3::kSymbolCount; ++v) {
        if (Counts[v] > 0) {
            Nodes[NodeCount] = TreeNode{-1, -1, -1, static_cast<std::int16_t>(v), Counts[v]};
            ++NodeCount;
        }
    }
    SymbolCount = NodeCount;
}

void He3Encoder::MergeNodes() {
    std::int16_t Remaining = NodeCount;
    while (Remaining >= 2) {
        // One scan over the parentless nodes; strict comparisons keep the
        // earlier of two equal weights, and First need not be the lighter.
        std::int16_t First = -1;
        std::int16_t Second = -1;
        for (std::int16_t index = 0; index < NodeCount; ++index) {
            if (Nodes[index].Parent != -1) {
                continue;
            }
            if (First == -1) {
                First = index;
                continue;
            }
            if (Second == -1) {
                Second = index;
                continue;
            }
            const std::int32_t w = Nodes[index].Weight;
            const std::int32_t WF = Nodes[First].Weight;
            const std::int32_t WS = Nodes[Second].Weight;
            if (w < WF && w < WS) {
                if (WF < WS) {
                    Second = index;
                } else {
                    First = index;
                }
            } else if (w < WF) {
                First = index;
            } else if (w < WS) {
                Second = index;
            }
        }
        Nodes[NodeCount] =
            TreeNode{-1, Second, First, -1, Nodes[First].Weight + Nodes[Second].Weight};
        Nodes[First].Parent = NodeCount;
        Nodes[Second].Parent = NodeCount;
        ++NodeCount;
        --Remaining;
    }
}

void He3Encoder::BuildCodes() {
    // Without leaves (a negative ByteLen) there is no root to start from.
    if (NodeCount == 0) {
        throw QuelError::SubscriptOutOfRange(kSource);
    }
    clsHuffman::AssignCodes(Nodes, static_cast<std::int16_t>(NodeCount - 1), SymbolCode{}, Codes);
}

std::int32_t He3Encoder::DataBits() const {
    std::int64_t B = 0;
    for (std::size_t v = 0; v < He3::kSymbolCount; ++v) {
        if (Counts[v] > 0) {
            B += static_cast<std::int64_t>(Counts[v]) * Codes[v].BitCount;
        }
    }
    if (B > std::numeric_limits<std::int32_t>::max()) {
        throw QuelError::Overflow(kSource);
    }
    return static_cast<std::int32_t>(B);
}

std::uint8_t He3Encoder::Checksum(const std::vector<std::uint8_t>& ByteArray,
                                  std::int32_t ByteLen) {
    return He3::Checksum(ByteArray.data(), ByteLen, [&](std::int64_t i) {
        progress_.Report(static_cast<double>(i) / ByteLen * 5 + 7);
    });
}

std::vector<std::uint8_t> He3Encoder::WriteStream(const std::vector<std::uint8_t>& ByteArray,
                                                  std::int32_t ByteLen, std::uint8_t checksum,
                                                  std::int32_t dataBytes) {
    std::int64_t L = 0;
    for (const SymbolCode& code : Codes) {
        L += code.BitCount;
    }
    const std::size_t tableEnd = He3::kTableOffset + 2 * static_cast<std::size_t>(SymbolCount);
    const std::size_t codeEnd = tableEnd + static_cast<std::size_t>(BytesForBits(L));
    std::vector<std::uint8_t> stream(CheckedLength(static_cast<std::int64_t>(codeEnd) + dataBytes));

    RtlMoveMemory(stream.data(), He3::kCodedId.data(), He3::kIdLength);
    stream[He3::kChecksumOffset] = checksum;
    PutInt32(stream.data() + He3::kLengthOffset, ByteLen);
    PutInt16(stream.data() + He3::kCountOffset, SymbolCount);

    std::size_t entry = He3::kTableOffset;
    He3BitWriter codeBits(stream.data() + tableEnd);
    for (std::size_t v = 0; v < He3::kSymbolCount; ++v) {
        if (Codes[v].BitCount > 0) {
            stream[entry++] = static_cast<std::uint8_t>(v);
            stream[entry++] = Codes[v].BitCount;
            codeBits.PutCode(Codes[v]);
        }
    }
    codeBits.Flush();

    He3BitWriter dataBits(stream.data() + codeEnd);
    const std::uint8_t* in = ByteArray.data();
    for (std::int32_t i = 0; i < ByteLen; ++i) {
        dataBits.PutCode(Codes[in[i]]);
        if (i % 10000 == 0) {
            progress_.Report((static_cast<double>(i) / ByteLen * 88 + 5) + 7);
        }
    }
    dataBits.Flush();
    return stream;
}

void He3Encoder::StoreUnchanged(std::vector<std::uint8_t>& ByteArray, std::int32_t ByteLen) {
    const std::size_t length = static_cast<std::size_t>(ByteLen);
    ByteArray.resize(CheckedLength(static_cast<std::int64_t>(ByteLen) + He3::kIdLength));
    RtlMoveMemory(ByteArray.data() + He3::kIdLength, ByteArray.data(), length);
    RtlMoveMemory(ByteArray.data(), He3::kStoredId.data(), He3::kIdLength);
}
