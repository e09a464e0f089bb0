#include "sprite.h"

#include <cstdlib>

#include "../core/gdi.h"

Sprite::Sprite()
    : hImage(nullptr), hMask(nullptr), bm(), xLast(0), yLast(0), hSave(nullptr), fTransparent(0),
      crKey(0) {}

Sprite::~Sprite() {
    if (hImage) DeleteObjectChecked(hImage);
    if (hMask) DeleteObjectChecked(hMask);
    if (hSave) DeleteObjectChecked(hSave);
}

// Device capability of displays that draw transparent bitmaps themselves (from
// the printer driver interface; the Windows headers of this compiler lack it).
static const int CAPS1 = 94;
static const int C1_TRANSPARENT = 0x1;

HBITMAP BuildKeyMask(HDC screen, HBITMAP image, int width, int height, COLORREF key) {
    MemoryDC colour(screen), mono(screen);
    SelectedObject colourBitmap(colour, image);
    // Compatible with the mask context's initial bitmap: monochrome.
    HBITMAP mask = CreateCompatibleBitmap(mono, width, height);
    SelectedObject monoBitmap(mono, mask);
    // Colour to monochrome: the key colour becomes white, the rest black.
    SetBkColor(colour, key);
    BitBlt(mono, 0, 0, width, height, colour, 0, 0, SRCCOPY);
    // Monochrome to colour with black background and white text: the
    // key-coloured pixels of the image turn black, so SRCPAINT leaves the
    // destination there.
    SetBkColor(colour, RGB(0, 0, 0));
    SetTextColor(colour, RGB(255, 255, 255));
    BitBlt(colour, 0, 0, width, height, mono, 0, 0, SRCAND);
    return mask;
}

static HBITMAP LoadWith(BitmapLoader loader, void* hInstance, char* name) {
    return loader ? loader(hInstance, name) : LoadBitmapA(static_cast<HINSTANCE>(hInstance), name);
}

int Sprite::Load(void* hInstance, char* imageName, char* maskName, COLORREF key, int frames,
                 BitmapLoader loader) {
    hImage = LoadWith(loader, hInstance, imageName);
    if (hImage) GetObjectA(hImage, sizeof bm, &bm);
    if (maskName) {
        hMask = LoadWith(loader, hInstance, maskName);
    } else {
        HDC screen = GetDC(nullptr);
        if (GetDeviceCaps(screen, CAPS1) & C1_TRANSPARENT) {
            fTransparent = 1;
            crKey = key;
        } else if (hImage) {
            hMask = BuildKeyMask(screen, hImage, bm.bmWidth, bm.bmHeight, key);
        }
        ReleaseDC(nullptr, screen);
    }
    if (frames > 0) bm.bmWidth /= frames;
    hSave = nullptr;
    xLast = yLast = 0;
    return 1;
}

int Sprite::Draw(HDC dc, int x, int y, int frame) {
    // Nothing loaded, or no mask to draw it with: nothing to show.
    if (!hImage || (!fTransparent && !hMask)) return 1;
    MemoryDC mem(dc);
    if (!mem) return 1;
    int sx = frame * bm.bmWidth;
    if (!fTransparent) {
        SelectedObject bitmap(mem, hMask);
        BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, sx, 0, SRCAND);
        bitmap.Select(hImage);
        BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, sx, 0, SRCPAINT);
    } else {
        const int NEWTRANSPARENT = 3;  // the mode of devices that report C1_TRANSPARENT
        int oldMode = SetBkMode(dc, NEWTRANSPARENT);
        COLORREF oldBk = SetBkColor(dc, crKey);
        SelectedObject bitmap(mem, hImage);
        BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, sx, 0, SRCCOPY);
        SetBkColor(dc, oldBk);
        SetBkMode(dc, oldMode);
    }
    return 1;
}

int AnimateSaved(HDC dc, HBITMAP image, int x, int y, int w, int h, int extra, HBITMAP* save, int* xLast,
                 int* yLast, DrawSprite draw, void* context) {
    MemoryDC work(dc);
    if (!work) return 0;
    // The area both places take.
    RECT u = {x, y, x + w + extra, y + h + extra};
    if (*save) {
        u.left = x < *xLast ? x : *xLast;
        u.top = y < *yLast ? y : *yLast;
        u.right = u.left + abs(*xLast - x) + w + extra;
        u.bottom = u.top + abs(*yLast - y) + h + extra;
    }
    int uw = u.right - u.left, uh = u.bottom - u.top;
    HBITMAP compose;
    {
        // With the image selected, compatible bitmaps get its colour format.
        SelectedObject workBitmap(work, image);
        compose = CreateCompatibleBitmap(work, uw, uh);
        // Out of GDI memory: nothing drawn. Drawing on would copy the screen
        // into the image, still selected here.
        if (!compose) return 0;
        workBitmap.Select(compose);
        BitBlt(work, 0, 0, uw, uh, dc, u.left, u.top, SRCCOPY);
        {
            // Put back what the last place hid, and keep what the new one hides.
            MemoryDC saved(dc);
            SelectedObject savedBitmap(saved, *save ? *save : image);
            if (*save) {
                BitBlt(work, *xLast - u.left, *yLast - u.top, w, h, saved, 0, 0, SRCCOPY);
            } else {
                *save = CreateCompatibleBitmap(work, w, h);
                if (*save) savedBitmap.Select(*save);  // else the image would take the background
            }
            if (*save) {
                BitBlt(saved, 0, 0, w, h, work, x - u.left, y - u.top, SRCCOPY);
                *xLast = x;
                *yLast = y;
            }
        }
        if (*save) {
            draw(context, work, x - u.left, y - u.top);
            BitBlt(dc, u.left, u.top, uw, uh, work, 0, 0, SRCCOPY);
        }
    }
    DeleteObjectChecked(compose);  // deselected above
    return *save != nullptr;
}

void ForgetSaved(HDC dc, int restore, HBITMAP* save, int xLast, int yLast, int w, int h) {
    if (restore && *save) {
        MemoryDC mem(dc);
        if (mem) {
            SelectedObject bitmap(mem, *save);
            BitBlt(dc, xLast, yLast, w, h, mem, 0, 0, SRCCOPY);
        }
    }
    if (*save) DeleteObjectChecked(*save);
    *save = nullptr;
}

int Sprite::Animate(HDC dc, int x, int y, int frame) {
    if (!hImage) return 1;  // nothing loaded: nothing to show
    return AnimateSprite(this, dc, x, y, frame, 0);
}

int Sprite::AnimateDone(HDC dc, int restore) {
    ForgetSaved(dc, restore, &hSave, xLast, yLast, bm.bmWidth, bm.bmHeight);
    return 1;
}
