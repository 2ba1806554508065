// Writes the seed corpora of the fuzz targets: small inputs of varied shape
// into DIR/roundtrip and the streams the encoder makes of them into DIR/decode.
#include "codec/clsHuffman.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::vector<Bytes> Inputs() {
    std::vector<Bytes> inputs = {{}, Text("a"), Text("abb"), Text("abc"), Text("aabbc")};
    Bytes alternating(3000);
    Bytes allValues(256);
    Bytes skewed(2000);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < alternating.size(); ++i) {
        alternating[i] = static_cast<std::uint8_t>(i % 2);
    }
    for (std::size_t i = 0; i < allValues.size(); ++i) {
        allValues[i] = static_cast<std::uint8_t>(i);
    }
    for (auto& b : skewed) {
        state = state * 1103515245u + 12345u;
        const unsigned r = state >> 16 & 0xFF;
        b = static_cast<std::uint8_t>(r < 128 ? 'e' : r < 192 ? 't' : r < 224 ? 'a' : r);
    }
    inputs.push_back(alternating);
    inputs.push_back(allValues);
    inputs.push_back(skewed);
    inputs.push_back(Text("int main() {\r\n    return 0;\r\n}\r\n"));
    return inputs;
}

void Save(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: he3_seed_corpus DIR\n";
        return 2;
    }
    try {
        const std::filesystem::path root(argv[1]);
        std::filesystem::create_directories(root / "roundtrip");
        std::filesystem::create_directories(root / "decode");
        clsHuffman codec;
        int n = 0;
        for (const Bytes& input : Inputs()) {
            const std::string name = "seed" + std::to_string(n++);
            Save(root / "roundtrip" / name, input);
            Bytes stream = input;
            codec.EncodeByte(stream, static_cast<std::int32_t>(stream.size()));
            Save(root / "decode" / name, stream);
        }
    } catch (const std::exception& error) {
        std::cerr << "he3_seed_corpus: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
