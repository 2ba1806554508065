// A program built from the libraries that must need no Qt, and from nothing
// else: the platform core with the system's figures, the codec, the parts of
// the information and benchmark windows without widgets, and the machine's
// facts for the command line, the results history. It uses each of
// them, so that each is really linked, and prints what they give here.
#include "BenchmarkRun.h"
#include "HostSystemStatus.h"
#include "InfoFormat.h"
#include "MachineInfo.h"
#include "MachineInfoJson.h"
#include "ProcessorFacts.h"
#include "QuelCoreBinding.h"
#include "ResultsHistory.h"
#include "ResultsReport.h"
#include "UserName.h"
#include "Version.h"
#include "clsHuffman.h"

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
    return 0;
}
