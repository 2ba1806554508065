#include "run/ResultsReport.h"

#include "platform/Version.h"
#include "run/NumberText.h"

namespace {

constexpr const char* kSeparator = "   ";

// The machine's lines: a text, followed by the caption of the named label
// of the information window where a line has one.
struct MachineLine {
    const char* text;
    const char* label;
};

constexpr MachineLine kMachineLines[] = {
    {"[ CPU Information ]", nullptr},
    {"CPU Name (Vendor): ", "CPUName"},
    {"CPU Speed (MHz): ", "SpeedInfo"},
    {"CPU Type: ", "txtType"},
    {kSeparator, nullptr},
    {"[ CPU Detailed Information ]", nullptr},
    {"CPU Family: ", "CPUFamily"},
    {"CPU Model: ", "CPUModel"},
    {"CPU Stepping: ", "Stepping"},
    {kSeparator, nullptr},
    {"CPU Instructions Cache (KB): ", "CPUInstructions"},
    {"CPU Data Cache (KB): ", "CPUData"},
    {"CPU Level 2 Cache (KB): ", "Level2"},
    {kSeparator, nullptr},
    {"[ PC Memory Information ]", nullptr},
    {"PC Total Physical RAM (MB): ", "TotalRAM"},
    {"PC Aviable Physicla RAM (MB): ", "AviableRAM"},
    {"PC Physical RAM Used: ", "UsedRAM"},
    {kSeparator, nullptr},
};

} // namespace

std::vector<std::uint8_t> ResultsReport::Text(const CaptionOf& captionOf, const RunResult& result) {
    std::string text;
    const auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    for (const MachineLine& machine : kMachineLines) {
        line(machine.text + (machine.label != nullptr ? captionOf(machine.label) : std::string()));
    }
    line("[ Final Results ]");
    line(SignedNumberText(result.TimeSumma) + " - seconds.");
    line(ScoreText(result.Score) + " - frames.");
    line(kSeparator);
    line(VersionText());
    line("Copyright (C) 2026 Quelcraft");
    return std::vector<std::uint8_t>(text.begin(), text.end());
}
