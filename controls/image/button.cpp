#include "button.h"

MyButtonClass* MyButton = nullptr;

MyButtonClass::~MyButtonClass() { UnregisterIfInit(); }

int MyButtonClass::RegisterClassA() { return RegisterControlClass(IDC_ARROW, nullptr); }

char* MyButtonClass::ClassName() {
    static char name[] = "OrbWeaveMyButt";
    return name;
}
