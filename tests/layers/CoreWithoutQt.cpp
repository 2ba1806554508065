// A program built from the libraries that must need no Qt, and from nothing
// else: the platform core with the system's figures, the codec, the run, the
// information window's figures and the machine's facts, the checks before a
// benchmark, the results of repeated runs, the results history, the HTML
// report and the raw facts. It uses each of them, so that each is really
// linked, and prints what they give here.
#include "codec/clsHuffman.h"
#include "facts/InfoFormat.h"
#include "facts/MachineInfo.h"
#include "facts/MachineInfoJson.h"
#include "facts/ProcessorFacts.h"
#include "facts/QuelCoreBinding.h"
#include "facts/UserName.h"
#include "history/ResultsHistory.h"
#include "platform/HostSystemStatus.h"
#include "platform/Version.h"
#include "preflight/PreflightJson.h"
#include "rawdata/TopologyXml.h"
#include "report/HtmlReport.h"
#include "results/BenchSummary.h"
#include "run/BenchmarkRun.h"
#include "run/ResultsReport.h"

#include <cstdio>

int main() {
    QuelCoreBinding library;
    HostSystemStatus system;
    ProcessorFacts facts;
    facts.Read(library);
    const std::string name = InfoFormat::FieldText(facts.NameText.data(), facts.NameText.size());
    std::vector<std::uint8_t> report = ResultsReport::Text(
        [&name](const std::string& label) { return label == "CPUName" ? name : std::string(); },
        RunResult{});
    const std::int32_t length = static_cast<std::int32_t>(report.size());
    clsHuffman().EncodeByte(report, length);
    std::printf("%s on %s for %s, up %s: a report without results packs into %zu bytes\n",
                VersionText().c_str(), name.c_str(), ReadUserName(system).c_str(),
                InfoFormat::UpTimeText(system.GetTickCount()).c_str(), report.size());
    const nlohmann::json info = MachineInfoJson(CollectMachineInfo(library, system));
    std::printf(
        "%s: %s threads; results kept in %s\n", info.at("schema").get<std::string>().c_str(),
        info.at("processor").at("threads").dump().c_str(), ResultsHistory::DefaultPath().c_str());
    const std::string page = HtmlReport(ReportData{});
    std::printf("an empty results report is %zu bytes of HTML; no runs summarize to %g s\n",
                page.size(), Summarize({}, 0).MedianTimeSumma);
    std::printf("no checks before a benchmark are %s\n", PreflightJson({}).dump().c_str());
    std::printf("this machine's hwloc topology is %zu bytes of XML\n",
                MachineTopologyXml().value_or("").size());
    return 0;
}
