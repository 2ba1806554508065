#pragma once

#include <chrono>

// Times one pass. Readings come from a monotonic clock, so an elapsed time
// never goes negative across midnight or when the wall clock is set; the
// elapsed time is kept in single precision seconds.
class PassClock {
  public:
    void Start() { start_ = std::chrono::steady_clock::now(); }
    float Elapsed() const {
        const std::chrono::duration<double> span = std::chrono::steady_clock::now() - start_;
        return static_cast<float>(span.count());
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
