#pragma once

// The program's MFC-compatible layer over Win32: everything a dialog of the
// program needs, with MFC's names.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "Afx.h"
#include "CButton.h"
#include "CCmdTarget.h"
#include "CDC.h"
#include "CDialog.h"
#include "CDialogEx.h"
#include "CException.h"
#include "CFileDialog.h"
#include "CFolderPickerDialog.h"
#include "CGdiObject.h"
#include "CMFCVisualManager.h"
#include "CMemoryException.h"
#include "CMenu.h"
#include "CObject.h"
#include "CPoint.h"
#include "CRect.h"
#include "CShellManager.h"
#include "CSize.h"
#include "CString.h"
#include "CTime.h"
#include "CTimeSpan.h"
#include "CWinApp.h"
#include "CWinThread.h"
#include "CWnd.h"
