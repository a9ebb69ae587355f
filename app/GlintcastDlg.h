#pragma once

#include "AUDIOMUX.h"
#include "Framework.h"
#include "MKVMUX.h"
#include "RGBtoYUV420p.h"
#include "RecordParams.h"
#include "RegionDlg.h"
#include "XPButton.h"
#include "resource.h"

#include <mmdeviceapi.h>

#include <memory>

// The tray icon's callback message.
#define WM_TRAYNOTIFY (WM_USER + 1)
// The ids under which Ctrl+F10 and Ctrl+F11 are registered.
#define ID_HOTKEY_RECORD 1
#define ID_HOTKEY_SCREENSHOT 2
// The recording clock: the main window's one timer.
#define ID_TIMER_CLOCK 1

// The program's main window. Its implementation is split by concern:
// GlintcastDlg.cpp (the object, painting), GlintcastDlgOpening.cpp (the opening),
// GlintcastDlgRecording.cpp (start and stop), GlintcastDlgClock.cpp (the clock and
// the hotkeys), GlintcastDlgTray.cpp (system menu, tools, tray icon, closing and
// the session's end), GlintcastDlgOptions.cpp (the next recording's options),
// GlintcastDlgSources.cpp (the monitor and device lists).
class CGlintcastDlg : public CDialogEx
{
public:
    CGlintcastDlg();
    ~CGlintcastDlg() override;

    enum { IDD = IDD_MAIN_DIALOG };

    // Starts a recording when none runs, stops the running one otherwise; does
    // nothing between a stop command and the clock's reset.
    void ToggleRecording();

    CXPButton m_btnStartStop;
    CXPButton m_btnBrowseOutput;
    CXPButton m_btnSelectRegion;
    CXPButton m_btnSetTime;
    bool m_bRecording;
    bool m_bCountdown;
    UINT m_nTimeSeconds;
    std::unique_ptr<RegionDlg> m_pRegionDlg;
    int m_nRecordHotKeyId;
    int m_nScreenshotHotKeyId;
    HANDLE m_hMicThread;
    HANDLE m_hSystemAudioThread;
    HANDLE m_hVideoThread;
    AUDIOMUX m_dlgAudioMux;
    MKVMUX m_dlgMkvMux;
    RGBtoYUV420p m_dlgTranscode;
    HICON m_hIconSmall;
    HICON m_hIconLarge;
    NOTIFYICONDATAW m_nid;

protected:
    BOOL OnInitDialog() override;
    // Enter and Esc run the closing sequence.
    void OnOK() override;
    void OnCancel() override;
    // Also takes the taskbar's registered message, which has no fixed number for
    // the message map.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnClose();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnBnClickedStartStop();
    afx_msg void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTrayShowMain();
    afx_msg void OnTrayStopAndExit();
    afx_msg void OnTrayStartStop();
    afx_msg void OnTrayScreenshot();
    afx_msg void OnBnClickedBrowseOutput();
    afx_msg void OnBnClickedSelectRegion();
    afx_msg void OnBnClickedRecordScreen();
    afx_msg void OnBnClickedSetTime();
    afx_msg void OnCbnSelchangeScreen();
    afx_msg void OnCbnEditchangeScreen();
    afx_msg void OnCbnEditchangeOutputDevice();
    afx_msg void OnCbnSelchangeOutputDevice();
    afx_msg void OnCbnEditchangeInputDevice();
    afx_msg void OnCbnSelchangeInputDevice();

    DECLARE_MESSAGE_MAP()

private:
    // Opening.
    void BuildSystemMenu();
    void PrepareTrayData();
    bool ListMonitors();
    void ListEndpoints(EDataFlow flow);
    void RegisterHotKeys();
    void SetUpButtons();

    // Recording control.
    void StartRecording();
    void StopRecording();
    bool StartVideoSource(const CString& baseName);
    // Starts procedure on a copy of the block of its own; the new handle goes into *member.
    static void StartRecordThread(LPTHREAD_START_ROUTINE procedure, HANDLE* member);

    // Clock and hotkeys.
    void ResetAfterStop();
    void StartStopWithTones();
    // Waits for the record threads of the latest recording, video first, then
    // closes their handles.
    void WaitForRecordThreads();

    // Source selection: typed text undone (the field shows the accepted item
    // again, or nothing when there is none); a pick replaces the source's engine
    // unless its record thread runs.
    void UndoTypedText(int listId, int accepted);
    void PickEndpoint(bool capture);
    static bool RecordThreadRuns(HANDLE thread);

    // Tray and closing.
    // Adds the hidden window's icon; when the shell takes none, the window is
    // minimised instead, so that its taskbar button still reaches it.
    void AddTrayIcon();
    void OnTaskbarCreated();
    void ShowTrayMenu();
    // A tool has one window: made on the first pick, shown again on later ones.
    static void OpenTool(CDialog& tool, UINT nIDTemplate);
    void CloseMainWindow();

    // A failure message with its code as a signed decimal ("%ld").
    static CString MessageWithCode(LPCWSTR format, HRESULT hr);

    // The clock runs from an accepted start to the reset after the stop; with
    // m_bRecording it tells recording, stopping and idle apart.
    bool m_bClockRunning = false;
    // The latest confirmed time was 00:00:00, no limit: a running countdown counts
    // up until a new limit comes. Its direction, m_bCountdown, stays as the start
    // fixed it.
    bool m_bLimitLifted = false;
    // The closing sequence is past its question (or asking it): a second close
    // request does nothing.
    bool m_bClosing = false;
    // The window is hidden in the tray with its icon.
    bool m_bInTray = false;
    // The message a new taskbar sends to every top-level window ("TaskbarCreated").
    UINT m_nTaskbarCreatedMessage = 0;
    // Each list's accepted selection: the item whose engine is in use.
    int m_nScreenSelection = CB_ERR;
    int m_nOutputDeviceSelection = CB_ERR;
    int m_nInputDeviceSelection = CB_ERR;
};

// The messages of an engine that cannot be built, with its code as "%ld".
extern const wchar_t kScreenEngineFailed[];
extern const wchar_t kSystemAudioEngineFailed[];
extern const wchar_t kMicEngineFailed[];

// Whether the system is at least version major.minor with service pack
// servicePackMajor.
bool IsWindowsVersionOrGreater(WORD wMajorVersion, WORD wMinorVersion, WORD wServicePackMajor);

// Creates one device enumerator on its own thread and ends.
DWORD WINAPI DeviceEnumeratorThread(LPVOID lpParameter);

// The record threads' bodies; each gets its own copy of the recording's
// parameters (a RecordParams from new) and deletes it.
DWORD WINAPI VideoRecordThread(LPVOID lpParameter);
DWORD WINAPI SystemAudioRecordThread(LPVOID lpParameter);
DWORD WINAPI MicRecordThread(LPVOID lpParameter);
