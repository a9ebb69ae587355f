// Resource ids of the program, shared by the resource script and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_MAIN_DIALOG 102
#define IDD_REGION 148
#define IDD_SETTIME 154
#define IDD_SETRESOLUTION 155

// Strings
#define IDS_ABOUTBOX 101
#define IDP_OLE_INIT_FAILED 111

// Icons and bitmaps
#define IDR_MAINFRAME 128
#define IDI_SMALL_ICON 144
#define IDI_LARGE_ICON 145
#define IDB_ABOUT 151

// The tray icon's pop-up menu and its commands
#define IDR_TRAYMENU 140
#define ID_TRAY_SHOWMAIN 32775
#define ID_TRAY_STARTSTOP 32776
#define ID_TRAY_STOPEXIT 32777
#define ID_TRAY_SCREENSHOT 32778

// Entries the main window adds to its system menu: the three converter tools
// (numbered as their templates) and the about box
#define IDM_ABOUTBOX 0x0010
#define IDD_AUDIOMUX 162
#define IDD_MKVMUX 163
#define IDD_RGBTOYUV420P 167

// Controls of the main window
#define IDC_RECORD_SYSTEM_AUDIO 1000
#define IDC_OUTPUT_DIR 1002
#define IDC_BROWSE_OUTPUT 1003
#define IDC_SELECT_REGION 1004
#define IDC_DRAW_CURSOR 1005
#define IDC_FRAME_RATE 1006
#define IDC_START_STOP 1007
#define IDC_RECORD_MIC 1016
#define IDC_TIME_DISPLAY 1019
#define IDC_RECORD_SCREEN 1021
#define IDC_SET_TIME 1022
#define IDC_SCREEN_LIST 1031
#define IDC_OUTPUT_DEVICE_LIST 1032
#define IDC_INPUT_DEVICE_LIST 1033

// Controls of the about box
#define IDC_LINK_WEIBO 1011
#define IDC_LINK_UPDATE 1017
#define IDC_ABOUT_AUTHOR 1020

// Controls of the time dialog
#define IDC_TIME_EDIT 1002

// Controls of the preset picker
#define IDC_PRESET_LIST 1024

// Controls of the converter tools
#define IDC_TOOL_FIRST_PATH 1002
#define IDC_TOOL_BROWSE_FIRST 1004
#define IDC_TOOL_RATE 1006
#define IDC_TOOL_BROWSE_SECOND 1022
#define IDC_TOOL_SECOND_PATH 1028
