#include "texdlg.h"

MyTexDlgClass* MyTexDlg = nullptr;

MyTexDlgClass::~MyTexDlgClass() { UnregisterIfInit(); }

int MyTexDlgClass::RegisterClassA() { return RegisterControlClass(IDC_ARROW, nullptr); }

char* MyTexDlgClass::ClassName() {
    static char name[] = "OrbWeaveTexDlg";
    return name;
}
