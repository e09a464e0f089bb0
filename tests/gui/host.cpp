#include "host.h"

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

void Host::Pump() {
    MyYield();
    GdiFlush();
    Sleep(20);
    MyYield();
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

std::vector<COLORREF> Host::Snapshot(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), rc.right, -rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HDC dc = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> out;
    for (int i = 0; i < rc.right * rc.bottom; i++) {
        DWORD p = static_cast<DWORD*>(bits)[i];
        out.push_back(RGB((p >> 16) & 255, (p >> 8) & 255, p & 255));
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
    return out;
}

RECT Host::Placed(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
