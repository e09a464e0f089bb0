// A host window for in-process control tests: a visible popup painted in a
// known colour, with the control library registered, and helpers that create
// controls in it, deliver input through the message queue and read pixels back
// from the screen.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../../controls/controls.h"
#include "../../controls/image/dibtex.h"
#include "scratch.h"
#include "setup.h"

const COLORREF kHostColour = RGB(0, 128, 64);

class Host : public ::testing::Test {
protected:
    HWND host = nullptr;
    HBRUSH brush = nullptr;

    void SetUp() override;
    void TearDown() override;

    // A child control of the host at client position (x, y).
    HWND Child(const char* cls, const char* text, int x, int y, int w, int h, int id = 100,
               DWORD style = WS_CHILD | WS_VISIBLE);
    template <class T>
    T* Object(HWND hwnd) {
        return static_cast<T*>(ControlMgr->GetWindowObject(hwnd));
    }

public:
    // Dispatches everything waiting, then lets the screen settle.
    static void Pump();

protected:
    // A mouse message as the queue delivers it, point in the window's client coordinates.
    static void Mouse(HWND hwnd, UINT msg, int x, int y);
    static COLORREF Pixel(HWND hwnd, int x, int y);
    // Every pixel of a window's client area as the screen shows it, row by row.
    static std::vector<COLORREF> Snapshot(HWND hwnd);
    // Client rectangle of a child in the host's client coordinates.
    RECT Placed(HWND child);
    // Every pixel of a window, frame and caption included, row by row.
    static std::vector<COLORREF> WindowSnapshot(HWND hwnd);
};

// A dialog template built in memory: MS Sans Serif 8, dialog units.
struct DlgItem {
    const char* cls;
    const char* text;
    short x, y, cx, cy;
    WORD id;
    DWORD style;
};
std::vector<WORD> DialogTemplate(const char* caption, short cx, short cy, const std::vector<DlgItem>& items);
// A modeless dialog owned by `owner`, from a template in memory or by name;
// its WM_COMMAND messages go to Commands::seen.
HWND ShowDialog(HWND owner, const std::vector<WORD>& tmpl);
HWND ShowDialog(HWND owner, const char* name);
// A tile pixel of a texture's tone at grid position (x, y).
COLORREF TilePixel(DIBTex* tex, int tone, int x, int y);

// Records the WM_COMMAND messages a window receives.
struct Commands {
    static std::vector<std::pair<WPARAM, LPARAM>> seen;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
