#include "frame.h"

MyFrameClass* MyFrame = nullptr;

MyFrameClass::~MyFrameClass() { UnregisterIfInit(); }

int MyFrameClass::RegisterClassA() { return RegisterControlClass(IDC_ARROW, nullptr); }

char* MyFrameClass::ClassName() {
    static char name[] = "OrbWeaveFrame";
    return name;
}
