#pragma once

class Canvas;

// Paints the foreground: a wooded bank on the left, a sailing boat with its
// reflection on the lake and a jetty with a lantern on the right.
void PaintShore(Canvas& canvas);
