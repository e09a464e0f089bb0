#include "gdi.h"

#ifdef OW_GDI_CHECKS
namespace gdicheck {

// The device contexts touched last. A handle may have been released and made
// again for another context since: asking that one what it holds is just as
// true a check.
static HDC gTouched[64];
static int gNext = 0;
static Report gReport = nullptr;

void Touched(HDC dc) {
    for (HDC known : gTouched)
        if (known == dc) return;
    gTouched[gNext] = dc;
    gNext = (gNext + 1) % 64;
}

static bool IsStock(HGDIOBJ object) {
    for (int i = 0; i <= DC_PEN; i++)
        if (GetStockObject(i) == object) return true;
    return false;
}

void Deleting(HGDIOBJ object) {
    if (!object || !gReport) return;
    if (IsStock(object)) {
        gReport("DeleteObject of a stock object");
        return;
    }
    DWORD type = GetObjectType(object);
    for (HDC dc : gTouched)
        if (dc && GetObjectType(dc) && GetCurrentObject(dc, UINT(type)) == object)
            gReport("DeleteObject of an object still selected into a device context");
}

Report SetReport(Report report) {
    Report old = gReport;
    gReport = report;
    return old;
}

}  // namespace gdicheck
#endif
