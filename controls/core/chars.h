// Texts and paths as sequences of characters. On the double-byte code pages
// of the Far East editions (932, 936, 949, 950) a lead byte and the byte after
// it are one character, and that byte can equal a letter, a backslash or "|":
// a text is walked from its start one character at a time, never byte by
// byte and never backwards. On a single-byte code page a character is a byte.
#pragma once
#include <windows.h>

// Where the character after the one at p begins (p at the terminator stays).
inline const char* NextChar(const char* p) {
    if (!*p) return p;
    return p + (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] ? 2 : 1);
}
inline char* NextChar(char* p) { return const_cast<char*>(NextChar(static_cast<const char*>(p))); }

// The last character of text that is the single-byte c, or null.
char* LastCharOf(char* text, char c);
// The start of text's last character, or text itself when it is empty.
const char* LastChar(const char* text);
// The bytes of text's whole characters that fit in max bytes: where a text
// cut to max bytes must end so that no lead byte is left without its trail.
int WholeChars(const char* text, int max);
// Ends text after its last whole character: what a copy cut short left.
void DropPartialChar(char* text);
// Copies as many whole characters of src as dst, of size bytes, can hold.
void CopyChars(char* dst, const char* src, int size);
// Whether the system's code page has double-byte characters (932, 936, 949, 950).
bool DoubleByteSystem();
// Lowers A to Z in place; every other character stays as it is.
void LowerLetters(char* text);
