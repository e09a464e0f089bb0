// In the test programs, GDI misuse that the checked build notices (see
// controls/core/gdi.h) fails the test that caused it.
#include <gtest/gtest.h>

#include "../../controls/core/gdi.h"

static const gdicheck::Report kInstalled = gdicheck::SetReport([](const char* fault) { ADD_FAILURE() << fault; });
