// The texture carrier: an invisible control whose template text names a
// texture. It subclasses its dialog so that the client area is tiled with the
// texture and the frame gets mitred bevels (highlight top and left, shadow
// bottom and right), and publishes the texture on the dialog for other controls.
#pragma once
#include "../core/control.h"
#include "../core/controlclass.h"
#include "dibtex.h"

inline constexpr char kMyTexDlgName[] = "OrbWeaveTexDlg";
MyControlCtl* NewMyTexDlg(char* className);
class MyTexDlgClass : public MyControlClassOf<kMyTexDlgName, CURSOR_ARROW, NewMyTexDlg> {};
extern MyTexDlgClass* MyTexDlg;

// The painter of one textured dialog: owns its texture and bevel regions and
// holds the dialog's window procedure from before the subclassing.
class TexDlg {
public:
    HWND hDlg;
    HINSTANCE hInstance;
    HINSTANCE hResInstance;
    int nOption;
    int nReserved1, nReserved2;
    WNDPROC pfnOldProc;
    DIBTex tex;
    HRGN hrgnTop, hrgnBottom, hrgnLeft, hrgnRight;
    int nBorder;

    TexDlg(HWND dlg, HINSTANCE inst, HINSTANCE resInst, char* textureName, int option);
    ~TexDlg();
    TexDlg(const TexDlg&) = delete;
    TexDlg& operator=(const TexDlg&) = delete;

    int OnPaint();
    int OnNCPaint(HRGN update);
    // The bevels of the frame, into a window DC.
    void PaintFrame(HDC dc);
    void CalcRegions(RECT* window);
    void ClientRectToScreen(RECT* r);
};

class MyTexDlgCtl : public MyControlCtl {
public:
    TexDlg* pTexDlg;

    MyTexDlgCtl();
    ~MyTexDlgCtl() override;
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
};

LRESULT CALLBACK Tex_SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The texture a dialog publishes, or null.
DIBTex* DlgTexture(void* hDlg);
// Publishes (or, with null, withdraws) a dialog's texture. 0 on failure.
int SetDlgDIBTex(void* hDlg, DIBTex* tex);

// Bevel width of a window W wide whose client area is clientWidth wide.
int BevelWidth(int windowWidth, int clientWidth);
// The four mitred bevels of a W x H window with border d, in window
// coordinates: top, bottom, left, right, four corners each.
void BevelPolygons(int w, int h, int d, POINT out[4][4]);
