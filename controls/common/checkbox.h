// The check box: a bitmap box with an animated tick and a label.
#pragma once
#include "../core/controlclass.h"

class MyCheckBoxClass : public MyControlClass {
public:
    ~MyCheckBoxClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyCheckBoxClass* MyCheckBox;
