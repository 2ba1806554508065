#pragma once

#include <QFont>

// Makes Tahoma available: the system's own when installed, otherwise the
// metric-compatible font of the fonts-wine package. Call once at start-up.
void InstallTahoma();

// Tahoma at a size in pixels: 11 px is 8.25 points and 9 px 6.75 points at 96 dpi.
QFont TahomaFont(int pixelSize = 11, bool bold = false);
