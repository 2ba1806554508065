#pragma once

#include <string>

// A single-byte text as UTF-8. Text that already is valid UTF-8 stays as it
// is (the window reads its texts in the locale's encoding, UTF-8 on today's
// systems); other text is read as Latin-1, byte for character.
std::string Utf8Text(const std::string& text);
