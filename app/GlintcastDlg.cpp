// The main window: the object, its message map and its painting.
#include "GlintcastDlg.h"

BEGIN_MESSAGE_MAP(CGlintcastDlg, CDialogEx)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_BROWSE_OUTPUT, &CGlintcastDlg::OnBnClickedBrowseOutput)
    ON_BN_CLICKED(IDC_START_STOP, &CGlintcastDlg::OnBnClickedStartStop)
    ON_WM_HOTKEY()
    ON_MESSAGE(WM_TRAYNOTIFY, &CGlintcastDlg::OnTrayNotify)
    ON_COMMAND(ID_TRAY_SHOWMAIN, &CGlintcastDlg::OnTrayShowMain)
    ON_COMMAND(ID_TRAY_STOPEXIT, &CGlintcastDlg::OnTrayStopAndExit)
    ON_COMMAND(ID_TRAY_STARTSTOP, &CGlintcastDlg::OnTrayStartStop)
    ON_COMMAND(ID_TRAY_SCREENSHOT, &CGlintcastDlg::OnTrayScreenshot)
    ON_BN_CLICKED(IDC_SELECT_REGION, &CGlintcastDlg::OnBnClickedSelectRegion)
    ON_BN_CLICKED(IDC_RECORD_SCREEN, &CGlintcastDlg::OnBnClickedRecordScreen)
    ON_BN_CLICKED(IDC_SET_TIME, &CGlintcastDlg::OnBnClickedSetTime)
    ON_CBN_SELCHANGE(IDC_SCREEN_LIST, &CGlintcastDlg::OnCbnSelchangeScreen)
    ON_CBN_EDITCHANGE(IDC_SCREEN_LIST, &CGlintcastDlg::OnCbnEditchangeScreen)
    ON_CBN_EDITCHANGE(IDC_OUTPUT_DEVICE_LIST, &CGlintcastDlg::OnCbnEditchangeOutputDevice)
    ON_CBN_SELCHANGE(IDC_OUTPUT_DEVICE_LIST, &CGlintcastDlg::OnCbnSelchangeOutputDevice)
    ON_CBN_EDITCHANGE(IDC_INPUT_DEVICE_LIST, &CGlintcastDlg::OnCbnEditchangeInputDevice)
    ON_CBN_SELCHANGE(IDC_INPUT_DEVICE_LIST, &CGlintcastDlg::OnCbnSelchangeInputDevice)
    ON_WM_ENDSESSION()
END_MESSAGE_MAP()

CGlintcastDlg::CGlintcastDlg()
    : CDialogEx(IDD_MAIN_DIALOG),
      m_bRecording(false),
      m_bCountdown(false),
      m_nTimeSeconds(0),
      m_pRegionDlg(std::make_unique<RegionDlg>()),
      m_nRecordHotKeyId(ID_HOTKEY_RECORD),
      m_nScreenshotHotKeyId(ID_HOTKEY_SCREENSHOT),
      m_hMicThread(nullptr),
      m_hSystemAudioThread(nullptr),
      m_hVideoThread(nullptr),
      m_dlgAudioMux(),
      m_dlgMkvMux(),
      m_dlgTranscode(),
      m_hIconSmall(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_SMALL_ICON))),
      m_hIconLarge(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_LARGE_ICON))),
      m_nid()
{
}

CGlintcastDlg::~CGlintcastDlg()
{
    // The closing sequence has waited for the threads; what it left open is
    // closed here, once.
    for (HANDLE* thread : {&m_hVideoThread, &m_hSystemAudioThread, &m_hMicThread}) {
        if (*thread)
            CloseHandle(*thread);
        *thread = nullptr;
    }
}

void CGlintcastDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialogEx::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(client);
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIconSmall);
}

HCURSOR CGlintcastDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIconSmall);
}

CString CGlintcastDlg::MessageWithCode(LPCWSTR format, HRESULT hr)
{
    CString text;
    text.Format(format, static_cast<long>(hr));
    return text;
}
