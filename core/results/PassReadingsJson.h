#pragma once

#include "results/JsonFields.h"
#include "run/RunRecord.h"

#include <nlohmann/json.hpp>

// A run's pass readings in its JSON object: "readings" (one object per pass),
// "reading_sources", and what they explain, "outliers" and "shares". A run
// without readings gets none of these keys.
void AddPassReadings(const RunRecord& run, nlohmann::json& object);

// Reads them back where the run has them; every figure is checked, and the
// readings must match the pass times one to one.
void ReadPassReadings(const JsonFields& fields, RunRecord& run);
