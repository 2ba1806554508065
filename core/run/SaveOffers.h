#pragma once

#include "run/BenchmarkView.h"
#include "run/ResultsReport.h"

#include <string>

class clsHuffman;

// The two offers after a run: the report compressed into "Final Result.qvd",
// then as text into "Final Result.txt", each in a folder the user picks.
class SaveOffers {
  public:
    SaveOffers(BenchmarkView& view, clsHuffman& huffman, std::string temporaryReport,
               ResultsReport::CaptionOf captionOf);

    // Makes both offers in order; the second whatever became of the first.
    void Offer(const RunResult& result);

  private:
    enum class Kind { Compressed, Text };
    void offer(Kind kind, const RunResult& result);

    BenchmarkView& view_;
    clsHuffman& huffman_;
    std::string temporaryReport_;
    ResultsReport::CaptionOf captionOf_;
};
