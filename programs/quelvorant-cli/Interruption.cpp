#include "quelvorant-cli/Interruption.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> requestedBy{0};

void onSignal(int signal) {
    requestedBy.store(signal);
}

} // namespace

namespace Interruption {

void Install() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    // The next request takes the default way: the program ends at once.
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

bool Requested() {
    return requestedBy.load() != 0;
}

int Signal() {
    return requestedBy.load();
}

void ThrowIfRequested() {
    if (const int signal = requestedBy.load(); signal != 0) {
        throw Interrupted{signal};
    }
}

} // namespace Interruption
