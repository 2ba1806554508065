#include "platform/RtlMoveMemory.h"

#include <cstring>

void RtlMoveMemory(void* Destination, const void* Source, std::size_t Length) {
    if (Length > 0) {
        std::memmove(Destination, Source, Length);
    }
}
