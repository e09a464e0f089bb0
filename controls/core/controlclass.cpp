#include "controlclass.h"

#include "control.h"

MyControlClass::MyControlClass() : nInit(0), hInstance(nullptr), hResInstance(nullptr) {}

MyControlClass::~MyControlClass() {}

void MyControlClass::UnregisterIfInit() {
    if (nInit > 0) UnregisterClassA(hInstance);
    nInit = 0;
}

int MyControlClass::Init(void* hInst, void* hResInst) {
    nInit++;
    hInstance = hInst;
    hResInstance = hResInst ? hResInst : hInst;
    return RegisterClassA();
}

int MyControlClass::Terminate(void* hInst) {
    if (--nInit > 0) return 0;
    nInit = 0;
    return UnregisterClassA(hInst);
}

int MyControlClass::UnregisterClassA(void* hInst) {
    return ::UnregisterClassA(ClassName(), static_cast<HINSTANCE>(hInst));
}

int MyControlClass::RegisterControlClass(LPCSTR cursor, ControlAllocator allocator) {
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MyControlWndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = static_cast<HINSTANCE>(hInstance);
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = ClassName();
    if (!::RegisterClassA(&wc)) return 0;
    return ControlMgr->AddAllocator(allocator);
}
