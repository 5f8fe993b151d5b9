#pragma once

#include "support/PixelBuffer.h"
#include "vstgui/CColor.h"
#include "vstgui/CPoint.h"
#include "vstgui/CRect.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace VSTGUI {
class CBitmap;
class CDrawContext;
} // namespace VSTGUI

// A software raster canvas: up to six layers of blue-green-red-alpha colour with a parallel float
// intensity (coverage) per pixel. Drawing compares the new intensity with the stored one, so
// overlapping strokes max-blend. A canvas may draw at 2 to 16 times its output size and is reduced
// when presented. Callers give x to the right and y upward from the bottom edge, in output pixels.
// Nothing reports errors: pixels outside a buffer are skipped, a canvas without buffers (empty,
// refused size, failed allocation) draws nothing. One thread at a time, no locks.
class RasterCanvas {
public:
    static constexpr int32_t kLayerSlots = 6;
    // The slot that holds the supersampled drawing buffers.
    static constexpr int32_t kSupersampledSlot = 2;

    struct FloatPoint {
        float x;
        float y;
    };

    RasterCanvas(int32_t width, int32_t height, int32_t supersampling, int32_t layers);
    explicit RasterCanvas(int32_t supersampling);
    // Set up at the bitmap's size with its pixels as the source image; empty without pixels.
    RasterCanvas(VSTGUI::CBitmap* bitmap, int32_t supersampling, int32_t layers);
    ~RasterCanvas();
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    // (Re)allocates layers, tables and output bitmap at |width| x |height|; keeps the source
    // image. A size whose byte count does not fit 32 bits, or that cannot be allocated, leaves
    // the canvas empty.
    void setup(int32_t width, int32_t height, int32_t layers);
    void freeBuffers();

    // Writes to the drawing buffers; pixels outside them are ignored.
    void putPixel(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity);
    void putPixelIfGreater(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity);
    void putPixelIfLess(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity);
    void putPixelLighten(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity);
    void putPixelDarken(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity);
    void putPixelXor(uint32_t x, uint32_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity);

    // Buffer-wide operations and copies.
    void clearLayers();
    void fillIntensity(float value);
    void fillSourceImage(uint8_t red, uint8_t green, uint8_t blue);
    void fillSourceImage(const VSTGUI::CColor& colour);
    void copySourcePixels(VSTGUI::CBitmap* bitmap);
    void copyLayer(int32_t from, int32_t to);
    void blitLayer(int32_t from, int32_t to, int32_t srcX, int32_t srcY, int32_t dstX, int32_t dstY, int32_t w,
                   int32_t h, float opacity);
    void copyRegionFrom(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns, int32_t maxRows,
                        bool fromSourceImage, bool intoSourceImage);
    void copySourceImageFrom(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns, int32_t maxRows);
    void copyDrawingToSourceImage(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns,
                                  int32_t maxRows);
    void copySourceImageToLayer(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns, int32_t maxRows);
    void copyDrawingToLayer(const RasterCanvas* other, int32_t x, int32_t y, int32_t maxColumns, int32_t maxRows);

    // Shared curve functions.
    static float curveExp(float v);
    static float curvePow(float base, float v);
    static float curvePowNatural(float base, float v);
    static double expInterpolate(double t, double from, double to);
    static void orderByX(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);
    static void orderByX(float& x1, float& y1, float& x2, float& y2);

    // Area fills between a polyline and the bottom edge or the centre line; null points take the
    // recorded ones (in drawing pixels), a caller's points are canvas coordinates.
    void fillUnderPolyline(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                           float gradient);
    void fillToCentre(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                      float gradient);
    void fillToCentre(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue);
    void fillToCentre(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue);
    void fillToCentre(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                      float gradient);

    // Segments and curves.
    void drawSegment(float x1, float y1, float x2, float y2, uint8_t red, uint8_t green, uint8_t blue,
                     float curvature, int32_t curveType, uint8_t fillMode, float fillIntensity, uint8_t alpha);
    void drawSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                     float curvature, int32_t curveType, uint8_t fillMode, float fillIntensity, uint8_t alpha);
    void drawLongSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                         float curvature, int32_t curveType, uint8_t fillMode, float fillIntensity, uint8_t alpha);
    void drawFilledRootCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green,
                             uint8_t blue, float curvature);
    void drawExpCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                      float curvature);
    void drawRootCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                       float curvature);
    void drawPowerCurve(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                        float curvature);
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                  uint8_t alpha);
    void drawLine(float x1, float y1, float x2, float y2, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    void drawPolyline(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                      uint8_t alpha);
    void drawPolyline(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                      uint8_t alpha);

    // Shapes.
    void drawPoint(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    void drawLineInt(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                     uint8_t alpha);
    void drawPolylineInt(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                         uint8_t alpha);
    void frameRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t red, uint8_t green, uint8_t blue,
                   uint8_t alpha);
    void drawCircle(int32_t cx, int32_t cy, int32_t radius, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    void fillDisc(int32_t cx, int32_t cy, int32_t radius, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    void fillRect(const VSTGUI::CRect& rect, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    // bar: x range, then y range; written back (see the definition).
    void drawGradientBar(float* bar, uint8_t red, uint8_t green, uint8_t blue, float strength);
    void clear(uint8_t red, uint8_t green, uint8_t blue);
    void getPixelColour(uint32_t x, uint32_t y, uint8_t& red, uint8_t& green, uint8_t& blue) const;
    float getPixelIntensity(uint32_t x, uint32_t y) const;

    // Presentation.
    void loadFromBitmap(VSTGUI::CBitmap* bitmap, int32_t layers);
    void present(VSTGUI::CDrawContext* context, const VSTGUI::CRect& dest);

    bool fastDownsample = false;
    uint32_t width = 0;
    uint32_t height = 0;
    // One owned reference; the drawing size.
    VSTGUI::CBitmap* outputBitmap = nullptr;
    // Aliases of layer buffers.
    ColourBuffer* drawColour = nullptr;
    ColourBuffer* finalColour = nullptr;
    IntensityBuffer* drawIntensity = nullptr;
    IntensityBuffer* finalIntensity = nullptr;
    std::unique_ptr<ColourBuffer> sourceImage;
    std::array<std::unique_ptr<ColourBuffer>, kLayerSlots> colourLayers;
    std::array<std::unique_ptr<IntensityBuffer>, kLayerSlots> intensityLayers;
    int32_t layerCount = 1;
    float sampleStep = 0.25f;
    // Scratch of the fills: drawing height + s entries.
    std::vector<float> rowIntensity;
    std::vector<float> rowEdgeIntensity;
    // Drawing width + s entries; recorded columns or converted caller points.
    std::vector<FloatPoint> points;
    uint32_t pointStart = 0;
    uint32_t pointEnd = 0;
    bool recordPoints = false;
    uint8_t lineStyle = 2;
    uint8_t supersampling = 1;

private:
    void init(int32_t factor);
    void releaseDrawing();
    void freeLayers();

    // The max-blend write on signed drawing coordinates; outside pixels are ignored.
    void offer(int64_t x, int64_t y, uint8_t red, uint8_t green, uint8_t blue, float intensity)
    {
        if (x < 0 || y < 0 || x >= int64_t(drawColour->width) || y >= int64_t(drawColour->height))
            return;
        const size_t index = size_t(y) * drawColour->width + size_t(x);
        if (intensity > drawIntensity->data[index]) {
            drawIntensity->data[index] = intensity;
            uint8_t* pixel = &drawColour->data[index * 4];
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
        }
    }
    // The drawing pixel's index, or false outside the drawing buffer.
    bool drawingIndex(int64_t x, int64_t y, size_t& index) const;
    void recordPoint(int64_t column, int64_t row);

    void fillArea(const FloatPoint* callerPoints, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                  float gradient, bool toCentre);
    void fillToCentreFromCPoints(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green,
                                 uint8_t blue, float gradient);
    void segmentInDrawingUnits(float x1, float y1, float x2, float y2, uint8_t red, uint8_t green, uint8_t blue,
                               float curvature, int32_t curveType, uint8_t fillMode, float fillIntensity,
                               uint8_t alpha);
    // The column pass's recorded range, from column first to end (drawing units, first >= 0).
    void startColumnPass(float first, float end);
    void longSegmentInDrawingUnits(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t red, uint8_t green,
                                   uint8_t blue, float curvature, int32_t curveType, uint8_t fillMode,
                                   float fillIntensity, uint8_t alpha);
    void circleInDrawingUnits(int64_t cx, int64_t cy, int64_t radius, uint8_t red, uint8_t green, uint8_t blue,
                              uint8_t alpha);
    void reduceBoxFilter();
    void reduceFast();
    bool copyIntoOutputBitmap(const ColourBuffer& base);
};
