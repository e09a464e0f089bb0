// The plug-in directory dialog: proposes a directory (from the paint program's
// settings or by searching the drives), shows the space needed and free, lets
// the user browse, and accepts a directory only if it exists or can be made.
#pragma once
#include <windows.h>

enum { PATH_BUFFER = 160, KB_REQUIRED = 1300 };

INT_PTR CALLBACK PathDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// -d's directory (empty without it): proposed by the dialog, and a quiet
// installation's destination.
extern char gszDest[PATH_BUFFER];
// The directory to propose, into path (PATH_BUFFER bytes): -d's; else,
// searching, the paint program's setting, then its usual places on every
// drive, then c:\plugins; else path as it is.
void ProposePlugInDir(char* path);
// A plug-in directory as Continue takes it: tidied in place, and made when
// missing. EXIT_INSTALLED when it is taken, else EXIT_TOO_LONG or EXIT_BAD_PATH.
int CheckPlugInDir(char* path);
INT_PTR CALLBACK BadPathDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The paint program's "PlugInDirectory" setting; 1 when it is not empty.
int CheckINI(char* buffer);
// Searches every present drive from C: on for subpath (beginning with a
// backslash); 1 and the full path in result when found.
int testdir(const char* subpath, char* result);
// 1 when path is a full path on a drive ("c:\\...") or a share
// ("\\\\server\\share..."), holding only characters that file names can hold:
// a relative one would be taken from the current directory, which is the
// distribution disk.
int FullPath(const char* path);
// A typed path as Windows takes it, in place: forward slashes as backslashes,
// without leading blanks, trailing blanks and dots of its last name, or a
// backslash after it.
void TidyPath(char* path);
// 1 when path (leading blanks skipped) names an existing directory.
int validdir(const char* path);
// Free space of a drive (0 the current one, 1 A:, ... 26 Z:) in kilobytes; 0
// when it cannot be read.
unsigned long long freespace(int drive);
// A kilobyte count as megabytes with three decimals: 1300 -> "1.300 MB".
void freespacestr(unsigned long long kilobytes, char* buffer);
// The space free where path lies; a share's only when not typing (the field
// left, the dialog opened, a folder browsed).
void ShowFreeSpace(HWND hDlg, const char* path, bool typing = false);
int FindDir(HWND hDlg, char* path);

// Whether a drive letter (A to Z) is present.
bool DrivePresent(char letter);
