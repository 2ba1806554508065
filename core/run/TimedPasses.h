#pragma once

#include "platform/PassClock.h"
#include "platform/PassProbe.h"
#include "run/BenchmarkView.h"
#include "run/TestFiles.h"

#include <cstdint>
#include <optional>
#include <vector>

class clsHuffman;

// One timed compression or decompression pass of the test files, with the
// current-operation feedback of the codec's progress.
class TimedPasses {
  public:
    TimedPasses(BenchmarkView& view, clsHuffman& huffman, TestFiles files);

    // Counts the passes of a new run from 1 again and starts its readings on
    // the calling thread, unless QUELVORANT_NO_PASS_READINGS=1 turns them off.
    void StartRun();
    void Compress_Test();
    void Decompress_Test();
    void Huffman_Progress(const std::int16_t& Procent);

    const TestFiles& Files() const { return files_; }
    // What each pass of this run with a recorded time met, in pass order.
    const std::vector<PassReading>& Readings() const { return readings_; }
    // Where the run's clock figures came from; empty without readings.
    PassReadingSources ReadingSources() const;

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
    std::optional<PassProbe> probe_;
    std::vector<PassReading> readings_;
};
