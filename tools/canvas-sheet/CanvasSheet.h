#pragma once

#include "vstgui/COffscreenContext.h"
#include "vstgui/SharedPointer.h"

// A sheet of every raster canvas operation: line styles and alphas, curve families through
// their curvatures, fills, shapes, supersampling factors and both reductions, layers over a
// source image. Each panel is one canvas presented into its place on the sheet.
class CanvasSheet {
public:
    static constexpr int kPanelWidth = 160;
    static constexpr int kPanelHeight = 100;
    static constexpr int kLabelHeight = 16;
    static constexpr int kColumns = 6;
    static constexpr int kRows = 5;

    // The sheet, drawn anew; null when no offscreen context could be made.
    static VSTGUI::SharedPointer<VSTGUI::COffscreenContext> draw();
};
