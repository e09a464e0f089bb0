// A one-frame transparent bitmap that casts a shadow: the face's silhouette,
// filled with the shadow tone of a texture (aligned with its tiles) or black.
// Animate moves face and shadow flicker-free over what lies on the screen.
#pragma once
#include <windows.h>

#include "../core/resload.h"
#include "dibtex.h"

typedef DIBTex* (*TextureSource)(void* arg);

class ShadowSprite {
public:
    HBITMAP hImage;   // the face, transparent pixels black
    HBITMAP hMask;    // white where the face is transparent
    BITMAP bm;
    int nShadow;      // S: the largest distance of the shadow from the face
    TextureSource pfnTexture;
    void* pTextureArg;
    int xTexture, yTexture;  // the owner's client origin in the tile grid
    int xLast, yLast;
    HBITMAP hSave;    // what lay under the face at (xLast, yLast)

    ShadowSprite();
    ~ShadowSprite();
    ShadowSprite(const ShadowSprite&) = delete;
    ShadowSprite& operator=(const ShadowSprite&) = delete;

    int Load(void* hInstance, char* name, COLORREF key, int shadow, BitmapLoader loader);
    int ShadowTexture(TextureSource source, void* arg, int x, int y);
    // Face at (x, y), shadow at (x + depth, y + depth); nothing saved.
    int Draw(HDC dc, int x, int y, int depth);
    // Moves face and shadow to (x, y) in one copy, restoring the face's old place.
    int Animate(HDC dc, int x, int y, int depth);
    int AnimateDone(HDC dc, int restore);
};
