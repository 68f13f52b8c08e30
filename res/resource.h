// Resource and command identifiers, shared by the .rc file and the program.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
// The dialog manager's own commands (as windows.h has them), for the code that
// decides commands without windows.h.
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_QUILL_DIALOG 146

// Icons
#define IDR_MAINFRAME 128
#define IDI_PIN_TOP 145
#define IDI_PIN_NOTOP 147
// The same pins drawn light enough for the dark theme's buttons
#define IDI_PIN_TOP_DARK 151
#define IDI_PIN_NOTOP_DARK 152
// docs/help.html, carried as data
#define IDR_HELP_PAGE 150

// Main window controls
#define IDC_EXPRESSION 1000
#define IDC_RESULT 1001
#define IDC_BTN_RESULT 1002
#define IDC_BTN_MENU 1019
#define IDC_BTN_TOP 1020

// About box controls
#define IDC_LINK_HOME 1016
#define IDC_LINK_MAIL 1017

// Popup menu commands
#define ID_FONT 20
#define ID_HELP_TOPICS 21
#define ID_ABOUT 22
#define ID_GROUP_DIGITS 23
#define ID_HISTORY 24
#define ID_CLEAR_HISTORY 25
#define ID_SEPARATOR_MAIN 26
#define ID_ROUND_AUTO 29
#define ID_ROUND_0 30
#define ID_ROUND_1 31
#define ID_ROUND_2 32
#define ID_ROUND_3 33
#define ID_ROUND_4 34
#define ID_ROUND_5 35
#define ID_ROUND_6 36
#define ID_ROUND_7 37
#define ID_ROUND_8 38
#define ID_ROUND_9 39
#define ID_ANGLE_DEGREES 40
#define ID_ANGLE_RADIANS 41
#define ID_FORMAT_DECIMAL 45
#define ID_FORMAT_OCTAL 46
#define ID_FORMAT_HEX 47
#define ID_FORMAT_EXPONENT 48
#define ID_FORMAT_LAST 49 // the Format group's range ends here; no item has it
#define ID_DECIMAL_AUTO 50
#define ID_DECIMAL_POINT 51
#define ID_DECIMAL_COMMA 52

// The history list's own menu
#define ID_LIST_COMPUTE 60
#define ID_LIST_INSERT 61
#define ID_LIST_REMOVE 62
