#pragma once

class Canvas;

// Paints the lake below the horizon: a rippled reflection of everything
// above it, darkening towards the viewer, and the sun's glitter path.
void PaintWater(Canvas& canvas);
