// The single-line text control: plain or outlined, left or right aligned.
#pragma once
#include "../core/controlclass.h"

class MyTextClass : public MyControlClass {
public:
    ~MyTextClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyTextClass* MyText;
