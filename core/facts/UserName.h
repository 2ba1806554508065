#pragma once

#include <string>

class SystemStatus;

// The current user's logon name, read through a buffer of 255 single-byte
// characters, or empty text.
std::string ReadUserName(SystemStatus& system);
