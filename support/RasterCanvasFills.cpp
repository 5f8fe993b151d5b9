// Area fills of the raster canvas: between a polyline and the bottom edge, or the centre line,
// flat or with a soft vertical gradient.
//
// On a supersampled canvas every fill works in drawing pixels: a caller's points are canvas
// coordinates and are multiplied by the factor once, as every other drawing operation does;
// recorded points are already drawing columns and heights and are taken as they are. Each
// walked column is then one drawing column.

#include "support/CanvasMath.h"
#include "support/RasterCanvas.h"

#include <cmath>

using CanvasMath::fraction;
using CanvasMath::toIndex;

void RasterCanvas::fillUnderPolyline(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green,
                                     uint8_t blue, float gradient)
{
    fillArea(points, count, red, green, blue, gradient, false);
}

void RasterCanvas::fillToCentre(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                                float gradient)
{
    fillArea(points, count, red, green, blue, gradient, true);
}

void RasterCanvas::fillToCentre(const FloatPoint* points, int32_t count, uint8_t red, uint8_t green, uint8_t blue)
{
    fillArea(points, count, red, green, blue, 0.f, true);
}

void RasterCanvas::fillToCentre(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green,
                                uint8_t blue)
{
    fillToCentreFromCPoints(points, count, red, green, blue, 0.f);
}

void RasterCanvas::fillToCentre(const VSTGUI::CPoint* points, int32_t count, uint8_t red, uint8_t green,
                                uint8_t blue, float gradient)
{
    fillToCentreFromCPoints(points, count, red, green, blue, gradient);
}

void RasterCanvas::fillToCentreFromCPoints(const VSTGUI::CPoint* callerPoints, int32_t count, uint8_t red,
                                           uint8_t green, uint8_t blue, float gradient)
{
    if (!drawColour || !callerPoints || points.empty() || count < 2 || uint32_t(count) >= drawColour->width ||
        uint32_t(count) > points.size())
        return;
    for (int32_t i = 0; i < count; ++i)
        points[size_t(i)] = FloatPoint{float(callerPoints[i].x), float(callerPoints[i].y)};
    fillArea(points.data(), count, red, green, blue, gradient, true);
}

void RasterCanvas::fillArea(const FloatPoint* callerPoints, int32_t count, uint8_t red, uint8_t green, uint8_t blue,
                            float gradient, bool toCentre)
{
    if (!drawColour)
        return;
    const FloatPoint* walk = callerPoints;
    size_t n = size_t(std::max(count, 0));
    float scale = supersampling;
    if (!callerPoints) {
        if (!recordPoints || uint64_t(pointEnd) < uint64_t(pointStart) + 2 || pointStart >= drawColour->width ||
            pointEnd > points.size())
            return;
        walk = points.data() + pointStart;
        n = pointEnd - pointStart;
        scale = 1.f;
    } else if (count < 2) {
        return;
    }
    const int64_t H = drawColour->height;
    const int64_t W = drawColour->width;
    if (H < 2 || rowIntensity.size() < size_t(H) + 1)
        return;
    const float g = CanvasMath::clampOrLow(gradient, 0.f, 2.f);
    const bool graded = g >= 0.01f;
    const float k = graded ? 0.3f * g : 1.f;
    const int64_t C = H / 2;

    // Row tables, rows 0 to H.
    auto gradedValue = [&](int64_t y, int64_t span) { return (1.f - float(y) / float(span)) * 0.2f * g + 0.3f * g; };
    for (int64_t y = 0; y <= H; ++y) {
        float value = 1.f;
        if (graded)
            // Below the centre line the table mirrors the upper half; with an odd height the
            // centre row's mirror would be row C + 1, which the upper half never reaches.
            value = !toCentre ? gradedValue(y, H) : gradedValue(y <= C ? y : std::min(H - y, C), C);
        rowIntensity[size_t(y)] = value;
        rowEdgeIntensity[size_t(y)] = graded ? value * 0.5f : 0.5f;
    }

    auto fillRow = [&](int64_t x, int64_t y) {
        offer(x, y, red, green, blue, rowIntensity[size_t(y)]);
        offer(x - 1, y, red, green, blue, rowEdgeIntensity[size_t(y)]);
        offer(x + 1, y, red, green, blue, rowEdgeIntensity[size_t(y)]);
    };

    int64_t rememberedStart = -1;
    for (size_t i = 0; i + 1 < n; ++i) {
        const FloatPoint p{walk[i].x * scale, walk[i].y * scale};
        const FloatPoint q{walk[i + 1].x * scale, walk[i + 1].y * scale};
        // Unrecorded columns and non-finite points have no boundary to fill to.
        if (!CanvasMath::allFinite(p.x, p.y, q.x, q.y))
            continue;
        const int64_t startX = toIndex(std::min(p.x, q.x));
        if (startX == rememberedStart)
            continue;
        rememberedStart = startX;
        const float dx = std::fabs(q.x - p.x);
        const int64_t endX = std::min(startX + toIndex(dx), W);
        const float h0 = float(H) - p.y, h1 = float(H) - q.y;
        const float step = std::fabs(h1 - h0) / dx;
        int64_t x = startX;
        float t = 0.f;
        if (x < 0) { // columns left of the buffer draw nothing
            t = step * float(-x);
            x = 0;
        }
        for (; x <= endX; ++x, t += step) {
            const float hx = h1 > h0 ? h0 + t : h0 - t;
            const int64_t top = std::clamp<int64_t>(toIndex(hx), 0, H);
            const float f = fraction(hx);
            if (!toCentre) {
                for (int64_t y = H - 1; y > top; --y)
                    fillRow(x, y);
                offer(x, top, red, green, blue, f * k);
            } else if (top < C) {
                for (int64_t y = C; y > top; --y)
                    fillRow(x, y);
                offer(x, top, red, green, blue, (1.f - f) * k);
            } else {
                for (int64_t y = C; y < top; ++y)
                    fillRow(x, y);
                offer(x, top, red, green, blue, f * k);
            }
        }
    }
}
