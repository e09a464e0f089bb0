#include "checkbox.h"

MyCheckBoxClass* MyCheckBox = nullptr;

MyCheckBoxClass::~MyCheckBoxClass() { UnregisterIfInit(); }

int MyCheckBoxClass::RegisterClassA() { return RegisterControlClass(IDC_ARROW, nullptr); }

char* MyCheckBoxClass::ClassName() {
    static char name[] = "OrbWeaveCheckBox";
    return name;
}
