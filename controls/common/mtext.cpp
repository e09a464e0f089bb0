#include "mtext.h"

MyMTextClass* MyMText = nullptr;

MyMTextClass::~MyMTextClass() { UnregisterIfInit(); }

int MyMTextClass::RegisterClassA() { return RegisterControlClass(IDC_ARROW, nullptr); }

char* MyMTextClass::ClassName() {
    static char name[] = "OrbWeaveMText";
    return name;
}
