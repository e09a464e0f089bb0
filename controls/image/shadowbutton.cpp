#include "shadowbutton.h"

MyShadowButtonClass* MyShadowButton = nullptr;

MyShadowButtonClass::~MyShadowButtonClass() { UnregisterIfInit(); }

int MyShadowButtonClass::RegisterClassA() { return RegisterControlClass(IDC_ARROW, nullptr); }

char* MyShadowButtonClass::ClassName() {
    static char name[] = "OrbWeaveShadButt";
    return name;
}
