#include "host.h"

#include "drive.h"

std::vector<std::pair<WPARAM, LPARAM>> Commands::seen;

LRESULT CALLBACK Commands::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        seen.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Host::SetUp() {
    ghInst = GetModuleHandleA(nullptr);
    Init_Controls();
    brush = CreateSolidBrush(kHostColour);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Commands::Proc;
    wc.hInstance = ghInst;
    wc.hbrBackground = brush;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "OWTestHost";
    RegisterClassA(&wc);
    host = CreateWindowA("OWTestHost", "host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                         ghInst, nullptr);
    Commands::seen.clear();
    Pump();
}

void Host::TearDown() {
    DestroyWindow(host);
    UnregisterClassA("OWTestHost", ghInst);
    DeleteObject(brush);
    Terminate_Controls();
}

HWND Host::Child(const char* cls, const char* text, int x, int y, int w, int h, int id, DWORD style) {
    HWND hwnd = CreateWindowA(cls, text, style, x, y, w, h, host, reinterpret_cast<HMENU>(INT_PTR(id)), ghInst,
                              nullptr);
    Pump();
    return hwnd;
}

static BOOL CALLBACK AnyNeedsPaint(HWND hwnd, LPARAM found) {
    *reinterpret_cast<bool*>(found) = NeedsPaint(hwnd);
    return !*reinterpret_cast<bool*>(found);
}

void Host::Pump() {
    // Until every window of this thread has painted what it was asked to.
    DWORD start = GetTickCount();
    bool pending;
    do {
        MyYield();
        pending = false;
        EnumThreadWindows(GetCurrentThreadId(), AnyNeedsPaint, reinterpret_cast<LPARAM>(&pending));
    } while (pending && GetTickCount() - start < 5000);
    GdiFlush();
}

void Host::Mouse(HWND hwnd, UINT msg, int x, int y) {
    WPARAM keys = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_MOUSEMOVE ? MK_LBUTTON : 0;
    PostMessageA(hwnd, msg, keys, MAKELPARAM(x, y));
    MyYield();
}

COLORREF Host::Pixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

// The pixels of a window's client area, or of the whole window, row by row.
static std::vector<COLORREF> Grab(HWND hwnd, bool whole) {
    RECT rc;
    if (whole)
        GetWindowRect(hwnd, &rc);
    else
        GetClientRect(hwnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HDC dc = whole ? GetWindowDC(hwnd) : GetDC(hwnd);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> out;
    for (int i = 0; i < w * h; i++) {
        DWORD p = static_cast<DWORD*>(bits)[i];
        out.push_back(RGB((p >> 16) & 255, (p >> 8) & 255, p & 255));
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
    return out;
}

std::vector<COLORREF> Host::Snapshot(HWND hwnd) { return Grab(hwnd, false); }

std::vector<COLORREF> Host::WindowSnapshot(HWND hwnd) { return Grab(hwnd, true); }

static void Put(std::vector<WORD>& t, const char* s) {
    do t.push_back(WORD(BYTE(*s))); while (*s++);
}

std::vector<WORD> DialogTemplate(const char* caption, short cx, short cy, const std::vector<DlgItem>& items) {
    std::vector<WORD> t;
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
    t.push_back(LOWORD(style));
    t.push_back(HIWORD(style));
    t.insert(t.end(), {0, 0, WORD(items.size()), 10, 10, WORD(cx), WORD(cy), 0, 0});
    Put(t, caption);
    t.push_back(8);
    Put(t, "MS Sans Serif");
    for (const DlgItem& it : items) {
        if (t.size() % 2) t.push_back(0);  // DWORD alignment
        t.insert(t.end(), {LOWORD(it.style), HIWORD(it.style), 0, 0, WORD(it.x), WORD(it.y), WORD(it.cx),
                           WORD(it.cy), it.id});
        Put(t, it.cls);
        Put(t, it.text);
        t.push_back(0);
    }
    return t;
}

static INT_PTR CALLBACK RecordingDlgProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        Commands::seen.push_back({wParam, lParam});
        return TRUE;
    }
    return FALSE;
}

HWND ShowDialog(HWND owner, const std::vector<WORD>& tmpl) {
    HWND dlg = CreateDialogIndirectParamA(ghInst, reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()), owner,
                                          RecordingDlgProc, 0);
    Host::Pump();
    return dlg;
}

HWND ShowDialog(HWND owner, const char* name) {
    HWND dlg = CreateDialogParamA(ghInst, name, owner, RecordingDlgProc, 0);
    Host::Pump();
    return dlg;
}

COLORREF TilePixel(DIBTex* tex, int tone, int x, int y) {
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, tex->hTiles[tone]);
    COLORREF c = GetPixel(mem, ((x % tex->nWidth) + tex->nWidth) % tex->nWidth,
                          ((y % tex->nHeight) + tex->nHeight) % tex->nHeight);
    SelectObject(mem, old);
    DeleteDC(mem);
    return c;
}

RECT Host::Placed(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

