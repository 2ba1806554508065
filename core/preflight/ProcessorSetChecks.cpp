#include "preflight/ProcessorSetChecks.h"

#include "platform/SystemFile.h"

namespace {

const std::string kCpu = "/sys/devices/system/cpu";

} // namespace

PreflightCheck SmtCheck(const std::string& root) {
    PreflightCheck check;
    check.Name = "smt";
    const auto active = SystemFile::Number(root, kCpu + "/smt/active");
    if (!active) {
        check.Found = "not available here (no smt/active)";
    } else if (*active == 0) {
        check.Found = "SMT off";
    } else {
        check.Level = CheckLevel::Note;
        check.Found = "SMT on: two threads share a core";
        check.Fix = "echo off | sudo tee " + kCpu + "/smt/control";
    }
    return check;
}

PreflightCheck IsolationCheck(const std::string& root) {
    PreflightCheck check;
    check.Name = "isolated";
    // Empty files, or "(null)" for nohz_full, where no processor is set apart.
    const auto isolated = SystemFile::Line(root, kCpu + "/isolated");
    auto nohz = SystemFile::Line(root, kCpu + "/nohz_full");
    if (nohz == "(null)") {
        nohz.reset();
    }
    if (!isolated && !nohz) {
        const bool readable = SystemFile::Text(root, kCpu + "/isolated").has_value();
        check.Found =
            readable ? "no processor isolated" : "not available here (no isolated processors file)";
        return check;
    }
    check.Level = CheckLevel::Note;
    check.Found = (isolated ? "isolcpus " + *isolated : std::string()) +
                  (isolated && nohz ? ", " : "") + (nohz ? "nohz_full " + *nohz : "");
    check.Fix = "taskset -c " + (isolated ? *isolated : *nohz) + " quelvorant-cli bench";
    return check;
}
