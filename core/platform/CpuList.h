#pragma once

#include <string>
#include <vector>

// The processors of a list as the kernel writes it ("0-3,8,10-11"), in its
// order; an empty text is no processor. A malformed list raises a QuelError.
std::vector<int> ParseCpuList(const std::string& text);
