#include "quelvorant-cli/OpenedHistory.h"

#include <cstdio>

OpenedHistory::OpenedHistory(Access access) : ResultsHistory(DefaultPath(), access) {
    if (!KeptCopy().empty()) {
        std::fprintf(stderr,
                     "quelvorant-cli: %s had changes in its -wal or -journal that were not "
                     "saved; before opening it, copies of both were kept as %s\n",
                     Path().c_str(), KeptCopy().c_str());
    }
}
