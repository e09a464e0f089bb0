// Draws the setup program's pictures procedurally and writes them in the
// formats its resource script takes. Same input, same bytes: no clock, no
// randomness beyond a fixed-seed generator.
//
// usage: artwork OUTDIR
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Writer {
    std::vector<uint8_t> bytes;
    void u8(unsigned v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v) { u8(v & 0xFF); u8(v >> 8); }
    void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
};

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

// The standard 16-colour palette in its usual order, as R, G, B.
const uint8_t kVga16[16][3] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

// A 4-bit picture: palette indices, row 0 at the top; -1 is transparent.
struct Picture16 {
    int w, h;
    std::vector<int> px;
    Picture16(int w_, int h_) : w(w_), h(h_), px(w_ * h_, -1) {}
    int& at(int x, int y) { return px[y * w + x]; }
    int at(int x, int y) const { return px[y * w + x]; }
};

// The program icon: a blue orb crossed by a woven band.
Picture16 DrawOrb(int size) {
    Picture16 p(size, size);
    double c = (size - 1) / 2.0, r = size / 2.0 - 0.5;
    for (int y = 0; y < size; y++) {
        for (int x = 0; x < size; x++) {
            double dx = (x - c) / r, dy = (y - c) / r;
            double d2 = dx * dx + dy * dy;
            if (d2 > 1.0) continue;
            // Light from the upper left.
            double lit = (-dx - dy) * 0.5 + std::sqrt(1.0 - d2) * 0.7;
            int colour = lit > 0.85 ? 15 : lit > 0.55 ? 14 : lit > 0.2 ? 12 : 4;
            double band = dy - 0.35 * std::sin(dx * 3.0);
            if (std::fabs(band) < 0.16) {
                bool over = (static_cast<int>((dx + 1.0) * 4.0) & 1) != 0;
                colour = over ? 11 : 3;
            }
            p.at(x, y) = colour;
        }
    }
    return p;
}

// An icon image: BITMAPINFOHEADER with doubled height, 16-colour table, the XOR
// pixels bottom-up, then the 1-bit AND mask.
std::vector<uint8_t> IconImage(const Picture16& p) {
    Writer w;
    int xorStride = ((p.w * 4 + 31) / 32) * 4;
    int andStride = ((p.w + 31) / 32) * 4;
    w.u32(40);
    w.u32(p.w);
    w.u32(p.h * 2);
    w.u16(1);
    w.u16(4);
    w.u32(0);
    w.u32((xorStride + andStride) * p.h);
    w.u32(0);
    w.u32(0);
    w.u32(16);
    w.u32(0);
    for (auto& c : kVga16) {
        w.u8(c[2]);
        w.u8(c[1]);
        w.u8(c[0]);
        w.u8(0);
    }
    for (int y = p.h - 1; y >= 0; y--) {
        std::vector<uint8_t> row(xorStride, 0);
        for (int x = 0; x < p.w; x++) {
            int v = p.at(x, y) < 0 ? 0 : p.at(x, y);
            row[x / 2] |= static_cast<uint8_t>(x % 2 ? v : v << 4);
        }
        w.bytes.insert(w.bytes.end(), row.begin(), row.end());
    }
    for (int y = p.h - 1; y >= 0; y--) {
        std::vector<uint8_t> row(andStride, 0);
        for (int x = 0; x < p.w; x++)
            if (p.at(x, y) < 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        w.bytes.insert(w.bytes.end(), row.begin(), row.end());
    }
    return w.bytes;
}

std::vector<uint8_t> IconFile(const std::vector<Picture16>& images) {
    std::vector<std::vector<uint8_t>> data;
    for (auto& p : images) data.push_back(IconImage(p));
    Writer w;
    w.u16(0);
    w.u16(1);
    w.u16(images.size());
    uint32_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); i++) {
        w.u8(images[i].w);
        w.u8(images[i].h);
        w.u8(16);
        w.u8(0);
        w.u16(1);
        w.u16(4);
        w.u32(data[i].size());
        w.u32(offset);
        offset += data[i].size();
    }
    for (auto& d : data) w.bytes.insert(w.bytes.end(), d.begin(), d.end());
    return w.bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        fprintf(stderr, "usage: artwork OUTDIR\nwrites the setup program's pictures into OUTDIR\n");
        return argc == 2 ? 0 : 2;
    }
    std::string dir = argv[1];
    std::string icon = dir + "/setup.ico";
    if (!Save(icon, IconFile({DrawOrb(32), DrawOrb(16)}))) {
        fprintf(stderr, "artwork: cannot write %s\n", icon.c_str());
        return 1;
    }
    return 0;
}
