#pragma once

// Processes the program's pending user-interface events and returns.
void DoEvents();
