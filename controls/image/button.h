// The bitmap button: a picture of side-by-side frames that tracks the mouse and reports clicks.
#pragma once
#include "../core/controlclass.h"

class MyButtonClass : public MyControlClass {
public:
    ~MyButtonClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyButtonClass* MyButton;
