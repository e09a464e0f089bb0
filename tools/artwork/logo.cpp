// The maker's logo as a placeable metafile: an orb with woven orbits and a V,
// above the wordmark, in a 1000 x 750 logical window that the program
// stretches over the screen.
#include <cmath>
#include <utility>

#include "art.h"
#include "raster.h"

namespace {

using Pts = std::vector<std::pair<int, int>>;

// Writes metafile records, keeping the object table the way playback fills it:
// each new object takes the lowest free slot.
class Metafile {
public:
    void WindowOrg(int x, int y) { Record(0x020B, {y, x}); }
    void WindowExt(int x, int y) { Record(0x020C, {y, x}); }
    void PolyFillMode(int mode) { Record(0x0106, {mode}); }

    // Selects a new pen and brush and deletes the ones they replace. Only
    // hairline pens or none: wide pens, stretched over a screen, cost more to
    // stroke than the rest of the picture takes to fill.
    void Style(const Rgb* pen, const Rgb* brush) {
        int oldPen = pen_, oldBrush = brush_;
        pen_ = Slot();
        Rgb p = pen ? *pen : Rgb{0, 0, 0};
        Record(0x02FA, {pen ? 0 : 5, 0, 0, p.r | (p.g << 8), p.b});  // PS_SOLID or PS_NULL
        brush_ = Slot();
        Rgb b = brush ? *brush : Rgb{0, 0, 0};
        Record(0x02FC, {brush ? 0 : 1, b.r | (b.g << 8), b.b, 0});  // BS_SOLID or BS_NULL
        Record(0x012D, {pen_});
        Record(0x012D, {brush_});
        for (int old : {oldPen, oldBrush})
            if (old >= 0) {
                Record(0x01F0, {old});
                used_[old] = false;
            }
    }

    void Ellipse(int l, int t, int r, int b) { Record(0x0418, {b, r, t, l}); }

    void PolyPolygon(const std::vector<Pts>& polys) {
        std::vector<int> p{int(polys.size())};
        for (auto& poly : polys) p.push_back(int(poly.size()));
        for (auto& poly : polys)
            for (auto [x, y] : poly) {
                p.push_back(x);
                p.push_back(y);
            }
        Record(0x0538, p);
    }

    File Placeable(int w, int h) {
        Record(0x0000, {});  // end of file
        Bytes out;
        out.u32(0x9AC6CDD7);
        out.u16(0);  // handle
        out.s16(0);
        out.s16(0);
        out.s16(w);
        out.s16(h);
        out.u16(96);  // logical units per inch
        out.u32(0);
        uint16_t sum = 0;
        for (int i = 0; i < 20; i += 2) sum ^= uint16_t(out.v[i] | (out.v[i + 1] << 8));
        out.u16(sum);
        out.u16(1);  // in memory
        out.u16(9);  // header words
        out.u16(0x0300);
        out.u32(9 + records_.v.size() / 2);
        out.u16(objects_);
        out.u32(maxRecord_);
        out.u16(0);
        out.v.insert(out.v.end(), records_.v.begin(), records_.v.end());
        return out.v;
    }

private:
    void Record(int function, const std::vector<int>& params) {
        uint32_t words = 3 + uint32_t(params.size());
        records_.u32(words);
        records_.u16(function);
        for (int p : params) records_.s16(p);
        maxRecord_ = std::max(maxRecord_, words);
    }
    int Slot() {
        size_t i = 0;
        while (i < used_.size() && used_[i]) i++;
        if (i == used_.size()) used_.push_back(false);
        used_[i] = true;
        objects_ = std::max<int>(objects_, int(used_.size()));
        return int(i);
    }

    Bytes records_;
    std::vector<bool> used_;
    int pen_ = -1, brush_ = -1, objects_ = 0;
    uint32_t maxRecord_ = 0;
};

Pts Move(Pts pts, int dx, int dy) {
    for (auto& p : pts) p = {p.first + dx, p.second + dy};
    return pts;
}

// An ellipse turned by `deg` degrees, as a polygon.
Pts TurnedEllipse(int cx, int cy, double rx, double ry, double deg) {
    Pts pts;
    double a = deg * M_PI / 180;
    for (int i = 0; i < 72; i++) {
        double t = i * 2 * M_PI / 72, x = rx * std::cos(t), y = ry * std::sin(t);
        pts.push_back({int(std::lround(cx + x * std::cos(a) - y * std::sin(a))),
                       int(std::lround(cy + x * std::sin(a) + y * std::cos(a)))});
    }
    return pts;
}

// Block capitals in a 100 x 110 box; counters are inner polygons.
const std::vector<Pts> kV = {{{0, 0}, {24, 0}, {50, 78}, {76, 0}, {100, 0}, {62, 110}, {38, 110}}};
const std::vector<Pts> kE = {{{0, 0}, {90, 0}, {90, 22}, {25, 22}, {25, 44}, {78, 44}, {78, 66}, {25, 66},
                              {25, 88}, {90, 88}, {90, 110}, {0, 110}}};
const std::vector<Pts> kX = {{{0, 0}, {27, 0}, {50, 35}, {73, 0}, {100, 0}, {64, 55}, {100, 110}, {73, 110},
                              {50, 75}, {27, 110}, {0, 110}, {36, 55}}};
const std::vector<Pts> kA = {{{37, 0}, {63, 0}, {100, 110}, {74, 110}, {67, 88}, {33, 88}, {26, 110}, {0, 110}},
                             {{40, 66}, {60, 66}, {50, 34}}};
const std::vector<Pts> kR = {{{0, 0}, {62, 0}, {82, 6}, {94, 20}, {96, 36}, {88, 52}, {72, 62}, {100, 110},
                              {72, 110}, {47, 66}, {25, 66}, {25, 110}, {0, 110}},
                             {{25, 22}, {60, 22}, {70, 28}, {71, 38}, {62, 44}, {25, 44}}};

}  // namespace

File VexarLogo() {
    Metafile m;
    m.WindowOrg(0, 0);
    m.WindowExt(1000, 750);
    m.PolyFillMode(1);  // ALTERNATE: counters stay open

    const Rgb black{0, 0, 0}, gold{236, 176, 44}, navy{16, 28, 84}, white{255, 255, 255}, sky{120, 184, 255};
    // Outlines are black discs under slightly smaller coloured ones.
    m.Style(nullptr, &black);
    m.Ellipse(495, 145, 865, 515);
    m.Style(nullptr, &gold);
    m.Ellipse(505, 155, 855, 505);
    m.Style(nullptr, &black);
    m.Ellipse(529, 179, 831, 481);
    m.Style(nullptr, &navy);
    m.Ellipse(535, 185, 825, 475);
    // Each orbit a ring: an ellipse with a smaller one as its counter.
    m.Style(nullptr, &sky);
    for (double deg : {30.0, 90.0, 150.0})
        m.PolyPolygon({TurnedEllipse(680, 330, 141, 55, deg), TurnedEllipse(680, 330, 131, 45, deg)});
    // White shapes outlined by a hairline over a black shadow.
    const Pts v = {{614, 236}, {652, 236}, {680, 336}, {708, 236}, {746, 236}, {700, 424}, {660, 424}};
    m.Style(nullptr, &black);
    m.PolyPolygon({Move(v, 5, 5)});
    m.Style(&black, &white);
    m.PolyPolygon({v});

    // The wordmark the same way; the letters do not touch, so each layer is
    // one record.
    std::vector<Pts> word, shadow;
    int x = 412;
    for (const auto* letter : {&kV, &kE, &kX, &kA, &kR}) {
        for (const Pts& p : *letter) {
            word.push_back(Move(p, x, 560));
            shadow.push_back(Move(p, x + 5, 565));
        }
        x += 112;
    }
    m.Style(nullptr, &black);
    m.PolyPolygon(shadow);
    m.Style(&black, &white);
    m.PolyPolygon(word);
    return m.Placeable(1000, 750);
}
