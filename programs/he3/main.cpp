// he3: compresses a file into an HE3 stream or restores it, with clsHuffman.
#include "codec/clsHuffman.h"
#include "commandline/CommandLine.h"
#include "platform/QuelError.h"
#include "platform/Version.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    CLI::App app("Compresses a file into an HE3 stream with Quelvorant's Huffman coder, or "
                 "restores it.",
                 "he3");
    app.set_version_flag("--version", "he3 " + VersionNumber());
    app.footer(
        "DEST is replaced only when the operation succeeds; SOURCE and DEST may name the "
        "same file.\nExit status: 0 on success, 1 when the operation fails, 2 on bad usage.");
    app.require_subcommand(1);
    // Options of the program may also come after the operation's operands.
    app.fallthrough();
    bool progress = false;
    app.add_flag("--progress", progress,
                 "write each progress percentage on its own line to stderr");
    std::string source;
    std::string destination;
    const struct {
        const char* name;
        const char* description;
    } operations[] = {{"encode", "compress SOURCE into the HE3 stream DEST"},
                      {"decode", "restore the original bytes of the HE3 stream SOURCE into DEST"}};
    for (const auto& operation : operations) {
        CLI::App* sub = app.add_subcommand(operation.name, operation.description);
        sub->add_option("SOURCE", source, "the file to read")->required();
        sub->add_option("DEST", destination, "the file to write")->required();
    }
    CommandLine::UseUsageFirstHelp(app);
    if (const auto done = CommandLine::Parse(app, argc, argv)) {
        return *done;
    }

    clsHuffman codec;
    if (progress) {
        codec.SetProgressHandler([](std::int16_t& Procent) { std::cerr << Procent << '\n'; });
    }
    try {
        if (app.got_subcommand("encode")) {
            codec.EncodeFile(source, destination);
        } else {
            codec.DecodeFile(source, destination);
        }
    } catch (const QuelError& error) {
        std::cerr << "he3: " << error.Description() << " (error " << error.Number() << ", "
                  << error.Source() << ")\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "he3: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
