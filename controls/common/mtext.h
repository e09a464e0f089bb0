// The multi-line text control: word-wrapped text in the shared font on light
// grey, centred or left-aligned. Template text: an optional leading "*"
// (left-aligned), then literal text or "~" and a string table number. After
// creation its own 300-byte buffer, not the window text, is the text of record.
#pragma once
#include "../core/control.h"
#include "../core/controlclass.h"

inline constexpr char kMyMTextName[] = "OrbWeaveMText";
MyControlCtl* NewMyMText(char* className);
class MyMTextClass : public MyControlClassOf<kMyMTextName, CURSOR_ARROW, NewMyMText> {};
extern MyMTextClass* MyMText;

enum { MTEXT_BUFFER = 300 };
// The number at the start of text as the C runtime's atol reads it: white
// space skipped, a sign, the decimal digits after it; past long's range,
// its nearest end. A "~" string number is read so.
long StringNumber(const char* text);

class MyMTextCtl : public MyControlCtl {
public:
    char* pText;   // MTEXT_BUFFER bytes, malloc'ed
    int fCentred;
    int fCreating;

    MyMTextCtl();
    ~MyMTextCtl() override;
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
    int OnEraseBackground(HDC hdc) override;
    int OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
