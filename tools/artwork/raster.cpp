#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

const Rgb kVga16[16] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

static uint8_t Clamp8(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 255.0))); }

Rgb Mix(Rgb a, Rgb b, double t) {
    return {Clamp8(a.r + (b.r - a.r) * t), Clamp8(a.g + (b.g - a.g) * t), Clamp8(a.b + (b.b - a.b) * t)};
}

void Image::Blit(const Image& src, int x0, int y0) {
    for (int y = 0; y < src.h; y++)
        for (int x = 0; x < src.w; x++)
            if (x0 + x >= 0 && x0 + x < w && y0 + y >= 0 && y0 + y < h) at(x0 + x, y0 + y) = src.at(x, y);
}

Sdf Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Ellipse(double cx, double cy, double rx, double ry) {
    double rmin = std::min(rx, ry);
    return [=](double x, double y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * rmin; };
}

static double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
    double dx = bx - ax, dy = by - ay;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy));
}

Sdf Capsule(double ax, double ay, double bx, double by, double r) {
    return [=](double x, double y) { return SegmentDistance(x, y, ax, ay, bx, by) - r; };
}

Sdf Polygon(std::vector<std::pair<double, double>> pts) {
    return [pts](double x, double y) {
        double best = 1e9;
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            auto [xi, yi] = pts[i];
            auto [xj, yj] = pts[j];
            best = std::min(best, SegmentDistance(x, y, xi, yi, xj, yj));
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside ? -best : best;
    };
}

Sdf Arc(double cx, double cy, double rx, double ry, double a0, double a1, double t) {
    const double rad = M_PI / 180.0;
    double span = std::fmod(a1 - a0 + 720.0, 360.0);
    double x0 = cx + rx * std::cos(a0 * rad), y0 = cy + ry * std::sin(a0 * rad);
    double x1 = cx + rx * std::cos(a1 * rad), y1 = cy + ry * std::sin(a1 * rad);
    return [=](double x, double y) {
        double ux = (x - cx) / rx, uy = (y - cy) / ry;
        double a = std::atan2(uy, ux) / rad;
        if (std::fmod(a - a0 + 720.0, 360.0) <= span) {
            double reff = std::hypot(rx * ux, ry * uy) / std::max(std::hypot(ux, uy), 1e-9);
            return std::fabs(std::hypot(ux, uy) - 1.0) * reff - t;
        }
        return std::min(std::hypot(x - x0, y - y0), std::hypot(x - x1, y - y1)) - t;
    };
}

Sdf Union(std::vector<Sdf> parts) {
    return [parts](double x, double y) {
        double d = 1e9;
        for (auto& p : parts) d = std::min(d, p(x, y));
        return d;
    };
}

Sdf Minus(Sdf a, Sdf b) {
    return [a, b](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Offset(Sdf a, double d) {
    return [a, d](double x, double y) { return a(x, y) - d; };
}

Sdf Shift(Sdf a, double dx, double dy) {
    return [a, dx, dy](double x, double y) { return a(x - dx, y - dy); };
}

double Coverage(const Sdf& s, int x, int y) {
    int in = 0;
    for (int j = 0; j < 4; j++)
        for (int i = 0; i < 4; i++)
            if (s(x + (i + 0.5) / 4.0, y + (j + 0.5) / 4.0) < 0) in++;
    return in / 16.0;
}

void Paint(Image& img, const Sdf& s, const std::function<Rgb(int, int)>& colour, bool antialias) {
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            double c = Coverage(s, x, y);
            if (antialias) {
                if (c > 0) img.at(x, y) = Mix(img.at(x, y), colour(x, y), c);
            } else if (c >= 0.5) {
                img.at(x, y) = colour(x, y);
            }
        }
    }
}

void Paint(Image& img, const Sdf& s, Rgb colour, bool antialias) {
    Paint(img, s, [colour](int, int) { return colour; }, antialias);
}

namespace {

struct Weighted {
    Rgb c;
    long n;
};

uint8_t Channel(const Rgb& c, int ch) { return ch == 0 ? c.r : ch == 1 ? c.g : c.b; }

// Median cut: split the box with the widest weighted channel range until there
// are enough boxes; each box's weighted mean is a palette entry.
std::vector<Rgb> MedianCut(std::vector<Weighted> colours, size_t size) {
    std::vector<std::vector<Weighted>> boxes{std::move(colours)};
    auto spread = [](const std::vector<Weighted>& box, int* widest) {
        double best = -1;
        for (int ch = 0; ch < 3; ch++) {
            int lo = 255, hi = 0;
            for (auto& w : box) {
                lo = std::min<int>(lo, Channel(w.c, ch));
                hi = std::max<int>(hi, Channel(w.c, ch));
            }
            long n = 0;
            for (auto& w : box) n += w.n;
            double score = double(hi - lo) * std::sqrt(double(n));
            if (score > best) {
                best = score;
                *widest = ch;
            }
        }
        return box.size() > 1 ? best : -1.0;
    };
    while (boxes.size() < size) {
        int bestBox = -1, bestCh = 0;
        double best = 0;
        for (size_t i = 0; i < boxes.size(); i++) {
            int ch = 0;
            double s = spread(boxes[i], &ch);
            if (s > best) {
                best = s;
                bestBox = int(i);
                bestCh = ch;
            }
        }
        if (bestBox < 0) break;
        auto& box = boxes[bestBox];
        std::sort(box.begin(), box.end(),
                  [bestCh](const Weighted& a, const Weighted& b) { return Channel(a.c, bestCh) < Channel(b.c, bestCh); });
        long total = 0, run = 0;
        for (auto& w : box) total += w.n;
        size_t cut = 1;
        for (; cut < box.size() - 1; cut++) {
            run += box[cut - 1].n;
            if (run * 2 >= total) break;
        }
        std::vector<Weighted> upper(box.begin() + cut, box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (auto& box : boxes) {
        double r = 0, g = 0, b = 0, n = 0;
        for (auto& w : box) {
            r += w.c.r * double(w.n);
            g += w.c.g * double(w.n);
            b += w.c.b * double(w.n);
            n += w.n;
        }
        palette.push_back({Clamp8(r / n), Clamp8(g / n), Clamp8(b / n)});
    }
    return palette;
}

}  // namespace

Indexed Reduce(const Image& img, int size, const Rgb* key) {
    std::map<uint32_t, long> counts;
    for (const Rgb& c : img.px)
        if (!key || c != *key) counts[(c.r << 16) | (c.g << 8) | c.b]++;
    std::vector<Weighted> colours;
    for (auto& [k, n] : counts) colours.push_back({{uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)}, n});
    size_t room = size_t(size) - (key ? 1 : 0);
    Indexed out;
    if (colours.size() <= room) {
        for (auto& w : colours) out.palette.push_back(w.c);
    } else {
        out.palette = MedianCut(colours, room);
    }
    int keyIndex = -1;
    if (key) {
        keyIndex = int(out.palette.size());
        out.palette.push_back(*key);
    }
    std::map<uint32_t, uint8_t> memo;
    for (const Rgb& c : img.px) {
        if (key && c == *key) {
            out.index.push_back(uint8_t(keyIndex));
            continue;
        }
        uint32_t k = (c.r << 16) | (c.g << 8) | c.b;
        auto it = memo.find(k);
        if (it == memo.end()) {
            long best = -1;
            uint8_t bi = 0;
            for (size_t i = 0; i < out.palette.size(); i++) {
                if (int(i) == keyIndex) continue;
                const Rgb& p = out.palette[i];
                long d = long(p.r - c.r) * (p.r - c.r) + long(p.g - c.g) * (p.g - c.g) + long(p.b - c.b) * (p.b - c.b);
                if (best < 0 || d < best) {
                    best = d;
                    bi = uint8_t(i);
                }
            }
            it = memo.emplace(k, bi).first;
        }
        out.index.push_back(it->second);
    }
    return out;
}

static void InfoHeader(Bytes& b, int w, int h, int bits, uint32_t imageSize, int colours) {
    b.u32(40);
    b.u32(w);
    b.u32(h);
    b.u16(1);
    b.u16(bits);
    b.u32(0);  // BI_RGB
    b.u32(imageSize);
    b.u32(2835);  // 72 dpi
    b.u32(2835);
    b.u32(colours);
    b.u32(0);
}

static void ColourTable(Bytes& b, const std::vector<Rgb>& palette, int entries) {
    for (int i = 0; i < entries; i++) {
        Rgb c = i < int(palette.size()) ? palette[i] : Rgb{0, 0, 0};
        b.u8(c.b);
        b.u8(c.g);
        b.u8(c.r);
        b.u8(0);
    }
}

static std::vector<uint8_t> PackedRows(int w, int h, int bits, const std::vector<uint8_t>& index) {
    int stride = ((w * bits + 31) / 32) * 4;
    std::vector<uint8_t> rows;
    for (int y = h - 1; y >= 0; y--) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < w; x++) {
            uint8_t v = index[size_t(y) * w + x];
            if (bits == 8)
                row[x] = v;
            else
                row[x / 2] |= uint8_t(x % 2 ? v : v << 4);
        }
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

std::vector<uint8_t> BmpFile(int w, int h, int bits, const std::vector<Rgb>& palette,
                             const std::vector<uint8_t>& index) {
    int entries = 1 << bits;
    std::vector<uint8_t> rows = PackedRows(w, h, bits, index);
    uint32_t offBits = 14 + 40 + entries * 4;
    Bytes b;
    b.u8('B');
    b.u8('M');
    b.u32(offBits + rows.size());
    b.u32(0);
    b.u32(offBits);
    InfoHeader(b, w, h, bits, rows.size(), entries);
    ColourTable(b, palette, entries);
    b.v.insert(b.v.end(), rows.begin(), rows.end());
    return b.v;
}

std::vector<uint8_t> IconFile(const std::vector<Image>& images, Rgb key) {
    std::vector<Rgb> vga(kVga16, kVga16 + 16);
    std::vector<std::vector<uint8_t>> data;
    for (const Image& img : images) {
        std::vector<uint8_t> index, mask;
        for (const Rgb& c : img.px) {
            uint8_t best = 0;
            long bd = -1;
            for (int i = 0; i < 16; i++) {
                long d = long(vga[i].r - c.r) * (vga[i].r - c.r) + long(vga[i].g - c.g) * (vga[i].g - c.g) +
                         long(vga[i].b - c.b) * (vga[i].b - c.b);
                if (bd < 0 || d < bd) {
                    bd = d;
                    best = uint8_t(i);
                }
            }
            bool clear = c == key;
            index.push_back(clear ? 0 : best);  // transparent pixels are black under the mask
            mask.push_back(clear);
        }
        std::vector<uint8_t> xorRows = PackedRows(img.w, img.h, 4, index);
        int andStride = ((img.w + 31) / 32) * 4;
        std::vector<uint8_t> andRows;
        for (int y = img.h - 1; y >= 0; y--) {
            std::vector<uint8_t> row(andStride, 0);
            for (int x = 0; x < img.w; x++)
                if (mask[size_t(y) * img.w + x]) row[x / 8] |= uint8_t(0x80 >> (x % 8));
            andRows.insert(andRows.end(), row.begin(), row.end());
        }
        Bytes b;
        InfoHeader(b, img.w, img.h * 2, 4, xorRows.size() + andRows.size(), 16);
        ColourTable(b, vga, 16);
        b.v.insert(b.v.end(), xorRows.begin(), xorRows.end());
        b.v.insert(b.v.end(), andRows.begin(), andRows.end());
        data.push_back(b.v);
    }
    Bytes b;
    b.u16(0);
    b.u16(1);
    b.u16(images.size());
    uint32_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); i++) {
        b.u8(images[i].w);
        b.u8(images[i].h);
        b.u8(16);
        b.u8(0);
        b.u16(1);
        b.u16(4);
        b.u32(data[i].size());
        b.u32(offset);
        offset += data[i].size();
    }
    for (auto& d : data) b.v.insert(b.v.end(), d.begin(), d.end());
    return b.v;
}

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}
