// The texture carrier: an invisible control that paints its dialog's client area and frame with a texture.
#pragma once
#include "../core/controlclass.h"

class MyTexDlgClass : public MyControlClass {
public:
    ~MyTexDlgClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyTexDlgClass* MyTexDlg;
