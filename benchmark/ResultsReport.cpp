#include "ResultsReport.h"

#include "NumberText.h"
#include "Version.h"

namespace {

const char* const kSeparator = "   ";

} // namespace

std::vector<std::uint8_t> ResultsReport::Text(const CaptionOf& captionOf, const RunResult& result) {
    std::string text;
    const auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    line("[ CPU Information ]");
    line("CPU Name (Vendor): " + captionOf("CPUName"));
    line("CPU Speed (MHz): " + captionOf("SpeedInfo"));
    line("CPU Type: " + captionOf("txtType"));
    line(kSeparator);
    line("[ CPU Detailed Information ]");
    line("CPU Family: " + captionOf("CPUFamily"));
    line("CPU Model: " + captionOf("CPUModel"));
    line("CPU Stepping: " + captionOf("Stepping"));
    line(kSeparator);
    line("CPU Instructions Cache (KB): " + captionOf("CPUInstructions"));
    line("CPU Data Cache (KB): " + captionOf("CPUData"));
    line("CPU Level 2 Cache (KB): " + captionOf("Level2"));
    line(kSeparator);
    line("[ PC Memory Information ]");
    line("PC Total Physical RAM (MB): " + captionOf("TotalRAM"));
    line("PC Aviable Physicla RAM (MB): " + captionOf("AviableRAM"));
    line("PC Physical RAM Used: " + captionOf("UsedRAM"));
    line(kSeparator);
    line("[ Final Results ]");
    line(SignedNumberText(result.TimeSum) + " - seconds.");
    line(ScoreText(result.Score) + " - frames.");
    line(kSeparator);
    line(VersionText());
    line("Copyright (C) 2026 Quelcraft");
    return std::vector<std::uint8_t>(text.begin(), text.end());
}
