// Registration objects: one per custom window class. Each registers its window
// class with the shared control window procedure and lists the allocator that
// makes control objects for windows of that class.
#pragma once
#include "controlmgr.h"

class MyControlClass {
public:
    int nInit;            // Init calls not yet matched by Terminate
    void* hInstance;      // owns the window class
    void* hResInstance;   // controls of this class load bitmaps and strings here

    MyControlClass();
    MyControlClass(const MyControlClass&) = delete;
    MyControlClass& operator=(const MyControlClass&) = delete;

    // Registers the window class and lists the allocator; 0 on failure.
    virtual int RegisterClassA() = 0;
    // Counts up and registers (again); Windows refuses a second registration.
    virtual int Init(void* hInst, void* hResInst);
    // Counts down; unregisters when the count reaches 0.
    virtual int Terminate(void* hInst);
    virtual char* ClassName() = 0;
    virtual ~MyControlClass();

    int UnregisterClassA(void* hInst);
    // Where controls of this class load their bitmaps and strings from.
    void* ResInstance() const { return hResInstance ? hResInstance : hInstance; }

protected:
    // Unregisters a class still registered. Called from each derived destructor:
    // in the base destructor ClassName() no longer answers.
    void UnregisterIfInit();
    // The registration every control class shares: only the cursor and the
    // allocator differ.
    int RegisterControlClass(LPCSTR cursor, ControlAllocator allocator);
};

// The registration class of one control, which differs from the others only
// in its window class name, its cursor (an IDC_ number) and its allocator.
template <const char* Name, WORD Cursor, ControlAllocator Allocator>
class MyControlClassOf : public MyControlClass {
public:
    ~MyControlClassOf() override { UnregisterIfInit(); }
    int RegisterClassA() override { return RegisterControlClass(MAKEINTRESOURCEA(Cursor), Allocator); }
    char* ClassName() override { return const_cast<char*>(Name); }
};
// The cursors controls show: the arrow, or the hourglass (the progress graph).
enum : WORD { CURSOR_ARROW = 32512, CURSOR_WAIT = 32514 };
