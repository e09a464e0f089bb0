// The frame control: a sunken 3-D box.
#pragma once
#include "../core/controlclass.h"

class MyFrameClass : public MyControlClass {
public:
    ~MyFrameClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyFrameClass* MyFrame;
