// The recording clock, the reset after every stop, and the two global hotkeys.
#include "GlintcastDlg.h"

#include "Globals.h"
#include "RecordingClock.h"
#include "SystemHooks.h"

namespace {

// Two tones of 100 ms: rising before a start, falling after a stop.
void PlayPair(DWORD first, DWORD second)
{
    Hooks().beep(first, 100);
    Hooks().beep(second, 100);
}

void PlayRisingPair()
{
    PlayPair(2000, 5000);
}

void PlayFallingPair()
{
    PlayPair(5000, 2000);
}

} // namespace

void CGlintcastDlg::OnTimer(UINT_PTR nIDEvent)
{
    CDialogEx::OnTimer(nIDEvent);
    if (!m_bClockRunning)
        return;
    if (g_stopRecording) {
        ResetAfterStop();
        return;
    }
    const ClockStep step = CountOneSecond(m_nTimeSeconds, m_bCountdown, m_bLimitLifted);
    m_nTimeSeconds = step.counter;
    SetDlgItemText(IDC_TIME_DISPLAY, FormatCounter(m_nTimeSeconds));
    if (step.timeUp)
        g_stopRecording = true;
}

void CGlintcastDlg::ResetAfterStop()
{
    KillTimer(ID_TIMER_CLOCK);
    m_bClockRunning = false;
    WaitForRecordThreads();
    m_bRecording = false;
    SetDlgItemText(IDC_START_STOP, L"开始录制");
    m_nTimeSeconds = 0;
    SetDlgItemText(IDC_TIME_DISPLAY, L"00:00:00");
    if (m_pRegionDlg->IsWindowVisible())
        m_pRegionDlg->ModifyStyleEx(WS_EX_TRANSPARENT, 0);
    if (m_bCountdown)
        PlayFallingPair();
}

void CGlintcastDlg::WaitForRecordThreads()
{
    for (HANDLE* thread : {&m_hVideoThread, &m_hSystemAudioThread, &m_hMicThread}) {
        if (!*thread)
            continue;
        WaitForSingleObject(*thread, INFINITE);
        CloseHandle(*thread);
        *thread = nullptr;
    }
}

void CGlintcastDlg::OnHotKey(UINT nHotKeyId, UINT, UINT nKey2)
{
    if (static_cast<int>(nHotKeyId) == m_nRecordHotKeyId && nKey2 == VK_F10) {
        StartStopWithTones();
    } else if (static_cast<int>(nHotKeyId) == m_nScreenshotHotKeyId && nKey2 == VK_F11 && m_bRecording &&
               g_screenshotReady) {
        g_screenshotRequested = true;
        g_screenshotReady = false;
    }
}

void CGlintcastDlg::StartStopWithTones()
{
    if (!m_bRecording)
        PlayRisingPair();
    ToggleRecording();
    if (!m_bRecording)
        PlayFallingPair();
}
