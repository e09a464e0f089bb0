// The shadowed push button: a bitmap button floating over the dialog texture, casting a shadow, sinking when pressed.
#pragma once
#include "../core/controlclass.h"

class MyShadowButtonClass : public MyControlClass {
public:
    ~MyShadowButtonClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyShadowButtonClass* MyShadowButton;
