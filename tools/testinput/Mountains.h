#pragma once

class Canvas;

// Paints three ranges of mountains standing on the horizon, the farthest
// first, each hazier towards its foot and rim-lit near the sun.
void PaintMountains(Canvas& canvas);
