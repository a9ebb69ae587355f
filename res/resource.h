// Resource ids of the program, shared by the resource script and the code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_REGION 148
#define IDD_SETTIME 154
#define IDD_SETRESOLUTION 155

// Strings
#define IDS_ABOUTBOX 101

// Icons and bitmaps
#define IDR_MAINFRAME 128
#define IDI_SMALL_ICON 144
#define IDI_LARGE_ICON 145
#define IDB_ABOUT 151

// Controls of the about box
#define IDC_LINK_WEIBO 1011
#define IDC_LINK_UPDATE 1017
#define IDC_ABOUT_AUTHOR 1020

// Controls of the time dialog
#define IDC_TIME_EDIT 1002

// Controls of the preset picker
#define IDC_PRESET_LIST 1024
