#pragma once

#include "testinput/Canvas.h"

// The 1152 x 864 lakeside sunset held by the test input, painted with
// integer arithmetic only, so it is the same on every machine.
Canvas PaintTestPicture();
