#pragma once

// Ctrl-C (SIGINT) and termination requests (SIGTERM) while a command works.
// The first request only marks that the work is to stop; the work notices it
// at its next safe point and unwinds, removing its files on the way, and the
// program exits with 128 + the signal's number. A second request ends the
// program at once.
namespace Interruption {

// Takes over SIGINT and SIGTERM.
void Install();
bool Requested();
// The signal that asked the work to stop, or 0.
int Signal();
// Throws Interrupted when a request has come.
void ThrowIfRequested();

} // namespace Interruption

// Raised at a safe point after a request. Deliberately not a std::exception,
// so that no handler for the errors of a pass can take it for one.
struct Interrupted {
    int Signal = 0;
};
