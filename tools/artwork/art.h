// The setup program's pictures, each returned as the bytes of its file.
#pragma once
#include <cstdint>
#include <vector>

using File = std::vector<uint8_t>;

File BlueTex();        // 128 x 128 tile, 8 bpp: dark blue, mottled
File OWSwirl();        // 128 x 128 tile, 8 bpp: orange and yellow swirls
File AlertPicture();   // 160 x 86, two frames, magenta key
File QuestionPicture();
File BulletPicture();  // 48 x 24, two frames, magenta key
File OkFace();         // 54 x 32, 4 bpp: "Ok" on magenta
File CancelFace();     // 78 x 20, 4 bpp: "Cancel" on magenta
File CheckBoxStrip();  // 180 x 22, 8 bpp: six tick frames, white key
File SetupIcon();      // 32 x 32 and 16 x 16, 16 colours
File VexarLogo();      // placeable metafile
