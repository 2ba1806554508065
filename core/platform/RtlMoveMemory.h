#pragma once

#include <cstddef>

// Overlap-safe block move of Length bytes from Source to Destination.
void RtlMoveMemory(void* Destination, const void* Source, std::size_t Length);
