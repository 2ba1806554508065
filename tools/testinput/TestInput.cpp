#include "TestInput.h"

#include "BmpFile.h"
#include "CodeSection.h"
#include "QuelError.h"
#include "TestPicture.h"

namespace TestInput {

std::vector<std::uint8_t> Build() {
    std::vector<std::uint8_t> bytes = BmpFile::Encode(PaintTestPicture());
    if (bytes.size() != kPictureSize) {
        throw QuelError::Overflow("TestInput::Build");
    }
    const std::vector<std::uint8_t> code = MakeCodeSection(kCodeSize);
    bytes.insert(bytes.end(), code.begin(), code.end());
    return bytes;
}

} // namespace TestInput
