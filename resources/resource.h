// Resource identifiers shared by the program and its resource script.
#pragma once

// Dialog items (the dialogs' own ids; -1 items are never addressed).
#define IDC_PATH_EDIT       100
#define IDC_BROWSE          101
#define IDC_SPACE_REQUIRED  103
#define IDC_SPACE_FREE      104
#define IDC_ALERT_PICTURE   100
#define IDC_ALERT_TEXT      101
#define IDC_BADPATH_TEXT    101
#define IDC_PROGRESS        102
#define IDC_COPY_SOURCE     106
#define IDC_COPY_DEST       107
#define IDC_WIN31           2001
#define IDC_WINNT           2002
#define IDC_WIN95           2003

// Strings.
#define IDS_WELCOME         5000
#define IDS_CONTINUE_EXIT   5001
#define IDS_NOTE_16BIT      5002
#define IDS_WHERE_PLUGINS   5700
#define IDS_PATH_TOO_LONG   5701
#define IDS_DIR_TOO_LONG    5702
#define IDS_PATH_TOO_LONG_BYTES 5703
#define IDS_ENVIRONMENT     5800
#define IDS_PAINT_PROGRAMS  6000
#define IDS_LZ_INTERNAL     65533
#define IDS_LZ_DISK_FULL    65532
#define IDS_LZ_NO_MEMORY    65531
#define IDS_LZ_CANNOT_OPEN  65535
#define IDS_DISK_DAMAGED    65526  // kDiskDamaged (-10), as the LZ codes
