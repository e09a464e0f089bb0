#include "alertwatch.h"

AlertWatch::AlertWatch(UINT reply) : reply_(reply), thread_(&AlertWatch::Run, this) {}

AlertWatch::~AlertWatch() { Seen(); }

std::vector<SeenAlert> AlertWatch::Seen() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
}

void AlertWatch::Run() {
    DWORD self = GetCurrentProcessId();
    while (!stop_) {
        HWND alert = FindWindowA(nullptr, "Alert!");
        DWORD pid = 0;
        if (alert) GetWindowThreadProcessId(alert, &pid);
        if (alert && pid == self && IsWindowVisible(alert)) {
            SeenAlert a;
            char text[300] = "";
            GetDlgItemTextA(alert, 101, text, sizeof text);
            a.text = text;
            GetWindowRect(alert, &a.rect);
            a.owner = GetWindow(alert, GW_OWNER);
            seen_.push_back(a);
            if (reply_ == WM_CLOSE)
                PostMessageA(alert, WM_CLOSE, 0, 0);
            else
                PostMessageA(alert, WM_COMMAND, IDOK, 0);
            while (IsWindow(alert) && !stop_) Sleep(5);
            answered_++;
        }
        Sleep(10);
    }
}
