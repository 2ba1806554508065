#pragma once

#include <nlohmann/json.hpp>

// The program that made a result: name, version, compiler and build type.
nlohmann::json ProgramJson();
