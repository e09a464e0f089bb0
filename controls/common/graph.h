// The progress graph: a percentage bar with its label in inverse video.
#pragma once
#include "../core/controlclass.h"

class MyGraphClass : public MyControlClass {
public:
    ~MyGraphClass() override;
    int RegisterClassA() override;
    char* ClassName() override;
};

extern MyGraphClass* MyGraph;
