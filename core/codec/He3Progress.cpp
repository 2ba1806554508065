#include "codec/He3Progress.h"

#include <cmath>
#include <utility>

He3Progress::He3Progress(Handler handler) : handler_(std::move(handler)) {}

void He3Progress::Report(double P) {
    const auto value = static_cast<std::int16_t>(RoundHalfEven(P));
    if (value == Last) {
        return;
    }
    Last = value;
    if (handler_) {
        handler_(Last);
    }
}

void He3Progress::Finish() {
    if (Last == 100 || !handler_) {
        return;
    }
    std::int16_t Procent = 100;
    handler_(Procent);
}

double He3Progress::RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5) {
        return below + 1.0;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}
