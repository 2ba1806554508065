// Feeds arbitrary bytes to the import of a bench result or an export. A
// QuelError is an accepted outcome; whatever is accepted must hold runs that
// the history can take as they are.
#include "history/HistoryImport.h"
#include "history/HistoryRunCheck.h"
#include "platform/QuelError.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const HistoryDocument document = ImportDocumentFrom(text, "fuzz.json");
        for (const HistoryRun& run : document.Runs) {
            if (run.PassTimes.size() != 101 || run.Id.size() != 36 || run.Copies < 1 ||
                run.Copies > ImportLimits::kCopiesMax) {
                __builtin_trap();
            }
        }
    } catch (const QuelError&) {
    }
    return 0;
}
