#pragma once

#include <cstdint>
#include <functional>

// Progress reporting of one coder call: a value is handed to the handler
// only when it differs from the one reported last.
class He3Progress {
  public:
    using Handler = std::function<void(std::int16_t& Procent)>;

    explicit He3Progress(Handler handler);

    // Rounds P half to even and reports it if it differs from Last. The
    // handler receives Last itself by reference, so a handler that changes
    // the value changes what later reports are compared with.
    void Report(double P);

    // Closing event of a successful call: 100 unless 100 was reported last.
    // Last keeps its value.
    void Finish();

    // Nearest integer, an exact half going to the even neighbour; independent
    // of the floating-point rounding mode.
    static double RoundHalfEven(double x);

  private:
    Handler handler_;
    std::int16_t Last = 0;
};
