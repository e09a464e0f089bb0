// The multi-line text control: word-wrapped text from the template or the string table.
#pragma once
#include "../core/controlclass.h"

class MyMTextClass : public MyControlClass {
public:
    ~MyMTextClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyMTextClass* MyMText;
