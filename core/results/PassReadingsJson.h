#pragma once

#include "results/JsonFields.h"
#include "run/RunRecord.h"

#include <nlohmann/json.hpp>

// A run's pass readings in its JSON object: "readings" (one object per pass)
// and "reading_sources". Readings of no pass add no key.
void AddReadings(const std::vector<PassReading>& readings, const PassReadingSources& sources,
                 nlohmann::json& object);

// Reads them back where the object has them, every figure checked. Whether
// there is one reading per pass time is the caller's to check (ExplainRun
// explains no run where there is not).
void ReadReadings(const JsonFields& fields, std::vector<PassReading>& readings,
                  PassReadingSources& sources);

// A bench run's readings, and what they explain: "outliers" and "shares".
void AddPassReadings(const RunRecord& run, nlohmann::json& object);
void ReadPassReadings(const JsonFields& fields, RunRecord& run);
