#pragma once

#include <string>
#include <vector>

// The processors' folders cpu0, cpu1, ... under root + /sys/devices/system/cpu,
// as paths below root, in the processors' order.
std::vector<std::string> ProcessorFolders(const std::string& root);
