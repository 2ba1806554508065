#include "quelvorant-cli/ProgressLine.h"

#include "run/PassCounts.h"

#include <cstdio>

namespace {

std::string minutesAndSeconds(double seconds) {
    const int whole = static_cast<int>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

} // namespace

ProgressLine::ProgressLine(bool enabled, int runs)
    : enabled_(enabled), totalPasses_(runs * static_cast<int>(PassCounts::kAll)) {}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::RunStarted(std::string label) {
    passesBefore_ += pass_;
    pass_ = 0;
    label_ = std::move(label);
}

void ProgressLine::PassStarted(int pass) {
    pass_ = pass;
    if (!enabled_) {
        return;
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const int done = passesBefore_ + pass - 1;
    std::string left = "?";
    if (done > 0) {
        left = minutesAndSeconds(elapsed / done * (totalPasses_ - done));
    }
    std::fprintf(stderr, "\r\033[K%s, pass %d/%zu, %s elapsed, about %s left", label_.c_str(), pass,
                 PassCounts::kAll, minutesAndSeconds(elapsed).c_str(), left.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressLine::Clear() {
    if (shown_) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        shown_ = false;
    }
}
