#include "chars.h"

char* LastCharOf(char* text, char c) {
    char* found = nullptr;
    for (char* p = text; *p; p = NextChar(p))
        if (*p == c) found = p;
    return found;
}

const char* LastChar(const char* text) {
    const char* last = text;
    for (const char* p = text; *p; p = NextChar(p)) last = p;
    return last;
}

int WholeChars(const char* text, int max) {
    const char* p = text;
    while (*p) {
        bool lead = IsDBCSLeadByte(static_cast<BYTE>(*p));
        if (lead && !p[1]) break;  // a lead byte whose trail was cut off
        if (p + (lead ? 2 : 1) - text > max) break;
        p += lead ? 2 : 1;
    }
    return int(p - text);
}

void DropPartialChar(char* text) { text[WholeChars(text, lstrlenA(text))] = '\0'; }

void CopyChars(char* dst, const char* src, int size) {
    if (size <= 0) return;
    int n = WholeChars(src, size - 1);
    CopyMemory(dst, src, n);
    dst[n] = '\0';
}

bool DoubleByteSystem() {
    for (int b = 0x81; b <= 0xFE; b++)
        if (IsDBCSLeadByte(BYTE(b))) return true;
    return false;
}

void LowerLetters(char* text) {
    for (char* p = text; *p; p = NextChar(p))
        if (*p >= 'A' && *p <= 'Z') *p = char(*p - 'A' + 'a');
}
