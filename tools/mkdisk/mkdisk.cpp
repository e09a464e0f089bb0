// mkdisk: compresses files into the LZ format the setup program expands and
// lays out its distribution disk. See Usage() for the command line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

#include "filetable.h"
#include "sums.h"
#include "szdd.h"

namespace {

void Usage(FILE* to) {
    fprintf(to,
            "usage: mkdisk [--setup SETUP.EXE] PAYLOAD_DIR DISK_DIR\n"
            "       mkdisk --compress INPUT OUTPUT\n"
            "       mkdisk --sample PAYLOAD_DIR\n"
            "       mkdisk --names\n"
            "\n"
            "Lays out an Orb Weave distribution disk in DISK_DIR: the setup program (with\n"
            "--setup) and the %d files of its file table, each compressed in the SZDD format\n"
            "that the Windows LZ expansion library reads. PAYLOAD_DIR holds each file\n"
            "uncompressed, under the name it has on the disk (msvcrt20._ll, vxfila32._bf, ...);\n"
            "the header keeps the last character of its installed name. Each compressed file\n"
            "gets its payload file's last-write time, which setup.exe gives the installed file.\n"
            "The disk also gets %s: each file's size and CRC-32 once expanded, which\n"
            "setup.exe checks before it puts a file in place (dated as the newest file).\n"
            "A payload file that is already compressed (SZDD) is refused, and so is DISK_DIR\n"
            "as PAYLOAD_DIR; then nothing is written.\n"
            "\n"
            "--compress  compresses one file; the header keeps INPUT's last character\n"
            "            (none when that character takes several bytes)\n"
            "--compress-exhaustive  the same, searching every earlier match (slow; a check)\n"
            "--sample    writes a sample payload (stand-in files, marked as such), dated\n"
            "            SOURCE_DATE_EPOCH (seconds since 1970), which must be set\n"
            "--names     prints the disk names of the file table, one a line\n"
            "\n"
            "A 1.44 MB floppy image of a disk (FAT12, 8.3 names in upper case) is made with\n"
            "Debian's mtools by tools/mkdisk/mkfloppy.sh DISK_DIR IMAGE; so from a real payload:\n"
            "  mkdisk --setup build/dist/win32/setup.exe PAYLOAD_DIR DISK_DIR\n"
            "  tools/mkdisk/mkfloppy.sh DISK_DIR orbweave.img\n"
            "\n"
            "Exit codes: 0 done, 1 a file is missing, unreadable, unwritable, already\n"
            "compressed or too large for LZ32 (2 GB - 1 at most), 2 bad command line.\n",
            gFiles, kSumsName);
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* data, timespec* written = nullptr) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        fprintf(stderr, "mkdisk: %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        fprintf(stderr, "mkdisk: %s: not a regular file\n", path.c_str());
        return false;
    }
    if (uint64_t(st.st_size) > szdd::kMaxInput) {
        fprintf(stderr, "mkdisk: %s: %lld bytes, more than LZ32 can expand (2 GB - 1)\n", path.c_str(),
                static_cast<long long>(st.st_size));
        return false;
    }
    if (written) *written = st.st_mtim;
    data->resize(size_t(st.st_size));
    FILE* f = fopen(path.c_str(), "rb");
    bool ok = f && fread(data->data(), 1, data->size(), f) == data->size();
    if (f) fclose(f);
    if (!ok) fprintf(stderr, "mkdisk: %s: cannot read\n", path.c_str());
    return ok;
}

// Writes a file dated written: a file's date is its release's, not the build's.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& data, const timespec& written) {
    // C stdio, not a stream: a stream's locale costs each start a millisecond.
    FILE* f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(data.data(), 1, data.size(), f) == data.size();
    if (f && fclose(f) != 0) ok = false;
    const timespec times[2] = {written, written};
    ok = ok && utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
    if (!ok) fprintf(stderr, "mkdisk: %s: cannot write\n", path.c_str());
    return ok;
}

// A payload file, read and checked before anything is written.
struct Input {
    std::vector<uint8_t> data;
    timespec written;
};

bool ReadInput(const std::string& path, Input* in) {
    if (!ReadFile(path, &in->data, &in->written)) return false;
    if (in->data.size() >= sizeof szdd::kMagic && memcmp(in->data.data(), szdd::kMagic, sizeof szdd::kMagic) == 0) {
        fprintf(stderr, "mkdisk: %s: already compressed (SZDD); give the file as it is to be installed\n",
                path.c_str());
        return false;
    }
    return true;
}

bool CompressFile(const Input& in, const std::string& out, char lastChar, const char* label,
                  bool exhaustive = false) {
    std::vector<uint8_t> packed;
    szdd::Compress(in.data, lastChar, &packed, exhaustive);
    if (!WriteFile(out, packed, in.written)) return false;
    double ratio = in.data.empty() ? 100.0 : 100.0 * double(packed.size()) / double(in.data.size());
    printf("%-14s %10zu -> %10zu bytes  %5.1f%%\n", label, in.data.size(), packed.size(), ratio);
    return true;
}

// The disk's list of what each file expands to (disk/sums.h), in the order
// of the file table, with DOS line ends for the people who read it there.
std::string SumsText(const std::vector<Input>& inputs) {
    std::string text = "; Orb Weave 2.0 distribution disk: what each file expands to.\r\n"
                       "; name, size in bytes, CRC-32 (hexadecimal)\r\n";
    char line[64];
    for (int i = 0; i < gFiles; i++) {
        const std::vector<uint8_t>& data = inputs[i].data;
        snprintf(line, sizeof line, "%s %zu %08x\r\n", gCopy[i].pszSource, data.size(),
                 unsigned(Crc32(0, data.data(), unsigned(data.size()))));
        text += line;
    }
    text += "; the CRC-32 of the lines above\r\n";
    snprintf(line, sizeof line, "end %08x\r\n", unsigned(Crc32(0, text.data(), unsigned(text.size()))));
    return text + line;
}

bool SameDirectory(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Stand-in content: text lines, tables and noise, about as compressible as a
// real plug-in. Deterministic, so the demo disk is the same on every build.
std::vector<uint8_t> SampleFile(const CopyEntry& row, size_t size, uint32_t seed) {
    std::string head = std::string("ORB WEAVE SAMPLE FILE - NOT A REAL PLUG-IN OR LIBRARY.\r\n") +
                       "It stands in for " + row.pszDest + " on the demo distribution disk.\r\n";
    std::vector<uint8_t> out(head.begin(), head.end());
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
    static const char* const words[] = {"filter", "weave", "orb", "pixel", "plug-in", "channel", "mask",
                                        "radius", "colour", "gradient", "tile", "swirl"};
    while (out.size() < size) {
        switch (next() % 4) {
        case 0:  // a line of text
            for (int i = 0; i < 8; i++) {
                const char* w = words[next() % 12];
                out.insert(out.end(), w, w + strlen(w));
                out.push_back(' ');
            }
            out.push_back('\r');
            out.push_back('\n');
            break;
        case 1:  // a table of small numbers
            for (int i = 0; i < 64; i++) out.push_back(uint8_t(i * (next() % 4)));
            break;
        case 2:  // padding
            out.insert(out.end(), 32 + next() % 96, 0);
            break;
        default:  // code-like noise
            for (int i = 0; i < 48; i++) out.push_back(uint8_t(next()));
        }
    }
    out.resize(size);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        Usage(stdout);
        return 0;
    }
    if (args.size() == 3 && (args[0] == "--compress" || args[0] == "--compress-exhaustive")) {
        const std::string& path = args[1];
        // The header holds one byte: a name ending in a character of several
        // bytes (UTF-8) has none to keep there, and keeps none.
        char last = path.empty() || static_cast<unsigned char>(path.back()) >= 0x80 ? 0 : path.back();
        Input in;
        return ReadInput(path, &in) && CompressFile(in, args[2], last, path.c_str(), args[0] != "--compress")
                   ? 0
                   : 1;
    }
    if (args.size() == 1 && args[0] == "--names") {
        for (int i = 0; i < gFiles; i++) printf("%s\n", gCopy[i].pszSource);
        return 0;
    }
    if (args.size() == 2 && args[0] == "--sample") {
        const char* epoch = getenv("SOURCE_DATE_EPOCH");
        char* end = nullptr;
        timespec release = {epoch ? time_t(strtoll(epoch, &end, 10)) : 0, 0};
        if (!epoch || !*epoch || *end) {
            fprintf(stderr, "mkdisk: --sample: SOURCE_DATE_EPOCH (the release date) is not set to a number\n");
            return 2;
        }
        for (int i = 0; i < gFiles; i++) {
            if (!WriteFile(args[1] + "/" + gCopy[i].pszSource, SampleFile(gCopy[i], 100000, 0x0B3 + i), release))
                return 1;
        }
        printf("mkdisk: sample payload of %d files in %s\n", gFiles, args[1].c_str());
        return 0;
    }
    std::string setup;
    if (args.size() >= 2 && args[0] == "--setup") {
        setup = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 2 || args[0].rfind("--", 0) == 0) {
        Usage(stderr);
        return 2;
    }
    const std::string &payload = args[0], &disk = args[1];
    if (SameDirectory(payload, disk)) {
        fprintf(stderr, "mkdisk: %s: the payload folder is the disk folder\n", payload.c_str());
        return 1;
    }
    // Every input is read and checked first: a refused one leaves no partial disk.
    Input exe;
    std::vector<Input> inputs(gFiles);
    bool ok = setup.empty() || ReadFile(setup, &exe.data, &exe.written);
    for (int i = 0; i < gFiles; i++) ok &= ReadInput(payload + "/" + gCopy[i].pszSource, &inputs[i]);
    if (!ok) return 1;
    if (!setup.empty()) {
        if (!WriteFile(disk + "/setup.exe", exe.data, exe.written)) return 1;
        printf("%-14s %10zu bytes\n", "setup.exe", exe.data.size());
    }
    timespec newest = {0, 0};
    for (int i = 0; i < gFiles; i++) {
        const char* dest = gCopy[i].pszDest;
        ok &= CompressFile(inputs[i], disk + "/" + gCopy[i].pszSource, dest[strlen(dest) - 1], gCopy[i].pszSource);
        const timespec& t = inputs[i].written;
        if (t.tv_sec > newest.tv_sec || (t.tv_sec == newest.tv_sec && t.tv_nsec > newest.tv_nsec)) newest = t;
    }
    // The list is of this release: dated as its newest file.
    std::string sums = SumsText(inputs);
    ok &= WriteFile(disk + "/" + kSumsName, std::vector<uint8_t>(sums.begin(), sums.end()), newest);
    printf("%-14s %10zu bytes\n", kSumsName, sums.size());
    return ok ? 0 : 1;
}
