#pragma once

#include <optional>
#include <string>

// The running kernel and the machine's name, from uname(2).
struct KernelName {
    std::string System;  // "Linux"
    std::string Release; // e.g. "6.1.0-18-amd64"
    std::string Version;
    std::string Machine; // the hardware name, e.g. "x86_64"
    std::string HostName;
};

std::optional<KernelName> ReadKernelName();
