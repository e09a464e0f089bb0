#include "shadowsprite.h"

#include "../core/gdi.h"
#include "sprite.h"

ShadowSprite::ShadowSprite()
    : hImage(nullptr), hMask(nullptr), bm(), nShadow(0), pfnTexture(nullptr), pTextureArg(nullptr), xTexture(0),
      yTexture(0), xLast(0), yLast(0), hSave(nullptr) {}

ShadowSprite::~ShadowSprite() {
    if (hImage) DeleteObjectChecked(hImage);
    if (hMask) DeleteObjectChecked(hMask);
    if (hSave) DeleteObjectChecked(hSave);
}

int ShadowSprite::Load(void* hInstance, char* name, COLORREF key, int shadow, BitmapLoader loader) {
    hImage = loader ? loader(hInstance, name) : LoadBitmapA(static_cast<HINSTANCE>(hInstance), name);
    if (hImage) GetObjectA(hImage, sizeof bm, &bm);
    nShadow = shadow;
    if (hImage) {
        HDC screen = GetDC(nullptr);
        hMask = BuildKeyMask(screen, hImage, bm.bmWidth, bm.bmHeight, key);
        ReleaseDC(nullptr, screen);
    }
    hSave = nullptr;
    xLast = yLast = 0;
    return 1;
}

int ShadowSprite::ShadowTexture(TextureSource source, void* arg, int x, int y) {
    pfnTexture = source;
    pTextureArg = arg;
    xTexture = x;
    yTexture = y;
    return source ? 1 : 0;
}

int ShadowSprite::Draw(HDC dc, int x, int y, int depth) {
    if (!hImage || !hMask) return 1;  // no face, or no mask to draw it with
    int w = bm.bmWidth, h = bm.bmHeight;
    MemoryDC m(dc);
    if (!m) return 1;
    SelectedObject bitmap(m, hMask);
    // The silhouette goes black first, so drawing the shadow again over itself
    // gives the same pixels.
    BitBlt(dc, x + depth, y + depth, w, h, m, 0, 0, SRCAND);
    DIBTex* tex = pfnTexture ? pfnTexture(pTextureArg) : nullptr;
    HDC screen = tex ? GetDC(nullptr) : nullptr;
    HBITMAP t = screen ? CreateCompatibleBitmap(screen, w, h) : nullptr;
    if (t) {
        {
            MemoryDC n(static_cast<HDC>(m));
            SelectedObject shadow(n, t);
            BitBlt(n, 0, 0, w, h, m, 0, 0, NOTSRCCOPY);  // white where the face is opaque
            RECT area = {0, 0, w, h};
            tex->TexMap(n, xTexture + nShadow, yTexture + nShadow, area, TONE_SHADOW, SRCAND);
        }
        bitmap.Select(t);
        BitBlt(dc, x + depth, y + depth, w, h, m, 0, 0, SRCPAINT);
        bitmap.Select(hMask);
        DeleteObjectChecked(t);  // deselected just now
    }
    if (screen) ReleaseDC(nullptr, screen);
    BitBlt(dc, x, y, w, h, m, 0, 0, SRCAND);
    bitmap.Select(hImage);
    BitBlt(dc, x, y, w, h, m, 0, 0, SRCPAINT);
    return 1;
}

int ShadowSprite::Animate(HDC dc, int x, int y, int depth) {
    if (!hImage) return 1;
    // Only the face's own area is saved: the shadow stays and is drawn again over itself.
    return AnimateSprite(this, dc, x, y, depth, nShadow);
}

int ShadowSprite::AnimateDone(HDC dc, int restore) {
    ForgetSaved(dc, restore, &hSave, xLast, yLast, bm.bmWidth, bm.bmHeight);
    return 1;
}
