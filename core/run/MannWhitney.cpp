#include "run/MannWhitney.h"

#include <algorithm>
#include <cmath>
#include <utility>

MannWhitneyResult MannWhitneyU(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.empty() || b.empty()) {
        return {};
    }
    // Every value with the sample it came from, in ascending order.
    std::vector<std::pair<double, bool>> all;
    all.reserve(a.size() + b.size());
    for (const double value : a) {
        all.emplace_back(value, true);
    }
    for (const double value : b) {
        all.emplace_back(value, false);
    }
    std::sort(all.begin(), all.end());

    // Tied values share the mean of their ranks; sum(t^3 - t) over the groups
    // of ties narrows the variance.
    double rankSumA = 0.0;
    double ties = 0.0;
    for (std::size_t first = 0; first < all.size();) {
        std::size_t end = first;
        while (end < all.size() && all[end].first == all[first].first) {
            ++end;
        }
        const double rank = (static_cast<double>(first + 1) + static_cast<double>(end)) / 2.0;
        for (std::size_t i = first; i < end; ++i) {
            if (all[i].second) {
                rankSumA += rank;
            }
        }
        const double t = static_cast<double>(end - first);
        ties += t * t * t - t;
        first = end;
    }

    const double n1 = static_cast<double>(a.size());
    const double n2 = static_cast<double>(b.size());
    const double n = n1 + n2;
    MannWhitneyResult result;
    result.U = rankSumA - n1 * (n1 + 1.0) / 2.0;
    const double variance = n1 * n2 / 12.0 * ((n + 1.0) - ties / (n * (n - 1.0)));
    if (variance <= 0.0) {
        return result;
    }
    const double distance = std::max(0.0, std::fabs(result.U - n1 * n2 / 2.0) - 0.5);
    result.P = std::erfc(distance / std::sqrt(variance) / std::sqrt(2.0));
    return result;
}
