#pragma once

// Keeps memory that the benchmark frees inside the process.
//
// Every pass allocates and frees buffers of a few megabytes. By default
// glibc's malloc hands such memory back to the system as soon as it is free
// and faults it in again page by page on the next pass: about 115,000 page
// faults a run, whose cost depends on what else the process holds (a program
// with a window keeps its heap's top busy, a command-line program does not).
// Kept in the process, the memory is reused, and a pass times the coding
// instead of the kernel's page faults. Process-wide, and safe to call again.
void KeepBenchmarkMemory();
