#include "run/SaveOffers.h"

#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "platform/Version.h"

SaveOffers::SaveOffers(BenchmarkView& view, clsHuffman& huffman, std::string temporaryReport,
                       ResultsReport::CaptionOf captionOf)
    : view_(view), huffman_(huffman), temporaryReport_(std::move(temporaryReport)),
      captionOf_(std::move(captionOf)) {}

void SaveOffers::Offer(const RunResult& result) {
    offer(Kind::Compressed, result);
    offer(Kind::Text, result);
}

void SaveOffers::offer(Kind kind, const RunResult& result) {
    const bool compressed = kind == Kind::Compressed;
    const std::string question =
        compressed
            ? "Wolud you like save information in Quelvorant database ''Final Result.qvd'' file ?  "
            : "Wolud you like save information in ''Final Result.txt'' file ?  ";
    if (view_.MsgBox(question, MessageBox::Icon::Question, MessageBox::Buttons::OKCancel,
                     "Information Saving ...") != MessageBox::Answer::OK) {
        return;
    }
    const std::string folder = view_.BrowseForFolder("Click on an entry to select it.");
    if (folder.empty()) {
        return;
    }
    // A failure while writing is shown and the run goes on: the results stay
    // on screen and the other offer can still save them elsewhere.
    try {
        FileSystem::WriteAll(temporaryReport_, ResultsReport::Text(captionOf_, result),
                             FileSystem::WriteMode::Scratch);
        if (compressed) {
            huffman_.SetDestinationMode(FileSystem::WriteMode::Durable);
            huffman_.EncodeFile(temporaryReport_, folder + "/Final Result.qvd");
        } else {
            FileSystem::FileCopy(temporaryReport_, folder + "/Final Result.txt");
        }
        FileSystem::Kill(temporaryReport_);
    } catch (const QuelError& error) {
        try {
            FileSystem::Kill(temporaryReport_);
        } catch (const QuelError&) {
            // The failure already shown below is the one the user needs.
        }
        view_.MsgBox(error.Description(), MessageBox::Icon::Critical, MessageBox::Buttons::OK,
                     VersionText() + " Error ...");
    }
}
