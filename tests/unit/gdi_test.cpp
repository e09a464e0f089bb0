// The scoped GDI helpers of the paint paths: each must put back what it
// replaced, however its scope is left.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../controls/core/gdi.h"

namespace {

HPALETTE TwoColourPalette() {
    struct {
        WORD version, count;
        PALETTEENTRY entries[2];
    } log = {0x300, 2, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
}

TEST(GdiHelpers, EachPutsBackWhatItReplacedOnEveryWayOut) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ bitmap0 = GetCurrentObject(mem, OBJ_BITMAP), pen0 = GetCurrentObject(mem, OBJ_PEN);
    HGDIOBJ palette0 = GetCurrentObject(mem, OBJ_PAL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HPALETTE palette = TwoColourPalette();
    auto paint = [&](bool early) {
        SelectedObject b(mem, bitmap);
        SelectedObject pen(mem, GetStockObject(WHITE_PEN));
        SelectedPalette p(mem, palette);
        EXPECT_EQ(GetCurrentObject(mem, OBJ_BITMAP), bitmap);
        EXPECT_EQ(GetCurrentObject(mem, OBJ_PAL), palette);
        pen.Select(GetStockObject(BLACK_PEN));  // a second select: the first one's predecessor comes back
        EXPECT_EQ(GetCurrentObject(mem, OBJ_PEN), GetStockObject(BLACK_PEN));
        if (early) return;
        SelectedPalette none(mem, nullptr);  // no palette: nothing selected, nothing put back
        EXPECT_EQ(GetCurrentObject(mem, OBJ_PAL), palette);
    };
    for (bool early : {true, false}) {
        paint(early);
        EXPECT_EQ(GetCurrentObject(mem, OBJ_BITMAP), bitmap0) << early;
        EXPECT_EQ(GetCurrentObject(mem, OBJ_PEN), pen0) << early;
        EXPECT_EQ(GetCurrentObject(mem, OBJ_PAL), palette0) << early;
    }
    EXPECT_TRUE(DeleteObject(bitmap));  // no longer selected anywhere
    EXPECT_TRUE(DeleteObject(palette));
    HDC made;
    {
        MemoryDC scoped(screen);
        made = scoped;
        EXPECT_EQ(GetObjectType(made), DWORD(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(made), 0u);  // deleted with its scope
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

std::vector<std::string> gFaults;

// The checked build's deletion: a selected object and a stock object are
// reported, an object put back is not.
TEST(GdiHelpers, DeletingASelectedOrStockObjectIsReported) {
    gdicheck::Report before = gdicheck::SetReport([](const char* fault) { gFaults.push_back(fault); });
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HBITMAP second = CreateCompatibleBitmap(screen, 4, 4);
    {
        MemoryDC mem(screen);
        SelectedObject selected(mem, bitmap);
        DeleteObjectChecked(bitmap);  // Windows refuses it; Wine deletes it once deselected
        selected.Select(second);
    }
    DeleteObjectChecked(second);
    DeleteObjectChecked(GetStockObject(BLACK_PEN));
    gdicheck::SetReport(before);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(gFaults.size(), 2u);
    EXPECT_NE(gFaults[0].find("still selected"), std::string::npos) << gFaults[0];
    EXPECT_NE(gFaults[1].find("stock"), std::string::npos) << gFaults[1];
}

}  // namespace
