#include "facts/ProcessorFacts.h"

#include "facts/ProcessorLibrary.h"

#include <algorithm>

void ProcessorFacts::Read(ProcessorLibrary& library) {
    library.GetCPU_Info(TypeCode, FamilyCode, ModelCode, SteppingCode);
    library.GetCPU_ExtInfo(ExtInfo[0], ExtInfo[1], ExtInfo[2]);
    // Each field goes out in a buffer one byte longer for the NUL; what the
    // library leaves unwritten comes back as it was.
    std::array<char, 48 + 1> name{};
    std::array<char, 16 + 1> extra{};
    std::copy(NameText.begin(), NameText.end(), name.begin());
    std::copy(ExtraText.begin(), ExtraText.end(), extra.begin());
    library.GetCPU_String(name.data(), extra.data());
    std::copy_n(name.begin(), NameText.size(), NameText.begin());
    std::copy_n(extra.begin(), ExtraText.size(), ExtraText.begin());
    SpeedMHz = library.GetCPU_Speed();
}
