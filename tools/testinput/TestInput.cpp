#include "testinput/TestInput.h"

#include "platform/QuelError.h"
#include "testinput/BmpFile.h"
#include "testinput/CodeSection.h"
#include "testinput/TestPicture.h"

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
