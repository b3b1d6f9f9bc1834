#pragma once
// Resource identifiers of Veltra: dialog templates, controls, icons,
// bitmaps and strings. Shared by veltra.rc and the C++ code.

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_VELTRA_DIALOG 102
#define IDD_ALERT 135
#define IDD_REPLACE_QUESTION 138

// Icons, bitmaps, strings
#define IDR_MAINFRAME 128    // the program icon (32x32 and 16x16), loaded as the big icon
#define IDI_SMALL 137        // the second icon, loaded as the small icon
#define IDB_BANNER 133       // the banner picture at the top of the main dialog
#define IDS_ABOUTBOX 101     // "&About Veltra..." (system-menu item)

// System-menu command of the About item
#define IDM_ABOUTBOX 0x0010

// Main dialog controls
#define IDC_BROWSE_SOURCE 1000
#define IDC_SOURCE_EDIT 1001
#define IDC_SOURCE_GROUP 1002
#define IDC_DESTINATION_EDIT 1003
#define IDC_DESTINATION_GROUP 1004
#define IDC_BROWSE_DESTINATION 1005
#define IDC_START_COPY 1006
#define IDC_REPORT_EDIT 1007
#define IDC_ASK_BEFORE_OVERWRITE 1008
#define IDC_REPORT_GROUP 1009
#define IDC_ABOUT 1010
#define IDC_STATUS_TEXT 1012
#define IDC_BUSY_BAR 1013
#define IDC_PRINT_REPORT 1015
#define IDC_HELP_BUTTON 1016
#define IDC_WEBSITE 1018
#define IDC_STATISTICS_TEXT 1028
#define IDC_SKIP_UP_TO_DATE 1034

// Alert dialog
#define IDC_ALERT_MESSAGE 1024

// Replace question (its Replace, Skip and Stop Copy are IDYES, IDNO, IDCANCEL)
#define IDC_REPLACE_ALL 1041
#define IDC_SKIP_ALL 1042
#define IDC_REPLACE_NAME 1051
#define IDC_REPLACE_FOLDER 1052
#define IDC_REPLACE_EXISTING 1053
#define IDC_REPLACE_INCOMING 1054

// About dialog
#define IDC_ABOUT_WEBSITE 1029
#define IDC_LICENSE_TEXT 1031
#define IDC_USAGE_TEXT 1032

// Wine's and Windows' shared "ID_HELP" command
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
