// Writes the benchmark's test input to the path given as the only argument.

#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "testinput/TestInput.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argc > 0 ? argv[0] : "quel_make_testinput");
        return 2;
    }
    try {
        FileSystem::WriteAll(argv[1], TestInput::Build());
    } catch (const QuelError& error) {
        std::fprintf(stderr, "%s: %s\n", error.Source().c_str(), error.Description().c_str());
        return 1;
    }
    return 0;
}
