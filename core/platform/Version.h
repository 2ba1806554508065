#pragma once

#include <string>

// The application's major, minor and revision numbers: 1.0.320.
std::string VersionNumber();
// "Quelvorant v" with the version number: Quelvorant v1.0.320.
std::string VersionText();
