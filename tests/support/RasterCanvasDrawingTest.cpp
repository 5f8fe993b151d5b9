// Drawing on the canvas: strokes, fills and shapes at chosen pixels, and arguments that no
// buffer can hold. The sheet of every operation is compared with its reference by the font tests.

#include "support/RasterCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>
#include <limits>

namespace {

using Canvas = RasterCanvas;
using std::tuple;

struct Pixel { uint32_t x, row; float intensity; };

void expectPixels(const Canvas& canvas, const std::vector<Pixel>& pixels)
{
    for (const Pixel& p : pixels)
        EXPECT_NEAR(canvas.getPixelIntensity(p.x, p.row), p.intensity, 1e-5f) << p.x << ", " << p.row;
}

TEST(RasterCanvasDrawingTest, StrokeStylesAlphaAndTheRowPass)
{
    const float peak = std::sqrt(249.f / 255.f);
    // A horizontal line at height 10.25 on a 32-row canvas: row 21 with a fraction of 0.75.
    for (auto [style, alpha, pixels] : std::vector<tuple<int, int, std::vector<Pixel>>>{
             {2, 255, {{2, 22, 0.75f}, {11, 21, 1.f}, {5, 20, 0.25f}, {12, 21, 0.f}, {5, 23, 0.f}}},
             {2, 250, {{2, 22, 0.75f}, {11, 21, 1.f}, {5, 20, 0.25f}}},
             {2, 249, {{2, 22, 0.75f * peak}, {11, 21, peak}, {5, 20, 0.25f * peak}}},
             {1, 255, {{12, 22, 0.75f}, {2, 21, 0.25f}, {2, 20, 0.f}, {2, 23, 0.f}}},
             {3, 255, {{2, 22, 0.75f}, {3, 21, 1.f}, {3, 20, 1.f}, {3, 19, 0.25f}}},
             {0, 255, {{2, 22, 0.f}, {3, 21, 0.f}}}}) {
        Canvas canvas(32, 32, 1, 1);
        canvas.lineStyle = uint8_t(style);
        canvas.recordPoints = true;
        canvas.drawLine(2.f, 10.25f, 12.f, 10.25f, 0, 0, 0, uint8_t(alpha));
        SCOPED_TRACE(testing::Message() << "style " << style << " alpha " << alpha);
        expectPixels(canvas, pixels);
        EXPECT_EQ(canvas.points[5].y, 32.f - (style == 1 ? 22.f : 21.f)); // recorded even by style 0
    }
    // The row pass. Vertical at x 5.25 (style 2): 0.25 right of column 5, 0.75 left of it.
    Canvas canvas(32, 32, 1, 1);
    canvas.drawLine(5.25f, 2.f, 5.25f, 12.f, 0, 0, 0, 255);
    expectPixels(canvas, {{6, 25, 0.25f}, {5, 25, 1.f}, {4, 25, 0.75f}, {5, 19, 0.f}});
    // Style 1 stops a quarter pixel short of the end: the last row, 20, is at x 6.95.
    canvas.clearLayers();
    canvas.lineStyle = 1;
    canvas.drawLine(5.f, 2.f, 7.f, 12.f, 0, 0, 0, 255);
    expectPixels(canvas, {{7, 20, 0.95f}, {6, 20, 0.05f}});
}

TEST(RasterCanvasDrawingTest, SegmentsAreaFillsRootCurvesAndGradientBars)
{
    Canvas segments(64, 32, 1, 1);
    segments.lineStyle = 1;
    segments.drawSegment(0.f, 0.f, 40.f, 32.f, 0, 0, 0, 0.5f, 2, 1, 0.3f, 255); // integer routine: fills
    EXPECT_FLOAT_EQ(segments.getPixelIntensity(20, 0), 0.3f);
    // Rising off the top edge: the rows below the edge are drawn (not their mirror image).
    segments.clearLayers();
    segments.drawSegment(0.f, 0.f, 10.f, 200.f, 0, 0, 0, 0.5f, 2, 0, 0.f, 255);
    float nearTop = 0.f;
    for (uint32_t x = 0; x < 8; ++x)
        nearTop = std::max(nearTop, segments.getPixelIntensity(x, 1));
    EXPECT_GT(nearTop, 0.5f);
    segments.clearLayers();
    segments.drawSegment(0.f, 0.f, 40.f, 32.f, 0, 0, 0, 0.5f, 0, 1, 0.3f, 255); // type 0: float routine
    EXPECT_EQ(segments.getPixelIntensity(20, 0), 0.f);
    segments.clearLayers();
    segments.drawLongSegment(0, 17, 40, 17, 0, 0, 0, 0.5f, 1, 3, 0.3f, 255); // curve row 16: the centre
    segments.drawLongSegment(0, 8, 40, 8, 0, 0, 0, 0.5f, 1, 2, 0.3f, 255);   // curve row 25, rows below
    expectPixels(segments, {{20, 14, 0.f}, {20, 17, 0.f}, {20, 31, 0.3f}, {20, 25, 0.3f}, {20, 22, 0.f}});

    using P = Canvas::FloatPoint;
    Canvas canvas(16, 16, 1, 1);
    const P across[] = {{0, 8}, {16, 8}};
    canvas.fillUnderPolyline(across, 2, 0, 0, 0, 0.005f); // flat
    expectPixels(canvas, {{0, 9, 1.f}, {15, 15, 1.f}, {7, 8, 0.f}, {7, 7, 0.f}});
    canvas.clearLayers();
    canvas.fillUnderPolyline(across, 2, 0, 0, 0, 5.f); // as 2
    expectPixels(canvas, {{4, 15, (1.f - 15.f / 16.f) * 0.4f + 0.6f}});
    EXPECT_EQ(tuple(canvas.rowIntensity[0], canvas.rowIntensity[16]), tuple(1.f, 0.6f));

    // The second segment starts in the first one's column and is not drawn; a segment whose
    // second point lies left of the first starts from the first point's height.
    canvas.clearLayers();
    const P twoStarts[] = {{2, 10}, {2.5f, 2}, {6, 2}, {12, 8}, {9, 2}};
    canvas.fillUnderPolyline(twoStarts, 5, 0, 0, 0, 0.f);
    expectPixels(canvas, {{4, 15, 0.f}, {9, 9, 1.f}, {9, 8, 0.f}});

    // Supersampled: a caller's points are scaled once; each drawing column is walked.
    Canvas fine(8, 8, 2, 1);
    const P half[] = {{0, 4}, {8, 4}};
    fine.fillUnderPolyline(half, 2, 0, 0, 0, 0.f);
    expectPixels(fine, {{15, 9, 1.f}, {0, 15, 1.f}, {15, 8, 0.f}});

    // Above the centre line the boundary row takes 1 - f: row 3.75 gives 0.25 in row 3.
    canvas.clearLayers();
    const P high[] = {{0, 12.25f}, {16, 12.25f}};
    canvas.fillToCentre(high, 2, 0, 0, 0);
    expectPixels(canvas, {{5, 3, 0.25f}, {5, 4, 1.f}, {5, 8, 1.f}, {5, 9, 0.f}});

    // Odd height: the centre row takes the value of the rows beside it.
    Canvas odd(8, 15, 1, 1);
    const P bottom[] = {{0, 0}, {8, 0}};
    odd.fillToCentre(bottom, 2, 0, 0, 0, 1.f);
    expectPixels(odd, {{3, 7, 0.3f}, {3, 8, 0.3f}, {3, 14, (1.f - 1.f / 7.f) * 0.2f + 0.3f}, {3, 6, 0.f}});
    const VSTGUI::CPoint tooMany[8] = {};
    odd.clearLayers();
    odd.fillToCentre(tooMany, 8, 0, 0, 0);
    EXPECT_EQ(odd.getPixelIntensity(0, 10), 0.f);

    // A filled root curve fills only the columns it recorded: one that leaves the top after a few
    // columns keeps nothing in the others from the earlier curve's points.
    Canvas root(40, 30, 1, 1);
    root.drawFilledRootCurve(0, 5, 39, 10, 0, 0, 0, 0.5f);
    EXPECT_FALSE(root.recordPoints);
    EXPECT_FLOAT_EQ(root.getPixelIntensity(20, 29), (1.f - 29.f / 30.f) * 0.1f + 0.15f);
    root.clearLayers();
    root.drawFilledRootCurve(0, 0, 39, 200, 0, 0, 0, 0.5f);
    EXPECT_TRUE(root.getPixelIntensity(3, 29) > 0.f && root.getPixelIntensity(30, 29) == 0.f);

    for (int s : {1, 2}) {
        Canvas bars(16, 16, s, 1);
        // Reaching far above and below the canvas: the rows outside draw nothing.
        float bar[] = {2.f, 6.f, -50.f, 100.f};
        bars.drawGradientBar(bar, 0, 0, 0, 1.f);
        const float H = 16.f * float(s);
        EXPECT_FLOAT_EQ(bar[2], H + 50.f * float(s));
        for (uint32_t row : {0u, uint32_t(H) - 1})
            EXPECT_FLOAT_EQ(bars.getPixelIntensity(3 * s, row), float(row) / H * 0.2f + 0.3f);
        EXPECT_EQ(bars.getPixelIntensity(8 * s, 4), 0.f);
    }
}

TEST(RasterCanvasDrawingTest, Shapes)
{
    Canvas canvas(32, 32, 1, 1);
    canvas.lineStyle = 1;
    canvas.drawLineInt(-10, 0, 10, 20, 0, 0, 0, 255); // clipped to column 0 at row 21
    expectPixels(canvas, {{0, 21, 1.f}, {0, 20, 0.f}, {0, 22, 0.f}, {1, 20, 1.f}});
    canvas.drawLineInt(0, 10, 12, 10, 0, 0, 0, 128); // plain write over brighter pixels
    EXPECT_FLOAT_EQ(canvas.getPixelIntensity(0, 21), 128.f / 255.f);

    uint8_t red = 1, green = 1, blue = 1;
    for (auto [alpha, intensity, expectBlue] : {std::tuple{255, 1.f, 200}, {250, 250.f / 255.f, 200}, {128, 128.f / 255.f, 100}}) {
        canvas.clearLayers();
        canvas.fillRect(VSTGUI::CRect(0, 1, 10, 10), 0, 0, 200, uint8_t(alpha)); // rows 22 to 30
        expectPixels(canvas, {{10, 22, intensity}, {11, 22, 0.f}, {0, 30, intensity}, {0, 21, 0.f}, {0, 31, 0.f}});
        canvas.getPixelColour(3, 25, red, green, blue);
        EXPECT_EQ(blue, expectBlue);
    }
    // Style, factor s and the brush's side n for a point at (2, 3).
    for (auto [style, s, n] : {std::tuple{3, 1, 3u}, {3, 2, 5u}, {2, 1, 2u}, {2, 3, 5u}, {1, 2, 2u}}) {
        Canvas brush(16, 16, s, 1);
        brush.lineStyle = uint8_t(style);
        brush.drawLineInt(2, 3, 2, 3, 0, 0, 0, 255);
        const uint32_t x = 2 * s, row = 16 * s - 3 * s - 1;
        expectPixels(brush, {{x + n - 1, row + n - 1, 1.f}, {x + n, row, 0.f}, {x, row + n, 0.f}});
    }

    // Radius 1 around column 5, row 32 - 5 - 1: 1 in the centre, 0.9 beside, 0.3 at the corners.
    canvas.clearLayers();
    canvas.fillDisc(5, 5, 1, 0, 0, 0, 255);
    expectPixels(canvas, {{5, 26, 1.f}, {4, 26, 0.9f}, {5, 27, 0.9f}, {6, 25, 0.3f}, {4, 27, 0.3f}, {5, 24, 0.f}});

    canvas.clear(10, 10, 10);
    EXPECT_EQ(canvas.drawColour->data[3], 10);
    canvas.clear(10, 10, 30);
    EXPECT_EQ(tuple(canvas.drawColour->data[3], canvas.drawColour->data[0]), tuple(10, 30));
    canvas.clearLayers();
    canvas.drawPoint(4, 4, 0, 0, 0, 253);
    canvas.drawPoint(5, 4, 0, 0, 0, 254);
    canvas.drawPoint(6, 0, 0, 0, 0, 255); // row 32: outside
    expectPixels(canvas, {{4, 28, 253.f / 255.f}, {5, 28, 1.f}, {6, 31, 0.f}});
    red = green = blue = 1;
    canvas.getPixelColour(32, 0, red, green, blue);
    EXPECT_EQ(red + green + blue, 0);
}

TEST(RasterCanvasDrawingTest, RecordedPointsWithNothingDrawn)
{
    Canvas canvas(20, 10, 1, 1);
    canvas.recordPoints = true;
    auto mark = [&] {
        for (auto& p : canvas.points)
            p = {-1.f, -1.f};
    };
    // A line above the canvas records every column, the lowest brush row (30 + column).
    mark();
    canvas.drawLineInt(0, 30, 10, 40, 0, 0, 0, 255);
    for (uint32_t j : {0u, 4u, 10u, 11u, 12u})
        EXPECT_EQ(canvas.points[j].y, j < 12 ? 30.f + float(std::min(j, 10u)) : -1.f) << j;
    EXPECT_EQ(canvas.pointEnd, 10u);
    // Steep (style 1): column 0 takes the first 15 steps, up to y 46; column 1 the rest, to 61.
    canvas.lineStyle = 1;
    canvas.drawLineInt(0, 30, 1, 60, 0, 0, 0, 255);
    EXPECT_EQ(tuple(canvas.points[0].y, canvas.points[1].y), tuple(46.f, 61.f));
    canvas.lineStyle = 2;

    // A circle of radius 5 wholly above: its last chord runs from x 13.83 to 15; the chords
    // together span x 6.3 to 15, which hold no point.
    mark();
    canvas.drawCircle(10, 30, 5, 0, 0, 0, 255);
    EXPECT_EQ(tuple(canvas.pointStart, canvas.pointEnd), tuple(13u, 15u));
    for (uint32_t j : {5u, 6u, 14u, 15u})
        EXPECT_EQ(std::isnan(canvas.points[j].x), j == 6 || j == 14) << j;
    // Radius 30000 above, its right end at x 10: the chords there are vertical in single
    // precision (cos is 1) and leave nothing; the last one that is not runs from 9.998 to 10.
    canvas.drawCircle(-29990, 30020, 30000, 0, 0, 0, 255);
    EXPECT_EQ(tuple(canvas.pointStart, canvas.pointEnd), tuple(9u, 10u));
    // Radius 100000 around the canvas: the last chord that reaches a column crosses the right
    // edge near angle 3 pi / 2, from x 18.6 to 21.8.
    mark();
    canvas.drawCircle(10, 5, 100000, 0, 0, 0, 255);
    EXPECT_TRUE(canvas.pointStart == 18 && canvas.pointEnd == 20 && std::isnan(canvas.points[0].x) && canvas.points[20].x == -1.f);
    // A disc over the whole canvas: its rows end at column 0 to 20, its outlines of radius
    // 99998 to 100000 around the canvas end as the circle above.
    canvas.fillDisc(10, 4, 99999, 0, 0, 0, 255);
    EXPECT_EQ(tuple(canvas.pointStart, canvas.pointEnd, canvas.getPixelIntensity(10, 5)), tuple(18u, 20u, 1.f));
}

// NaN, infinities and values far outside, through every operation of canvases with and without
// buffers: no write outside a buffer, no float made an integer beyond its range.
TEST(RasterCanvasDrawingTest, ArgumentsNoBufferHolds)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    for (int s : {0, 1, 4}) {
        Canvas canvas(12, 9, s, 5), empty(s);
        for (Canvas* c : {&canvas, &empty}) {
            c->recordPoints = true;
            for (float v : {nan, inf, -inf, 1e30f, -1e30f, -3.f, 2e9f}) {
                c->drawSegment(v, 3.f, 5.f, v, 0, 0, 0, v, 2, 3, v, 100);
                c->lineStyle = 1;
                c->drawSegment(0.f, v, v, 30.f, 0, 0, 0, 0.3f, 1, 1, 0.5f, 255);
                c->lineStyle = 3;
                const Canvas::FloatPoint points[] = {{v, 1.f}, {3.f, v}, {v, v}, {4.f, 40.f}};
                c->fillUnderPolyline(points, 4, 0, 0, 0, v);
                c->fillToCentre(points, 4, 0, 0, 0, 1.f);
                c->drawPolyline(points, 4, 0, 0, 0, 255);
                const VSTGUI::CPoint cpoints[] = {{v, 1.}, {3., v}, {v, v}};
                c->drawPolylineInt(cpoints, 3, 0, 0, 0, 255);
                c->fillToCentre(cpoints, 3, 0, 0, 0, v);
                float bar[] = {v, 4.f, -v, 3.f};
                c->drawGradientBar(bar, 0, 0, 0, v);
                c->fillRect(VSTGUI::CRect(v, -v, 5., v), 0, 0, 0, 100);
                c->fillIntensity(v);
                c->blitLayer(1, 2, 0, 0, 0, 0, 12, 9, v);
            }
            for (int32_t v : {INT_MIN, INT_MAX, -1, 0, 1 << 28}) {
                const int32_t opposite = v == INT_MIN ? INT_MAX : -v;
                c->drawLongSegment(v, 2, 5, v, 0, 0, 0, 0.2f, 4, 3, 0.5f, 255);
                c->drawLineInt(v, 3, opposite, v, 0, 0, 0, 255);
                c->drawPoint(v, v, 0, 0, 0, 255);
                c->drawCircle(v / 2, 4, v, 0, 0, 0, 255);
                c->drawCircle(6, 4, v, 0, 0, 0, 255);
                c->fillDisc(6, v, v, 0, 0, 0, 255);
                c->fillDisc(v, 4, 30, 0, 0, 0, 255);
                c->blitLayer(v, opposite, v, v, opposite, v, v, v, 1.f);
                c->copyLayer(v, 1);
                c->copyRegionFrom(&canvas, v, v, v, v, v & 1, v & 2);
            }
            c->present(nullptr, VSTGUI::CRect(0, 0, 12, 9));
        }
        EXPECT_TRUE(empty.width == 0 && !empty.drawColour);
    }
}

} // namespace
