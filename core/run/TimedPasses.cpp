#include "run/TimedPasses.h"

#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "platform/Version.h"
#include "run/NumberText.h"

#include <exception>

TimedPasses::TimedPasses(BenchmarkView& view, clsHuffman& huffman, TestFiles files)
    : view_(view), huffman_(huffman), files_(std::move(files)) {}

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
        view_.TimeListAddItem(SignedNumberText(recorded));
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
