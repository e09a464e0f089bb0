#include "text.h"

MyTextClass* MyText = nullptr;

MyTextClass::~MyTextClass() { UnregisterIfInit(); }

int MyTextClass::RegisterClassA() { return RegisterControlClass(IDC_ARROW, nullptr); }

char* MyTextClass::ClassName() {
    static char name[] = "OrbWeaveText";
    return name;
}
