#include "codec/clsHuffman.h"

#include "codec/He3Decoder.h"
#include "codec/He3Encoder.h"
#include "codec/He3Progress.h"
#include "platform/FileSystem.h"
#include "platform/QuelError.h"

#include <limits>
#include <memory>
#include <utility>

namespace {

QuelError MissingSourceError(const char* source) {
    return QuelError(QuelError::kOwnError, source, "Source file does not exist.");
}

// Buffer lengths travel as signed 32-bit values.
std::int32_t LengthOf(std::size_t size, const char* source) {
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw QuelError::Overflow(source);
    }
    return static_cast<std::int32_t>(size);
}

} // namespace

void clsHuffman::SetProgressHandler(ProgressHandler handler) {
    progressHandler_ = std::move(handler);
}

void clsHuffman::EncodeFile(const std::string& SourceFile, const std::string& DestFile) {
    const char* const source = "clsHuffman.EncodeFile()";
    if (!FileExists(SourceFile)) {
        throw MissingSourceError(source);
    }
    std::vector<std::uint8_t> bytes = FileSystem::ReadAll(SourceFile);
    EncodeByte(bytes, LengthOf(bytes.size(), source));
    FileSystem::WriteAll(DestFile, bytes, destinationMode_);
}

void clsHuffman::DecodeFile(const std::string& SourceFile, const std::string& DestFile) {
    const char* const source = "clsHuffman.DecodeFile()";
    if (!FileExists(SourceFile)) {
        throw MissingSourceError(source);
    }
    std::vector<std::uint8_t> bytes = FileSystem::ReadAll(SourceFile);
    DecodeByte(bytes, LengthOf(bytes.size(), source));
    FileSystem::WriteAll(DestFile, bytes, destinationMode_);
}

void clsHuffman::EncodeByte(std::vector<std::uint8_t>& ByteArray, const std::int32_t& ByteLen) {
    // The handler is copied so that a handler replaced during the call, or a
    // nested call made from inside the handler, cannot disturb this one.
    He3Progress progress(progressHandler_);
    std::make_unique<He3Encoder>(progress)->Encode(ByteArray, ByteLen);
}

std::string clsHuffman::DecodeString(std::string& Text) {
    std::vector<std::uint8_t> bytes(Text.begin(), Text.end());
    DecodeByte(bytes, LengthOf(Text.size(), "clsHuffman.DecodeString()"));
    Text.assign(bytes.begin(), bytes.end());
    return {};
}

std::string clsHuffman::EncodeString(std::string& Text) {
    std::vector<std::uint8_t> bytes(Text.begin(), Text.end());
    EncodeByte(bytes, LengthOf(Text.size(), "clsHuffman.EncodeString()"));
    Text.assign(bytes.begin(), bytes.end());
    return {};
}

std::string clsHuffman::DecodeByte(std::vector<std::uint8_t>& ByteArray,
                                   const std::int32_t& ByteLen) {
    He3Progress progress(progressHandler_);
    std::make_unique<He3Decoder>(progress)->Decode(ByteArray, ByteLen);
    return {};
}

void clsHuffman::InsertCode(NodeTable& Nodes, std::int16_t& NodeCount, const SymbolCode& Code,
                            std::int16_t Symbol) {
    std::int16_t node = 0;
    for (unsigned j = 0; j < Code.BitCount; ++j) {
        std::int16_t& child = Code.Bits[j] != 0 ? Nodes[node].OneChild : Nodes[node].ZeroChild;
        if (child == -1) {
            if (static_cast<std::size_t>(NodeCount) >= Nodes.size()) {
                throw QuelError::SubscriptOutOfRange("clsHuffman.DecodeByte()");
            }
            Nodes[NodeCount] = TreeNode{node, -1, -1, -1, 0};
            child = NodeCount;
            ++NodeCount;
        }
        node = child;
    }
    Nodes[node].Symbol = Symbol;
}

void clsHuffman::AssignCodes(const NodeTable& Nodes, std::int16_t Node, const SymbolCode& Code,
                             CodeTable& Codes) {
    const TreeNode& node = Nodes[Node];
    if (node.Symbol > -1) {
        Codes[node.Symbol] = Code;
        return;
    }
    // A tree over at most 256 leaves is at most 255 levels deep, so a code
    // never outgrows Bits or BitCount.
    if (node.ZeroChild > -1) {
        SymbolCode zero = Code;
        zero.Bits[zero.BitCount++] = 0;
        AssignCodes(Nodes, node.ZeroChild, zero, Codes);
    }
    if (node.OneChild > -1) {
        SymbolCode one = Code;
        one.Bits[one.BitCount++] = 1;
        AssignCodes(Nodes, node.OneChild, one, Codes);
    }
}

bool clsHuffman::FileExists(const std::string& Path) {
    try {
        FileSystem::FileLen(Path);
        return true;
    } catch (...) {
        return false;
    }
}
