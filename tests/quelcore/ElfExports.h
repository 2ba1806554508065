#pragma once

#include <set>
#include <string>

// The names of the functions and objects that an ELF shared library defines
// in its dynamic symbol table (global or weak, not undefined).
std::set<std::string> DefinedDynamicSymbols(const std::string& path);
