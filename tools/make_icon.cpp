// Draws the program icon (a sheet with lines sorted by length and a downward arrow) and writes it as a
// Windows .ico of six 32-bit DIB images. The build uses the committed res/velquor.ico; to regenerate it:
//   g++ -std=c++17 -O2 tools/make_icon.cpp -o /tmp/make_icon && /tmp/make_icon res/velquor.ico
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Image order inside the icon group; the shell picks by size, so the order only has to stay stable.
const int IconSizes[] = {256, 16, 48, 32, 128, 64};

// The artwork is laid out on a 16-unit grid so that every edge falls on a pixel boundary at every size.
constexpr double GridUnits = 16.0;
// Sub-samples per pixel side for anti-aliasing.
constexpr int SubSamples = 8;

struct Point {
    double x, y;
};

struct Color {
    double r, g, b;
};

// Premultiplied colour and coverage of one pixel.
struct Pixel {
    double r = 0, g = 0, b = 0, a = 0;
};

struct Canvas {
    int size;
    std::vector<Pixel> pixels;
};

// Signed distance in pixels from a point to a shape: negative inside, positive outside.
using Shape = std::function<double(Point)>;
// Colour of a shape at a point given in grid units (for gradients).
using Paint = std::function<Color(Point)>;

double DistanceToSegment(Point p, Point a, Point b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Exact signed distance to a convex polygon given clockwise on screen (y grows downwards).
double ConvexPolygonDistance(Point p, const std::vector<Point>& corners) {
    bool inside = true;
    double nearest = INFINITY;
    for (size_t i = 0; i < corners.size(); ++i) {
        Point a = corners[i], b = corners[(i + 1) % corners.size()];
        double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
        if (cross < 0)
            inside = false;
        nearest = std::min(nearest, DistanceToSegment(p, a, b));
    }
    return inside ? -nearest : nearest;
}

// A convex polygon with corners in grid units, shrunk by `inset` pixels (for outlines).
Shape Polygon(std::vector<Point> corners, double unit, double inset = 0) {
    for (Point& c : corners)
        c = {c.x * unit, c.y * unit};
    return [corners, inset](Point p) { return ConvexPolygonDistance(p, corners) + inset; };
}

// A horizontal bar from x0 to x1 at row y (grid units), `thickness` pixels high, with round ends when
// `round` is set.
Shape Bar(double x0, double x1, double y, double thickness, double unit, bool round) {
    double half = thickness / 2;
    Point a{x0 * unit + (round ? half : 0), y * unit}, b{x1 * unit - (round ? half : 0), y * unit};
    if (round)
        return [a, b, half](Point p) { return DistanceToSegment(p, a, b) - half; };
    return Polygon(
        {{x0, y - half / unit}, {x1, y - half / unit}, {x1, y + half / unit}, {x0, y + half / unit}}, unit);
}

Paint Solid(Color c) {
    return [c](Point) { return c; };
}

// A vertical blend from `top` at grid row y0 to `bottom` at grid row y1.
Paint VerticalGradient(Color top, Color bottom, double y0, double y1) {
    return [=](Point p) {
        double t = std::clamp((p.y - y0) / (y1 - y0), 0.0, 1.0);
        return Color{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
                     top.b + (bottom.b - top.b) * t};
    };
}

Color Mix(Color a, Color b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Composites one colour over a pixel with the given coverage ("source over").
void Blend(Pixel& dst, Color c, double coverage) {
    dst.r = c.r * coverage + dst.r * (1 - coverage);
    dst.g = c.g * coverage + dst.g * (1 - coverage);
    dst.b = c.b * coverage + dst.b * (1 - coverage);
    dst.a = coverage + dst.a * (1 - coverage);
}

// Fills a shape, anti-aliased by counting the sub-samples inside it.
void Fill(Canvas& canvas, const Shape& shape, const Paint& paint, double opacity = 1.0) {
    double unit = canvas.size / GridUnits;
    for (int y = 0; y < canvas.size; ++y) {
        for (int x = 0; x < canvas.size; ++x) {
            int hits = 0;
            for (int sy = 0; sy < SubSamples; ++sy)
                for (int sx = 0; sx < SubSamples; ++sx)
                    hits += shape({x + (sx + 0.5) / SubSamples, y + (sy + 0.5) / SubSamples}) <= 0;
            if (hits == 0)
                continue;
            Color c = paint({(x + 0.5) / unit, (y + 0.5) / unit});
            Blend(canvas.pixels[y * canvas.size + x], c, opacity * hits / (SubSamples * SubSamples));
        }
    }
}

// A soft shadow cast down and to the right by `offset` pixels; it fades out over `spread` pixels beyond
// the shape's edge.
void Shadow(Canvas& canvas, const Shape& shape, double offset, double spread, double opacity) {
    for (int y = 0; y < canvas.size; ++y) {
        for (int x = 0; x < canvas.size; ++x) {
            double d = shape({x + 0.5 - offset, y + 0.5 - offset});
            double coverage = opacity * std::clamp(0.5 - d / spread, 0.0, 1.0);
            if (coverage > 0)
                Blend(canvas.pixels[y * canvas.size + x], {0, 0, 0}, coverage);
        }
    }
}

const Color OutlineColor{0.24, 0.29, 0.35};
const Color PaperTop{1.0, 1.0, 1.0};
const Color PaperBottom{0.87, 0.91, 0.95};
const Color FoldColor{0.78, 0.84, 0.90};
const Color ShortLineColor{0.55, 0.74, 0.93};
const Color LongLineColor{0.09, 0.33, 0.67};
const Color ArrowColor{0.96, 0.55, 0.12};
const Color ArrowEdgeColor{0.66, 0.33, 0.02};

// The sheet of paper: a rectangle whose top-right corner is folded down.
const std::vector<Point> PaperCorners{{1, 1}, {8, 1}, {11, 4}, {11, 15}, {1, 15}};
const std::vector<Point> FlapCorners{{8, 1}, {11, 4}, {8, 4}};

void DrawPaper(Canvas& canvas, double unit, int outline) {
    Shape paper = Polygon(PaperCorners, unit);
    if (canvas.size >= 48)
        Shadow(canvas, paper, outline, 2.0 * outline, 0.3);
    Fill(canvas, paper, Solid(OutlineColor));
    Fill(canvas, Polygon(PaperCorners, unit, outline), VerticalGradient(PaperTop, PaperBottom, 1, 15));
    // At 16 pixels the flap is too small to hold an outline and still show its colour.
    if (canvas.size < 32) {
        Fill(canvas, Polygon(FlapCorners, unit), Solid(FoldColor));
        return;
    }
    Fill(canvas, Polygon(FlapCorners, unit), Solid(OutlineColor));
    Fill(canvas, Polygon(FlapCorners, unit, outline), Solid(FoldColor));
}

// Five text lines, each longer than the one above it and darker, so the sheet reads as sorted.
void DrawLines(Canvas& canvas, double unit) {
    const int count = 5;
    bool round = unit >= 4;
    double thickness = round ? 0.8 * unit : unit;
    for (int i = 0; i < count; ++i) {
        double row = 4.5 + 2 * i;
        Color c = Mix(ShortLineColor, LongLineColor, double(i) / (count - 1));
        Fill(canvas, Bar(3, 5 + i, row, thickness, unit, round), Solid(c));
    }
}

// Width in pixels of the arrow's shaft: about two grid units, with the parity that keeps both edges on
// pixel boundaries around its centre at 13.5 units.
int ShaftWidth(int unit) {
    return unit == 1 ? 1 : 2 * unit - unit % 2;
}

// A downward arrow beside the sheet: a shaft and a triangular head, outlined from 32 pixels up. At
// 16 pixels the head is drawn as three pixel rows so that its point stays sharp.
void DrawArrow(Canvas& canvas, double unit, int outline) {
    double half = ShaftWidth(int(unit)) / (2 * unit);
    std::vector<Point> shaft{{13.5 - half, 2}, {13.5 + half, 2}, {13.5 + half, 11.5}, {13.5 - half, 11.5}};
    if (canvas.size < 32) {
        Fill(canvas, Polygon(shaft, unit), Solid(ArrowColor));
        for (int row = 0; row < 3; ++row)
            Fill(canvas,
                 Polygon({{11.0 + row, 11.0 + row},
                          {16.0 - row, 11.0 + row},
                          {16.0 - row, 12.0 + row},
                          {11.0 + row, 12.0 + row}},
                         unit),
                 Solid(ArrowColor));
        return;
    }
    std::vector<Point> head{{11, 10.5}, {16, 10.5}, {13.5, 14.5}};
    Fill(canvas, Polygon(shaft, unit), Solid(ArrowEdgeColor));
    Fill(canvas, Polygon(head, unit), Solid(ArrowEdgeColor));
    Fill(canvas, Polygon(shaft, unit, outline), Solid(ArrowColor));
    Fill(canvas, Polygon(head, unit, outline), Solid(ArrowColor));
}

Canvas DrawIcon(int size) {
    Canvas canvas{size, std::vector<Pixel>(size * size)};
    double unit = size / GridUnits;
    int outline = std::max(1, size / 32);
    DrawPaper(canvas, unit, outline);
    DrawLines(canvas, unit);
    DrawArrow(canvas, unit, outline);
    return canvas;
}

void PutU16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

uint8_t ToByte(double v) {
    return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

// One icon image: a 40-byte bitmap header with doubled height, bottom-up BGRA rows with straight alpha,
// then the 1-bit AND mask whose bit is set exactly where the pixel is fully transparent.
std::vector<uint8_t> EncodeDib(const Canvas& canvas) {
    int n = canvas.size;
    int maskStride = ((n + 31) / 32) * 4;
    std::vector<uint8_t> out;
    PutU32(out, 40);
    PutU32(out, n);
    PutU32(out, 2 * n);
    PutU16(out, 1);  // planes
    PutU16(out, 32); // bits per pixel
    PutU32(out, 0);  // BI_RGB
    PutU32(out, n * n * 4 + maskStride * n);
    for (int i = 0; i < 4; ++i)
        PutU32(out, 0); // resolution and palette: unused
    std::vector<uint8_t> mask(maskStride * n, 0);
    for (int row = 0; row < n; ++row) {
        int y = n - 1 - row;
        for (int x = 0; x < n; ++x) {
            const Pixel& p = canvas.pixels[y * n + x];
            uint8_t alpha = ToByte(p.a);
            if (alpha == 0) {
                out.insert(out.end(), {0, 0, 0, 0});
                mask[row * maskStride + x / 8] |= 0x80 >> (x % 8);
                continue;
            }
            out.insert(out.end(), {ToByte(p.b / p.a), ToByte(p.g / p.a), ToByte(p.r / p.a), alpha});
        }
    }
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

// The .ico container: a 6-byte directory header, one 16-byte entry per image, then the images.
std::vector<uint8_t> EncodeIco(const std::vector<std::vector<uint8_t>>& images) {
    std::vector<uint8_t> out;
    PutU16(out, 0);
    PutU16(out, 1); // icon
    PutU16(out, images.size());
    uint32_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        int size = IconSizes[i];
        out.push_back(size >= 256 ? 0 : size); // 0 stands for 256
        out.push_back(size >= 256 ? 0 : size);
        out.push_back(0); // no palette
        out.push_back(0);
        PutU16(out, 1);
        PutU16(out, 32);
        PutU32(out, images[i].size());
        PutU32(out, offset);
        offset += images[i].size();
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

// Writes the whole buffer and reports failure of the write or of the close.
bool WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    std::vector<std::vector<uint8_t>> images;
    for (int size : IconSizes)
        images.push_back(EncodeDib(DrawIcon(size)));
    if (!WriteFile(argv[1], EncodeIco(images))) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
