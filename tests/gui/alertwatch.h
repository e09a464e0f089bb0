// Answers the program's alerts from a second thread, as a user would, and
// remembers what each showed.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

struct SeenAlert {
    std::string text;
    RECT rect;
    HWND owner;
};

class AlertWatch {
public:
    // reply: the message that answers each alert (WM_COMMAND with IDOK, or WM_CLOSE).
    explicit AlertWatch(UINT reply = WM_COMMAND);
    ~AlertWatch();
    // Stops the watching thread, waits for it, and gives what it saw.
    std::vector<SeenAlert> Seen();
    // How many alerts have been answered and are gone: what a test waits for,
    // since an alert answered at once may be gone before anyone else sees it.
    int Answered() const { return answered_; }

private:
    void Run();
    std::vector<SeenAlert> seen_;
    UINT reply_;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};
