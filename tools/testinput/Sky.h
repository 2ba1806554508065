#pragma once

class Canvas;

// Paints the evening sky above the horizon: colour bands, the glow and disk
// of the setting sun with its rays, stars, clouds and a flock of birds.
void PaintSky(Canvas& canvas);
