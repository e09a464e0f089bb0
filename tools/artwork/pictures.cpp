#include <cmath>

#include "art.h"
#include "raster.h"

namespace {

const Rgb kMagenta = {255, 0, 255};
const Rgb kWhite = {255, 255, 255};

// A colour ramp through evenly weighted stops, t from 0 to 1.
Rgb Ramp(const std::vector<Rgb>& stops, double t) {
    t = std::fmin(std::fmax(t, 0.0), 1.0) * (stops.size() - 1);
    size_t i = std::min(size_t(t), stops.size() - 2);
    return Mix(stops[i], stops[i + 1], t - i);
}

// Value noise on a lattice that wraps around a 128-pixel tile, so anything
// built from it tiles without a seam.
class TileNoise {
public:
    TileNoise(int cells, uint32_t seed) : n_(cells), v_(size_t(cells) * cells) {
        for (double& x : v_) {
            seed = seed * 1664525u + 1013904223u;
            x = (seed >> 8) / double(1u << 24);
        }
    }
    double at(double x, double y) const {
        double u = x / 128.0 * n_, v = y / 128.0 * n_;
        int i = int(std::floor(u)), j = int(std::floor(v));
        double fu = Smooth(u - i), fv = Smooth(v - j);
        double a = cell(i, j), b = cell(i + 1, j), c = cell(i, j + 1), d = cell(i + 1, j + 1);
        return (a + (b - a) * fu) * (1 - fv) + (c + (d - c) * fu) * fv;
    }

private:
    static double Smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
    double cell(int i, int j) const { return v_[size_t(Wrap(j)) * n_ + Wrap(i)]; }
    int Wrap(int i) const { return ((i % n_) + n_) % n_; }
    int n_;
    std::vector<double> v_;
};

// A texture tile: the palette is a ramp and each pixel's index its level.
File Texture(const std::vector<Rgb>& stops, const std::function<double(int, int)>& level) {
    std::vector<double> f(128 * 128);
    double lo = 1e9, hi = -1e9;
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
            f[y * 128 + x] = level(x, y);
            lo = std::fmin(lo, f[y * 128 + x]);
            hi = std::fmax(hi, f[y * 128 + x]);
        }
    std::vector<Rgb> palette;
    for (int i = 0; i < 256; i++) palette.push_back(Ramp(stops, i / 255.0));
    std::vector<uint8_t> index;
    for (double v : f) index.push_back(uint8_t(std::lround((v - lo) / (hi - lo) * 255)));
    return BmpFile(128, 128, 8, palette, index);
}

Image FramesSideBySide(const std::vector<Image>& frames) {
    Image strip(frames[0].w * int(frames.size()), frames[0].h, kMagenta);
    for (size_t i = 0; i < frames.size(); i++) strip.Blit(frames[i], int(i) * frames[0].w, 0);
    return strip;
}

File Indexed8(const Image& img, Rgb key) {
    Indexed ix = Reduce(img, 256, &key);
    return BmpFile(img.w, img.h, 8, ix.palette, ix.index);
}

// A picture with a grey cast shadow: the face at rest, then pressed (moved
// `press` pixels toward its shadow). `face` paints the face at an offset.
File ShadowedPicture(int w, int h, const Sdf& silhouette, double shadow, double press,
                     const std::function<void(Image&, double)>& face) {
    std::vector<Image> frames;
    for (double s : {0.0, press}) {
        Image f(w, h, kMagenta);
        Paint(f, Shift(silhouette, shadow, shadow), Rgb{96, 96, 96}, false);
        face(f, s);
        frames.push_back(f);
    }
    return Indexed8(FramesSideBySide(frames), kMagenta);
}

// Solid silhouette in the outline colour (hard edge against the key), then the
// fill a few pixels inside it, smooth against the outline.
void OutlinedFill(Image& img, const Sdf& shape, double border, Rgb outline,
                  const std::function<Rgb(int, int)>& fill) {
    Paint(img, shape, outline, false);
    Paint(img, Offset(shape, -border), fill, true);
}

}  // namespace

File BlueTex() {
    TileNoise n4(4, 11), n8(8, 23), n16(16, 37), n32(32, 41);
    return Texture({{6, 12, 46}, {14, 28, 84}, {26, 50, 128}, {58, 92, 176}}, [&](int x, int y) {
        double v = 0.45 * n4.at(x, y) + 0.3 * n8.at(x, y) + 0.17 * n16.at(x, y) + 0.08 * n32.at(x, y);
        return v * v;  // mostly dark, with lighter mottles
    });
}

File OWSwirl() {
    TileNoise warpX(4, 5), warpY(4, 7), detailX(8, 13), detailY(8, 17), base(4, 19);
    return Texture({{236, 132, 44}, {248, 170, 60}, {255, 206, 92}, {255, 232, 140}}, [&](int x, int y) {
        // Twice-warped noise curls into swirls; its bands give the stripes.
        double qx = warpX.at(x, y) + 0.3 * detailX.at(x, y), qy = warpY.at(x, y) + 0.3 * detailY.at(x, y);
        double v = base.at(x + 90 * qx, y + 90 * qy);
        return 0.5 + 0.5 * std::sin(2 * M_PI * 2.5 * v);
    });
}

File AlertPicture() {
    Sdf triangle = Offset(Polygon({{39, 14}, {69, 68}, {9, 68}}), 5);
    return ShadowedPicture(80, 86, triangle, 4, 2, [&](Image& f, double s) {
        Sdf face = Shift(triangle, s, s);
        OutlinedFill(f, face, 3, Rgb{112, 64, 0}, [&](int, int y) {
            return Mix(Rgb{255, 240, 130}, Rgb{244, 176, 36}, (y - 9 - s) / 66.0);
        });
        Sdf mark = Union({Offset(Polygon({{34, 30}, {44, 30}, {41.5, 53}, {36.5, 53}}), 1.2), Circle(39, 62, 4.5)});
        Paint(f, Shift(mark, s, s), Rgb{0, 0, 0}, true);
    });
}

File QuestionPicture() {
    Sdf disc = Circle(38, 42, 33);
    return ShadowedPicture(80, 86, disc, 4, 2, [&](Image& f, double s) {
        OutlinedFill(f, Shift(disc, s, s), 2.5, Rgb{10, 30, 90}, [&](int x, int y) {
            return Mix(Rgb{160, 206, 255}, Rgb{18, 66, 168}, std::hypot(x - 28 - s, y - 30 - s) / 44.0);
        });
        const double t = 4.5;
        double ex = 38 + 11 * std::cos(M_PI / 4), ey = 33 + 10 * std::sin(M_PI / 4);
        Sdf mark = Union({Arc(38, 33, 11, 10, 180, 45, t), Capsule(ex, ey, 38, 48, t), Capsule(38, 48, 38, 51, t),
                          Circle(38, 62, 5)});
        Paint(f, Shift(mark, s, s), kWhite, true);
    });
}

File BulletPicture() {
    Sdf ball = Circle(11, 11, 8.5);
    return ShadowedPicture(24, 24, ball, 2, 1, [&](Image& f, double s) {
        OutlinedFill(f, Shift(ball, s, s), 1.5, Rgb{110, 24, 0}, [&](int x, int y) {
            return Mix(Rgb{255, 200, 130}, Rgb{204, 44, 0}, std::hypot(x - 8 - s, y - 7 - s) / 12.0);
        });
    });
}

namespace {

// Lettering on magenta in the 16-colour table: black where at least half
// covered; with `fringe`, dark red where a third to a half is covered.
File Lettering(int w, int h, const Sdf& letters, bool fringe) {
    std::vector<uint8_t> index;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            double c = Coverage(letters, x, y);
            index.push_back(c >= 0.5 ? 0 : fringe && c >= 1.0 / 3 ? 1 : 13);
        }
    return BmpFile(w, h, 4, std::vector<Rgb>(kVga16, kVga16 + 16), index);
}

}  // namespace

File OkFace() {
    const double t = 3.2;
    return Lettering(54, 32, Union({Arc(15, 16, 10, 12, 0, 359.99, t),
                                    Capsule(34, 3.5, 34, 28, t),
                                    Capsule(36, 19, 46, 10.5, t),
                                    Capsule(38.5, 17.5, 47, 28, t)}), false);
}

File CancelFace() {
    const double t = 1.6, x = 5;
    return Lettering(78, 20, Union({
        Arc(x + 7.5, 10, 5.5, 6.5, 45, 315, t),                                      // C
        Arc(x + 19, 12.6, 3.8, 3.9, 0, 359.99, t), Capsule(x + 23, 8.4, x + 23, 16.4, t),  // a
        Capsule(x + 28.5, 8.4, x + 28.5, 16.4, t), Arc(x + 32.3, 12.2, 3.8, 3.6, 180, 360, t),
        Capsule(x + 36.1, 12.2, x + 36.1, 16.4, t),                                   // n
        Arc(x + 44, 12.4, 3.8, 4.1, 45, 315, t),                                      // c
        Arc(x + 55, 12.4, 3.9, 4.1, 40, 360, t), Capsule(x + 51.5, 12.4, x + 58.5, 12.4, 1.3),  // e
        Capsule(x + 63.5, 3.5, x + 63.5, 16.4, t)}), true);                          // l
}

File CheckBoxStrip() {
    // Frame coordinates: the box covers x 3..15, y 5..17; the tick's long
    // stroke ends beyond it, to the upper right.
    const double ax = 5.5, ay = 10.5, bx = 9.5, by = 15.5, cx = 27, cy = 1.5, t = 1.7;
    Image strip(180, 22, kWhite);
    const double shortDone[] = {0, 0.6, 1, 1, 1, 1};
    const double longDone[] = {0, 0, 0, 0.35, 0.7, 1};
    for (int i = 1; i < 6; i++) {
        double sx = ax + (bx - ax) * shortDone[i], sy = ay + (by - ay) * shortDone[i];
        std::vector<Sdf> strokes{Capsule(ax, ay, sx, sy, t)};
        if (longDone[i] > 0)
            strokes.push_back(Capsule(bx, by, bx + (cx - bx) * longDone[i], by + (cy - by) * longDone[i], t));
        Image frame(30, 22, kWhite);
        Sdf tick = Union(strokes);
        // Faint edge pixels would read as a pink haze off the box: keep them white.
        for (int y = 0; y < 22; y++)
            for (int x = 0; x < 30; x++) {
                double c = Coverage(tick, x, y);
                if (c >= 0.12) frame.at(x, y) = Mix(kWhite, Rgb{200, 16, 16}, c);
            }
        strip.Blit(frame, i * 30, 0);
    }
    return Indexed8(strip, kWhite);
}

File SetupIcon() {
    std::vector<Image> images;
    for (int size : {32, 16}) {
        Image img(size, size, kMagenta);
        double c = (size - 1) / 2.0, r = size / 2.0 - 0.5;
        Paint(img, Circle(c + 0.5, c + 0.5, r), [&](int x, int y) {
            double dx = (x - c) / r, dy = (y - c) / r;
            double lit = (-dx - dy) * 0.5 + std::sqrt(std::fmax(0.0, 1.0 - dx * dx - dy * dy)) * 0.7;
            // A woven band across the orb, over and under in turn.
            if (std::fabs(dy - 0.35 * std::sin(dx * 3.0)) < 0.16)
                return (int((dx + 1.0) * 4.0) & 1) ? Rgb{255, 255, 0} : Rgb{128, 128, 0};
            return lit > 0.85 ? Rgb{255, 255, 255} : lit > 0.55 ? Rgb{0, 255, 255} : lit > 0.2 ? Rgb{0, 0, 255} : Rgb{0, 0, 128};
        }, false);
        images.push_back(img);
    }
    return IconFile(images, kMagenta);
}
