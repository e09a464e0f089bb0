// Draws the setup program's pictures procedurally and writes them in the
// formats its resource script takes. Same input, same bytes: no clock and no
// randomness beyond fixed seeds.
#include <cstdio>
#include <string>

#include "art.h"
#include "raster.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        fprintf(stderr, "usage: artwork OUTDIR\nwrites the setup program's pictures into OUTDIR\n");
        return argc == 2 ? 0 : 2;
    }
    const struct {
        const char* name;
        File (*draw)();
    } files[] = {
        {"bluetex.bmp", BlueTex},        {"owswirl.bmp", OWSwirl},
        {"alert.bmp", AlertPicture},     {"question.bmp", QuestionPicture},
        {"bullet.bmp", BulletPicture},   {"okbutton.bmp", OkFace},
        {"cancelbutton.bmp", CancelFace}, {"checkbox.bmp", CheckBoxStrip},
        {"setup.ico", SetupIcon},        {"vexarlogo.wmf", VexarLogo},
    };
    for (auto& f : files) {
        std::string path = std::string(argv[1]) + "/" + f.name;
        if (!Save(path, f.draw())) {
            fprintf(stderr, "artwork: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
