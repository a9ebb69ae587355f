// Recording control: the start with its checks and record threads, the stop
// with the offer to pack the recording into MKV.
#include "GlintcastDlg.h"

#include "AudioCapture.h"
#include "FileExists.h"
#include "Globals.h"
#include "LaunchConverter.h"
#include "MkvCommand.h"
#include "RecordVideo.h"
#include "RecorderGlobals.h"
#include "RecordingNames.h"
#include "StartChecks.h"
#include "SystemHooks.h"
#include "VideoCapture.h"

#include <memory>

namespace {

constexpr wchar_t kFolderWrong[] = L"请检查输出目录是否正确！\r\n也可能是你权限不够，尝试使用管理员权限运行。";
constexpr wchar_t kFolderWrongCaption[] = L"你设置的输出文件夹错误";
constexpr wchar_t kRegionOutside[] = L"录制区域超界";
constexpr wchar_t kFrameRateWrong[] =
    L"你输入的帧率不是数字或低于10或高于120！\r\n\r\n帧率只能用阿拉伯整数表示！\r\n低于10帧...你确定录制出来能看吗？\r\n"
    L"高于60帧意义不大，还会有一系列性能问题，我不建议这样做，但我还是把上限改成了120！";
constexpr wchar_t kFrameRateWrongCaption[] = L"帧率设置错误";
constexpr wchar_t kOfferMkv[] =
    L"你需要马上封装成MKV吗？\r\r如果有录制麦克风声音将先混音。\r\r不会删除原文件,新建进程进行，不会阻塞软件，"
    L"可以马上再进行录制，但会影响性能";
constexpr wchar_t kConverterMissing[] = L"你是不是没有把ffmpeg.exe跟本软件放在一起啊？";
constexpr wchar_t kErrorCaption[] = L"错误";

bool Usable(const VideoCapture* engine)
{
    return engine && engine->m_hr == 0;
}

bool Usable(const AudioCapture* engine)
{
    return engine && engine->m_hr == 0;
}

// A handle of its own to a record thread, so that the stop can wait for it even
// when the clock's reset has closed the window's handle meanwhile.
struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

OwnedHandle DuplicateForWait(HANDLE thread)
{
    HANDLE copy = nullptr;
    if (thread)
        DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
    return OwnedHandle(copy);
}

// Each record thread owns the copy of the block it was started with.
std::unique_ptr<RecordParams> TakeParams(LPVOID lpParameter)
{
    CoInitializeEx(nullptr, COINIT_SPEED_OVER_MEMORY);
    return std::unique_ptr<RecordParams>(static_cast<RecordParams*>(lpParameter));
}

DWORD RecordSound(LPVOID lpParameter, bool microphone)
{
    std::unique_ptr<RecordParams> params = TakeParams(lpParameter);
    const std::wstring path = microphone ? params->micPath : params->systemAudioPath;
    params.reset();
    if (AudioCapture* engine = microphone ? g_micCapture : g_systemAudioCapture)
        engine->RecordToFlac(path);
    CoUninitialize();
    return 0;
}

} // namespace

DWORD WINAPI VideoRecordThread(LPVOID lpParameter)
{
    std::unique_ptr<RecordParams> params = TakeParams(lpParameter);
    const std::wstring path = params->videoPath;
    const int fps = params->fps;
    const bool drawCursor = params->drawCursor;
    const bool regionMode = params->regionMode;
    const RECT region = params->region;
    params.reset();
    RecordVideo(path, fps, drawCursor, regionMode, &region);
    CoUninitialize();
    return 0;
}

DWORD WINAPI SystemAudioRecordThread(LPVOID lpParameter)
{
    return RecordSound(lpParameter, false);
}

DWORD WINAPI MicRecordThread(LPVOID lpParameter)
{
    return RecordSound(lpParameter, true);
}

void CGlintcastDlg::OnBnClickedStartStop()
{
    ToggleRecording();
}

void CGlintcastDlg::ToggleRecording()
{
    if (m_bRecording)
        StopRecording();
    else if (!m_bClockRunning)  // a stopped recording is not reset yet: no start
        StartRecording();
}

void CGlintcastDlg::StartRecording()
{
    m_bCountdown = m_nTimeSeconds != 0;
    CString folder;
    GetDlgItemText(IDC_OUTPUT_DIR, folder);
    if (!OutputFolderReady(folder)) {
        MessageBox(kFolderWrong, kFolderWrongCaption, MB_OK);
        return;
    }
    g_stopRecording = false;
    folder = FolderWithBackslash(folder);
    g_outputDir = folder.GetString();
    const CString baseName = RecordingBaseName(folder, CTime::GetCurrentTime());
    g_recordParams = std::make_unique<RecordParams>();

    if (IsDlgButtonChecked(IDC_RECORD_SCREEN) == BST_CHECKED && Usable(g_videoCapture) &&
        !StartVideoSource(baseName))
        return;
    if (IsDlgButtonChecked(IDC_RECORD_SYSTEM_AUDIO) == BST_CHECKED && Usable(g_systemAudioCapture)) {
        g_recordParams->systemAudioPath = (baseName + kSystemAudioSuffix).GetString();
        StartRecordThread(SystemAudioRecordThread, &m_hSystemAudioThread);
    }
    if (IsDlgButtonChecked(IDC_RECORD_MIC) == BST_CHECKED && Usable(g_micCapture)) {
        g_recordParams->micPath = (baseName + kMicSuffix).GetString();
        StartRecordThread(MicRecordThread, &m_hMicThread);
    }
    SetDlgItemText(IDC_START_STOP, L"停止录制");
    m_bRecording = true;
    Hooks().setTimer(m_hWnd, ID_TIMER_CLOCK, 1000, nullptr);
    m_bClockRunning = true;
}

bool CGlintcastDlg::StartVideoSource(const CString& baseName)
{
    RecordParams& params = *g_recordParams;
    if (m_pRegionDlg->IsWindowVisible()) {
        params.regionMode = true;
        DXGI_OUTPUT_DESC desc = {};
        g_videoCapture->m_pOutput1->GetDesc(&desc);
        if (!RegionInMonitorPicture(m_pRegionDlg->m_rcRegion, desc.DesktopCoordinates, &params.region)) {
            MessageBox(kRegionOutside, kErrorCaption, MB_OK);
            return false;
        }
    }
    params.drawCursor = IsDlgButtonChecked(IDC_DRAW_CURSOR) == BST_CHECKED;
    CString rate;
    GetDlgItemText(IDC_FRAME_RATE, rate);
    params.fps = FrameRateFromText(rate);
    if (!FrameRateAccepted(params.fps)) {
        MessageBox(kFrameRateWrong, kFrameRateWrongCaption, MB_OK);
        return false;
    }
    // Mouse input passes through the overlay while it records.
    if (params.regionMode)
        m_pRegionDlg->ModifyStyleEx(0, WS_EX_TRANSPARENT);
    params.videoPath = (baseName + kVideoSuffix).GetString();
    StartRecordThread(VideoRecordThread, &m_hVideoThread);
    SetThreadPriority(m_hVideoThread, THREAD_PRIORITY_TIME_CRITICAL);
    return true;
}

void CGlintcastDlg::StartRecordThread(LPTHREAD_START_ROUTINE procedure, HANDLE* member)
{
    // The reset has closed the handle of every earlier thread; this is only a guard.
    if (*member)
        CloseHandle(*member);
    auto copy = std::make_unique<RecordParams>(*g_recordParams);
    *member = CreateThread(nullptr, 0, procedure, copy.get(), 0, nullptr);
    if (*member)
        copy.release();  // the thread owns it now
}

void CGlintcastDlg::StopRecording()
{
    g_stopRecording = true;
    m_bRecording = false;
    // From here on only this recording's block and threads count: a new recording
    // may start while the question below is open.
    const std::unique_ptr<RecordParams> params = std::move(g_recordParams);
    if (!params || params->videoPath.empty() || !FileExists(L"ffmpeg.exe"))
        return;
    OwnedHandle threads[] = {DuplicateForWait(m_hVideoThread), DuplicateForWait(m_hSystemAudioThread),
                             DuplicateForWait(m_hMicThread)};
    if (MessageBox(kOfferMkv, L"提示", MB_YESNO) != IDYES)
        return;
    // The converter must not read a file that a record loop still writes.
    for (const OwnedHandle& thread : threads)
        if (thread)
            WaitForSingleObject(thread.get(), INFINITE);
    if (!LaunchConverter(MkvCommandTail(*params)))
        MessageBox(kConverterMissing, kErrorCaption, MB_OK);
}
