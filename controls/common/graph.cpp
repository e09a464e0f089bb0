#include "graph.h"

MyGraphClass* MyGraph = nullptr;

MyGraphClass::~MyGraphClass() { UnregisterIfInit(); }

int MyGraphClass::RegisterClassA() { return RegisterControlClass(IDC_WAIT, nullptr); }

char* MyGraphClass::ClassName() {
    static char name[] = "OrbWeaveGraph";
    return name;
}
