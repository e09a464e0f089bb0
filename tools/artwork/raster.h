// Pixels, shapes and file formats for the artwork generator: an RGB canvas,
// shapes as signed distance functions rendered by supersampled coverage, a
// palette reducer and writers for DIB (.bmp) and icon files.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

Rgb Mix(Rgb a, Rgb b, double t);  // a at t = 0, b at t = 1

struct Image {
    int w, h;
    std::vector<Rgb> px;
    Image(int w_, int h_, Rgb fill) : w(w_), h(h_), px(size_t(w_) * h_, fill) {}
    Rgb& at(int x, int y) { return px[size_t(y) * w + x]; }
    Rgb at(int x, int y) const { return px[size_t(y) * w + x]; }
    // Copies src with its top-left corner at (x, y), clipped.
    void Blit(const Image& src, int x, int y);
};

// Negative inside, positive outside, in pixels.
using Sdf = std::function<double(double x, double y)>;

Sdf Circle(double cx, double cy, double r);
Sdf Ellipse(double cx, double cy, double rx, double ry);
Sdf Capsule(double ax, double ay, double bx, double by, double r);
Sdf Polygon(std::vector<std::pair<double, double>> pts);
// A stroke of width 2t along an elliptic arc, angles in degrees (0 = right,
// 90 = down), from a0 clockwise to a1, with round ends.
Sdf Arc(double cx, double cy, double rx, double ry, double a0, double a1, double t);
Sdf Union(std::vector<Sdf> parts);
Sdf Minus(Sdf a, Sdf b);
Sdf Offset(Sdf a, double d);  // grows the shape by d (rounds its corners)
Sdf Shift(Sdf a, double dx, double dy);

// Share of the pixel (x, y) that the shape covers, from 4 x 4 samples.
double Coverage(const Sdf& s, int x, int y);
// Paints the shape; colour may depend on the pixel. With antialias the colour
// is blended by coverage, otherwise a pixel is painted when at least half covered.
void Paint(Image& img, const Sdf& s, const std::function<Rgb(int x, int y)>& colour, bool antialias);
void Paint(Image& img, const Sdf& s, Rgb colour, bool antialias);

// A palette of at most `size` entries with `key` (when given) kept exact, and
// every pixel's index into it. Other colours never map to the key.
struct Indexed {
    std::vector<Rgb> palette;
    std::vector<uint8_t> index;
};
Indexed Reduce(const Image& img, int size, const Rgb* key);

// A .bmp file: 14-byte file header, 40-byte BITMAPINFOHEADER, a full colour
// table of 2^bits entries, uncompressed bottom-up rows (bits 4 or 8).
std::vector<uint8_t> BmpFile(int w, int h, int bits, const std::vector<Rgb>& palette,
                             const std::vector<uint8_t>& index);

// A 16-colour icon file with one image per entry; key pixels become transparent.
std::vector<uint8_t> IconFile(const std::vector<Image>& images, Rgb key);

extern const Rgb kVga16[16];

struct Bytes {
    std::vector<uint8_t> v;
    void u8(unsigned x) { v.push_back(uint8_t(x)); }
    void u16(unsigned x) { u8(x & 0xFF); u8(x >> 8); }
    void u32(uint32_t x) { u16(x & 0xFFFF); u16(x >> 16); }
    void s16(int x) { u16(uint16_t(int16_t(x))); }
};

bool Save(const std::string& path, const std::vector<uint8_t>& bytes);
