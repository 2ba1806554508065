#include "tests/quelcore/ElfExports.h"

#include <cstring>
#include <elf.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

template <typename T> T At(const std::vector<char>& image, std::size_t offset) {
    if (offset > image.size() || image.size() - offset < sizeof(T)) {
        throw std::runtime_error("ELF structure outside the file");
    }
    T value;
    std::memcpy(&value, image.data() + offset, sizeof(T));
    return value;
}

} // namespace

std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> image{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    const auto header = At<Elf64_Ehdr>(image, 0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64) {
        throw std::runtime_error("not a 64-bit ELF file");
    }
    std::set<std::string> names;
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        const auto section = At<Elf64_Shdr>(image, header.e_shoff + i * sizeof(Elf64_Shdr));
        if (section.sh_type != SHT_DYNSYM) {
            continue;
        }
        const auto strings =
            At<Elf64_Shdr>(image, header.e_shoff + section.sh_link * sizeof(Elf64_Shdr));
        for (std::size_t s = 0; s < section.sh_size / sizeof(Elf64_Sym); ++s) {
            const auto symbol = At<Elf64_Sym>(image, section.sh_offset + s * sizeof(Elf64_Sym));
            const unsigned binding = ELF64_ST_BIND(symbol.st_info);
            if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) {
                continue;
            }
            const std::size_t start = strings.sh_offset + symbol.st_name;
            if (start >= image.size()) {
                throw std::runtime_error("symbol name outside the file");
            }
            names.insert(std::string(image.data() + start,
                                     strnlen(image.data() + start, image.size() - start)));
        }
    }
    return names;
}
