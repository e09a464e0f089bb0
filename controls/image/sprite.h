// A bitmap of equally wide frames side by side, drawn with a transparent key
// colour. Animate saves what lies under the sprite and puts it back before the
// next frame, so frames replace each other without flicker or trails.
#pragma once
#include <windows.h>

#include "../core/resload.h"

// The monochrome mask of a bitmap with a key colour (white where the key is)
// for drawing it with SRCAND then SRCPAINT; the key-coloured pixels of the
// bitmap itself are turned black for that. Made compatible with screen.
HBITMAP BuildKeyMask(HDC screen, HBITMAP image, int width, int height, COLORREF key);

// What both sprites share: drawing at a new place through an off-screen
// bitmap, with the background under the old place put back and the one under
// the new place saved, in a single copy to dc. (w, h) is the saved area;
// `extra` more pixels right and below are drawn but not saved. 0 when no
// memory device context can be had.
// draw(context, dc, x, y) draws the sprite at (x, y) of the work bitmap.
typedef void (*DrawSprite)(void* context, HDC dc, int x, int y);
int AnimateSaved(HDC dc, HBITMAP image, int x, int y, int w, int h, int extra, HBITMAP* save, int* xLast,
                 int* yLast, DrawSprite draw, void* context);
// AnimateSaved for a sprite s whose Draw(dc, x, y, arg) draws it, with its own
// image, size, saved background and last place.
template <class S>
int AnimateSprite(S* s, HDC dc, int x, int y, int arg, int extra) {
    struct Call {
        S* sprite;
        int arg;
        static void Draw(void* context, HDC work, int px, int py) {
            auto* c = static_cast<Call*>(context);
            c->sprite->Draw(work, px, py, c->arg);
        }
    } call = {s, arg};
    return AnimateSaved(dc, s->hImage, x, y, s->bm.bmWidth, s->bm.bmHeight, extra, &s->hSave, &s->xLast, &s->yLast,
                        Call::Draw, &call);
}
// Forgets a saved background, first copying it back to dc when restore is set.
void ForgetSaved(HDC dc, int restore, HBITMAP* save, int xLast, int yLast, int w, int h);

class Sprite {
public:
    HBITMAP hImage;     // all frames side by side
    HBITMAP hMask;      // white where transparent; null when the display does it
    BITMAP bm;          // after Load, bmWidth is one frame's width
    int xLast, yLast;   // where Animate drew last
    HBITMAP hSave;      // the background under (xLast, yLast), one frame in size
    int fTransparent;   // the display draws transparent bitmaps itself
    COLORREF crKey;

    Sprite();
    ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Loads the image (and a mask, or builds one from the key colour).
    int Load(void* hInstance, char* imageName, char* maskName, COLORREF key, int frames,
             BitmapLoader loader);
    // Draws one frame at (x, y) over what is there.
    int Draw(HDC dc, int x, int y, int frame);
    // Draws one frame at (x, y), restoring the background of the last place,
    // in one copy to dc. 0 when no memory device context can be had.
    int Animate(HDC dc, int x, int y, int frame);
    // Forgets the saved background, first putting it back when restore is set.
    int AnimateDone(HDC dc, int restore);
};
