#pragma once

#include <string>

// "Quelvorant v" with the application's major, minor and revision numbers:
// Quelvorant v1.0.320.
std::string VersionText();
