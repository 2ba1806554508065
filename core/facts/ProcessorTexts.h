#pragma once

#include "facts/FeatureList.h"

#include <array>
#include <string>

class ProcessorLibrary;
struct ProcessorFacts;

// The processor's texts and feature marks as the information window shows
// them, single-byte text.
struct ProcessorTexts {
    std::string Name;
    std::string Speed;
    std::string Type;
    std::string Family;
    std::string Model;
    std::string Stepping;
    std::string InstructionCache;
    std::string DataCache;
    std::string Level2Cache;
    // One mark per entry of kFeatureEntries, in list order.
    std::array<bool, kFeatureCount> Features{};
};

// Makes the texts from the facts; asks the library for the three cache sizes,
// then for every feature in list order.
ProcessorTexts MakeProcessorTexts(const ProcessorFacts& facts, ProcessorLibrary& library);
