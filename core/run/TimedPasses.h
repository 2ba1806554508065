#pragma once

#include "platform/PassClock.h"
#include "run/BenchmarkView.h"
#include "run/TestFiles.h"

#include <cstdint>

class clsHuffman;

// One timed compression or decompression pass of the test files, with the
// current-operation feedback of the codec's progress.
class TimedPasses {
  public:
    TimedPasses(BenchmarkView& view, clsHuffman& huffman, TestFiles files);

    // Counts the passes of a new run from 1 again.
    void StartRun() { passesStarted_ = 0; }
    void Compress_Test();
    void Decompress_Test();
    void Huffman_Progress(const std::int16_t& Procent);

    const TestFiles& Files() const { return files_; }

    // The status line of a pass, set before its clock starts.
    static constexpr const char* kCompressionCaption =
        "Test file compression, using Huffman agorithms ...";
    static constexpr const char* kDecompressionCaption =
        "Test file decompression, using Huffman agorithms ...";

  private:
    enum class Kind { Compression, Decompression };
    void runPass(Kind kind);
    void showFailure(Kind kind, const std::string& description);

    BenchmarkView& view_;
    clsHuffman& huffman_;
    TestFiles files_;
    PassClock clock_;
    int passesStarted_ = 0;
};
