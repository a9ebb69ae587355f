// The monitor and device lists: typed text is undone; a pick replaces the
// source's engine, unless the source's record thread runs.
#include "GlintcastDlg.h"

#include "AudioCapture.h"
#include "Globals.h"
#include "RecorderGlobals.h"
#include "VideoCapture.h"

namespace {

constexpr wchar_t kInitFailedCaption[] = L"初始化失败";

} // namespace

bool CGlintcastDlg::RecordThreadRuns(HANDLE thread)
{
    return thread && WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
}

void CGlintcastDlg::UndoTypedText(int listId, int accepted)
{
    // The combo box has already dropped its selection for the typed text when it
    // tells us (CB_GETCURSEL gives CB_ERR), so the accepted one is put back.
    SendDlgItemMessage(listId, CB_SETCURSEL, static_cast<WPARAM>(accepted));
}

void CGlintcastDlg::OnCbnEditchangeScreen()
{
    UndoTypedText(IDC_SCREEN_LIST, m_nScreenSelection);
}

void CGlintcastDlg::OnCbnEditchangeOutputDevice()
{
    UndoTypedText(IDC_OUTPUT_DEVICE_LIST, m_nOutputDeviceSelection);
}

void CGlintcastDlg::OnCbnEditchangeInputDevice()
{
    UndoTypedText(IDC_INPUT_DEVICE_LIST, m_nInputDeviceSelection);
}

void CGlintcastDlg::OnCbnSelchangeScreen()
{
    const int item = static_cast<int>(SendDlgItemMessage(IDC_SCREEN_LIST, CB_GETCURSEL));
    if (item == CB_ERR)
        return;
    if (RecordThreadRuns(m_hVideoThread)) {
        SendDlgItemMessage(IDC_SCREEN_LIST, CB_SETCURSEL, static_cast<WPARAM>(m_nScreenSelection));
        return;
    }
    wchar_t text[16] = {};
    if (SendDlgItemMessage(IDC_SCREEN_LIST, CB_GETLBTEXTLEN, static_cast<WPARAM>(item)) < 16)
        SendDlgItemMessage(IDC_SCREEN_LIST, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    // The old duplication goes before a new one is made, for the same output too.
    delete g_videoCapture;
    g_videoCapture = nullptr;
    g_videoCapture = new VideoCapture(static_cast<UINT>(_wtoi(text)));
    m_nScreenSelection = item;
    if (g_videoCapture->m_hr != 0)
        MessageBox(MessageWithCode(kScreenEngineFailed, g_videoCapture->m_hr), kInitFailedCaption, MB_ICONQUESTION);
}

void CGlintcastDlg::OnCbnSelchangeOutputDevice()
{
    PickEndpoint(false);
}

void CGlintcastDlg::OnCbnSelchangeInputDevice()
{
    PickEndpoint(true);
}

void CGlintcastDlg::PickEndpoint(bool capture)
{
    const int listId = capture ? IDC_INPUT_DEVICE_LIST : IDC_OUTPUT_DEVICE_LIST;
    const int item = static_cast<int>(SendDlgItemMessage(listId, CB_GETCURSEL));
    if (item == CB_ERR)
        return;
    int& accepted = capture ? m_nInputDeviceSelection : m_nOutputDeviceSelection;
    if (RecordThreadRuns(capture ? m_hMicThread : m_hSystemAudioThread)) {
        SendDlgItemMessage(listId, CB_SETCURSEL, static_cast<WPARAM>(accepted));
        return;
    }
    const std::vector<std::wstring>& ids = capture ? g_captureDeviceIds : g_renderDeviceIds;
    const auto index = static_cast<size_t>(SendDlgItemMessage(listId, CB_GETITEMDATA, static_cast<WPARAM>(item)));
    AudioCapture*& engine = capture ? g_micCapture : g_systemAudioCapture;
    delete engine;
    engine = nullptr;
    engine = new AudioCapture(capture, index < ids.size() ? ids[index] : std::wstring());
    accepted = item;
    if (engine->m_hr != 0)
        MessageBox(MessageWithCode(capture ? kMicEngineFailed : kSystemAudioEngineFailed, engine->m_hr),
                   kInitFailedCaption, MB_ICONQUESTION);
}
