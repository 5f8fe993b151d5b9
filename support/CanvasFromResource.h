#pragma once

#include "support/ResourceBitmap.h"

class RasterCanvas;

// Loads the bitmap that ref names (as loadResourceBitmap does, reporting the first failure of the
// process) and makes a canvas of its size, without supersampling and with one layer, holding its
// pixels as the source image. The caller owns the new canvas. False, with out unchanged, when the
// bitmap cannot be loaded or out is null.
bool createCanvasFromResource(const ResourceRef* ref, RasterCanvas** out);
