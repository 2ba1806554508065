#pragma once

#include "codec/He3Format.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Static Huffman coder over byte values, reading and writing HE3 streams.
// Every call builds its own tables and drops them on return; the object
// holds nothing between calls but its progress handler.
class clsHuffman {
  public:
    // The Progress(Procent) event: the holder registers one handler, called
    // synchronously inside the codec call.
    using ProgressHandler = std::function<void(std::int16_t& Procent)>;
    void SetProgressHandler(ProgressHandler handler);

    // How EncodeFile and DecodeFile write their destination: durably unless
    // the holder says the destination is a work file of its own.
    void SetDestinationMode(FileSystem::WriteMode mode) { destinationMode_ = mode; }
    FileSystem::WriteMode DestinationMode() const { return destinationMode_; }

    // Whole-file coding; the destination is replaced only after coding succeeded.
    void EncodeFile(const std::string& SourceFile, const std::string& DestFile);
    void DecodeFile(const std::string& SourceFile, const std::string& DestFile);
    // Replaces ByteArray by the stream made of its first ByteLen bytes.
    void EncodeByte(std::vector<std::uint8_t>& ByteArray, const std::int32_t& ByteLen);
    // Text holds one byte per character; the result goes back into Text and
    // the returned string is always empty.
    std::string DecodeString(std::string& Text);
    std::string EncodeString(std::string& Text);
    // Replaces ByteArray by the bytes decoded from its first ByteLen bytes;
    // the returned string is always empty.
    std::string DecodeByte(std::vector<std::uint8_t>& ByteArray, const std::int32_t& ByteLen);

  private:
    friend class He3Encoder;
    friend class He3Decoder;

    // Adds the path of Code below node 0, creating missing nodes, and marks
    // its end with Symbol.
    static void InsertCode(NodeTable& Nodes, std::int16_t& NodeCount, const SymbolCode& Code,
                           std::int16_t Symbol);
    // Gives every leaf below Node the code carried to it: Code extended by 0
    // towards ZeroChild and by 1 towards OneChild.
    static void AssignCodes(const NodeTable& Nodes, std::int16_t Node, const SymbolCode& Code,
                            CodeTable& Codes);
    // True when the file's length can be read; any failure gives false.
    static bool FileExists(const std::string& Path);

    ProgressHandler progressHandler_;
    FileSystem::WriteMode destinationMode_ = FileSystem::WriteMode::Durable;
};
