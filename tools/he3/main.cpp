// he3: compresses a file into an HE3 stream or restores it, with clsHuffman.
#include "QuelError.h"
#include "clsHuffman.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "Usage: he3 [--progress] encode SOURCE DEST\n"
    "       he3 [--progress] decode SOURCE DEST\n"
    "       he3 --help\n"
    "\n"
    "encode compresses SOURCE into the HE3 stream DEST; decode restores the\n"
    "original bytes from the HE3 stream SOURCE into DEST. DEST is replaced only\n"
    "when the operation succeeds; SOURCE and DEST may name the same file.\n"
    "\n"
    "Options, before or after the operands:\n"
    "  --progress  write each progress percentage on its own line to stderr\n"
    "  --help      show this text and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when the operation fails, 2 on bad usage.\n";

struct Arguments {
    bool help = false;
    bool progress = false;
    std::vector<std::string> operands;
};

// Splits the command line into options and operands; returns false with a
// reason on an unknown option.
bool Parse(int argc, char** argv, Arguments& arguments, std::string& reason) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            arguments.help = true;
        } else if (argument == "--progress") {
            arguments.progress = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            reason = "unknown option '" + argument + "'";
            return false;
        } else {
            arguments.operands.push_back(argument);
        }
    }
    return true;
}

int BadUsage(const std::string& reason) {
    std::cerr << "he3: " << reason << "\n" << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    std::string reason;
    if (!Parse(argc, argv, arguments, reason)) {
        return BadUsage(reason);
    }
    if (arguments.help) {
        std::cout << kUsage;
        return 0;
    }
    if (arguments.operands.size() != 3) {
        return BadUsage("expected an operation, a source and a destination");
    }
    const std::string& operation = arguments.operands[0];
    if (operation != "encode" && operation != "decode") {
        return BadUsage("unknown operation '" + operation + "'");
    }

    clsHuffman codec;
    if (arguments.progress) {
        codec.SetProgressHandler([](std::int16_t& Procent) { std::cerr << Procent << '\n'; });
    }
    try {
        if (operation == "encode") {
            codec.EncodeFile(arguments.operands[1], arguments.operands[2]);
        } else {
            codec.DecodeFile(arguments.operands[1], arguments.operands[2]);
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
