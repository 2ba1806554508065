#include "run/TimedPasses.h"

#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "platform/Version.h"
#include "run/NumberText.h"

#include <cstdlib>
#include <cstring>
#include <exception>

TimedPasses::TimedPasses(BenchmarkView& view, clsHuffman& huffman, TestFiles files)
    : view_(view), huffman_(huffman), files_(std::move(files)) {}

void TimedPasses::StartRun() {
    passesStarted_ = 0;
    readings_.clear();
    probe_.reset();
    const char* off = std::getenv("QUELVORANT_NO_PASS_READINGS");
    if (off == nullptr || std::strcmp(off, "1") != 0) {
        probe_.emplace();
    }
}

PassReadingSources TimedPasses::ReadingSources() const {
    return probe_ ? probe_->Sources() : PassReadingSources{};
}

void TimedPasses::Compress_Test() {
    runPass(Kind::Compression);
}

void TimedPasses::Decompress_Test() {
    runPass(Kind::Decompression);
}

void TimedPasses::Huffman_Progress(const std::int16_t& Procent) {
    view_.SetCaption(BenchmarkView::Caption::Current_4, WholeNumberText(Procent) + " %");
    view_.SetBarValue(BenchmarkView::Bar::ProgBar1, Procent);
    view_.DoEvents();
}

void TimedPasses::runPass(Kind kind) {
    const bool compress = kind == Kind::Compression;
    view_.SetCaption(BenchmarkView::Caption::Operation_Progress,
                     compress ? kCompressionCaption : kDecompressionCaption);
    view_.PassStarted(++passesStarted_);
    // The work files are written without a flush to the disk, which would
    // otherwise be timed with the pass.
    huffman_.SetDestinationMode(FileSystem::WriteMode::Scratch);
    try {
        if (probe_) {
            probe_->Before();
        }
        clock_.Start();
        if (compress) {
            huffman_.EncodeFile(files_.Input, files_.Compressed);
        } else {
            huffman_.DecodeFile(files_.Compressed, files_.Decompressed);
        }
        const float shown = clock_.Elapsed();
        view_.SetCaption(BenchmarkView::Caption::Label2_3, SignedNumberText(shown) + " seconds.");
        // The recorded time is read after the label update and includes it.
        const float recorded = clock_.Elapsed();
        std::optional<PassReading> reading;
        if (probe_) {
            reading = probe_->After();
        }
        view_.TimeListAddItem(SignedNumberText(recorded));
        if (reading) {
            readings_.push_back(*reading);
        }
    } catch (const QuelError& error) {
        showFailure(kind, error.Description());
    } catch (const std::exception& error) {
        showFailure(kind, error.what());
    }
}

void TimedPasses::showFailure(Kind kind, const std::string& description) {
    const std::string what = kind == Kind::Compression ? "The compression" : "The decompression";
    view_.MsgBox(what + " was not successful. Something went terribly wrong.\r\n\r\n" + description,
                 MessageBox::Icon::Critical, MessageBox::Buttons::OK, VersionText() + " Error ...");
    view_.Refresh();
}
