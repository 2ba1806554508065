#pragma once

#include "results/BenchReport.h"

#include <nlohmann/json.hpp>
#include <string>

// The bench command's results as one JSON object of the schema
// "quelvorant.bench/2" (docs/schemas/quelvorant.bench-2.schema.json).
// Version 1, still read, is the same with a quelvorant.info/1 machine.
inline constexpr const char* kBenchSchema = "quelvorant.bench/2";
inline constexpr const char* kBenchSchemaV1 = "quelvorant.bench/1";

nlohmann::json BenchJson(const BenchReport& report, const nlohmann::json& info);

// What a bench JSON file holds, read back. A file that is not JSON, is of
// another schema or lacks what the schema requires raises a QuelError whose
// description names the file and what is wrong.
struct BenchFile {
    std::string Path;
    nlohmann::json Program;
    // The version of the program that wrote the file; empty when it does not tell.
    std::string ProgramVersion;
    nlohmann::json Info;
    BenchReport Report;
};

BenchFile ReadBenchFile(const std::string& path);
// The same for a document already read from the file at path.
BenchFile BenchFileFrom(const nlohmann::json& document, const std::string& path);
