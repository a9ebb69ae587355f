// The system menu, the tray icon with its menu, the closing sequence and the
// session's end.
#include "GlintcastDlg.h"

#include "AboutDlg.h"
#include "AudioCapture.h"
#include "Globals.h"
#include "SystemHooks.h"
#include "VideoCapture.h"

void CGlintcastDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.SetBackgroundColor(RGB(255, 255, 255), TRUE);
        about.DoModal();
    } else if (nID == SC_MINIMIZE) {
        // The window goes into the tray instead of the taskbar.
        ShowWindow(SW_HIDE);
        if (!m_bInTray)
            AddTrayIcon();
    } else if (nID == IDD_MKVMUX) {
        OpenTool(m_dlgMkvMux, IDD_MKVMUX);
    } else if (nID == IDD_AUDIOMUX) {
        OpenTool(m_dlgAudioMux, IDD_AUDIOMUX);
    } else if (nID == IDD_RGBTOYUV420P) {
        OpenTool(m_dlgTranscode, IDD_RGBTOYUV420P);
    } else {
        CDialogEx::OnSysCommand(nID, lParam);
    }
}

void CGlintcastDlg::OpenTool(CDialog& tool, UINT nIDTemplate)
{
    if (!tool.GetSafeHwnd())
        tool.Create(nIDTemplate);
    tool.ShowWindow(SW_SHOW);
}

void CGlintcastDlg::AddTrayIcon()
{
    m_bInTray = Hooks().shellNotifyIcon(NIM_ADD, &m_nid) != FALSE;
    if (m_bInTray)
        return;
    // Hidden without an icon the window could be reached only by the hotkeys. The
    // icon lives only while the window is hidden: one the shell may still hold goes.
    Hooks().shellNotifyIcon(NIM_DELETE, &m_nid);
    ShowWindow(SW_MINIMIZE);
}

LRESULT CGlintcastDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_nTaskbarCreatedMessage && message != 0) {
        OnTaskbarCreated();
        return 0;
    }
    return CDialogEx::WindowProc(message, wParam, lParam);
}

void CGlintcastDlg::OnTaskbarCreated()
{
    // The new taskbar holds none of the old one's icons; a shown window has none.
    if (m_bInTray)
        AddTrayIcon();
}

LRESULT CGlintcastDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_nid.uID)
        return 0;
    if (lParam == WM_LBUTTONDBLCLK) {
        ShowWindow(SW_SHOW);
        Hooks().shellNotifyIcon(NIM_DELETE, &m_nid);
        m_bInTray = false;
        UpdateWindow();
    } else if (lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN) {
        ShowTrayMenu();
    }
    return 0;
}

void CGlintcastDlg::ShowTrayMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_TRAYMENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    POINT cursor = {};
    GetCursorPos(&cursor);
    // Without this the menu would not close when the user clicks elsewhere.
    SetForegroundWindow();
    if (pPopup)
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
    PostMessage(WM_NULL);
    menu.DestroyMenu();
}

void CGlintcastDlg::OnTrayStartStop()
{
    StartStopWithTones();
}

void CGlintcastDlg::OnTrayScreenshot()
{
    if (m_bRecording)
        g_screenshotRequested = true;
}

void CGlintcastDlg::OnTrayShowMain()
{
    Hooks().shellNotifyIcon(NIM_DELETE, &m_nid);
    m_bInTray = false;
    ShowWindow(SW_SHOW);
    UpdateWindow();
}

void CGlintcastDlg::OnTrayStopAndExit()
{
    PostMessage(WM_CLOSE);
}

void CGlintcastDlg::OnClose()
{
    CloseMainWindow();
}

void CGlintcastDlg::OnOK()
{
    CloseMainWindow();
}

void CGlintcastDlg::OnCancel()
{
    CloseMainWindow();
}

void CGlintcastDlg::CloseMainWindow()
{
    // A second request while the question is open, or after it, changes nothing.
    if (m_bClosing)
        return;
    m_bClosing = true;
    if (m_bRecording &&
        MessageBox(L"录制还在进行中，确定停止录制并退出吗?", L"提示", MB_YESNO | MB_ICONQUESTION) == IDNO) {
        m_bClosing = false;
        return;
    }
    Hooks().shellNotifyIcon(NIM_DELETE, &m_nid);
    m_bInTray = false;
    g_stopRecording = true;
    WaitForRecordThreads();
    for (AudioCapture** engine : {&g_systemAudioCapture, &g_micCapture}) {
        delete *engine;
        *engine = nullptr;
    }
    delete g_videoCapture;
    g_videoCapture = nullptr;
    CoUninitialize();
    Hooks().unregisterHotKey(m_hWnd, m_nRecordHotKeyId);
    Hooks().unregisterHotKey(m_hWnd, m_nScreenshotHotKeyId);
    CDialogEx::OnCancel();
}

void CGlintcastDlg::OnEndSession(BOOL bEnding)
{
    if (!bEnding)
        return;
    // The process may be ended as soon as this returns: the record loops finish
    // their files now, with no question, also while the closing question or the
    // MKV offer is open. What else the closing sequence does is left to a close
    // that may still come, so nothing goes twice; that close asks nothing, since
    // no recording runs any more.
    g_stopRecording = true;
    m_bRecording = false;
    WaitForRecordThreads();
}
