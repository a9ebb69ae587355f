#include "RecordVideo.h"

#include "AsyncFileWriter.h"
#include "FileFailureMessage.h"
#include "FramePacing.h"
#include "Globals.h"
#include "PictureCopy.h"
#include "SystemHooks.h"
#include "VersionSei.h"
#include "VideoCapture.h"

#include <atomic>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include <x264.h>

namespace {

struct StopMessage
{
    const wchar_t* text;
    const wchar_t* caption;
};

const StopMessage kEncoderOpenFailed{L"编码器初始化失败", L"致命错误"};
const StopMessage kResolutionChanged{L"录制已停止，导致原因是你更改了分辨率\n", L"分辨率改动"};
const StopMessage kAccessLost{L"录制已停止，导致原因可能是桌面开关，模式更改，或切换至全屏程序,如果程序退出全屏模式还提示这个的话请重启软件。\n\n注意：本软件全屏录制游戏的时候只支持无边框窗口全屏模式！", L"错误"};
const wchar_t kOtherErrorFormat[] = L"录制已停止，导致原因未知，你可以联系作者\n错误代码：%ld";
const wchar_t kErrorCaption[] = L"错误";
const StopMessage kEncodeFailedInSlot{L"视频编码失败，原因未知\n", L"错误"};
const StopMessage kTooLate{L"录制超时，请尝试降低帧率或分辨率进行录制，当然最根本的解决方法是烧钱换台性能更强的电脑。\n", L"错误"};
const StopMessage kNoPicture{L"录制严重超时，我想你应该换新电脑了\n", L"错误"};
const StopMessage kEncodeFailedLate{L"编码失败，原因未知，请联系作者。\n", L"错误"};

constexpr UINT kPrimingTimeoutMs = 60;

void FillEncoderSettings(x264_param_t& param, int width, int height, int fps)
{
    x264_param_default(&param);
    x264_param_default_preset(&param, "ultrafast", "zerolatency");
    param.vui.i_sar_width = 1;
    param.vui.i_sar_height = 1;
    param.rc.i_rc_method = X264_RC_CQP;
    param.rc.i_qp_constant = 23;
    // x264 codes I pictures finer than the constant by 6 * log2(ip factor), at
    // QP 20 with its default of 1.4; a factor of 1 keeps every picture at 23.
    param.rc.f_ip_factor = 1.0f;
    param.i_csp = X264_CSP_BGRA;
    param.b_vfr_input = 0;
    param.b_repeat_headers = 1;
    param.b_annexb = 1;
    param.i_fps_num = fps;
    param.i_fps_den = 1;
    param.vui.i_colorprim = 1;  // BT.709
    param.i_width = width;
    param.i_height = height;
}

// What one recording holds from its set-up to its end.
struct Recording
{
    std::wstring path;
    int fps = 0;
    bool drawCursor = false;
    VideoCapture* engine = nullptr;
    RECT startRect{};
    LONG startWidth = 0;
    // The recorded rectangle of the engine's pictures.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    SlotTiming timing;
    std::optional<AsyncFileWriter> writer;
    bool fileFailureShown = false;
    x264_t* encoder = nullptr;
    x264_picture_t input{};
    x264_picture_t output{};
    // The picture handed to the encoder: always the last one built.
    std::vector<uint8_t> plane;
    std::unique_ptr<uint8_t[]> screenshot;
    std::thread screenshotSaver;
    // From the start of a save to the end of its thread, a failed save's box included.
    std::atomic<bool> saving{false};
    // The engine's picture last handed out; null until there is one.
    BYTE* picture = nullptr;
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
};

// Every failure stops the whole recording, and its box comes before the files are
// closed: whoever waits for this thread waits until the user has read it. What
// was encoded reaches the file first, since the process may be ended while the
// box waits (a sign-out, or a user ending a program that seems hung).
void Stop(Recording& r, const StopMessage& message)
{
    g_stopRecording = true;
    r.writer->Flush();
    MessageBoxW(nullptr, message.text, message.caption, MB_OK);
}

void StopWithCode(Recording& r, HRESULT hr)
{
    wchar_t text[128];
    std::swprintf(text, 128, kOtherErrorFormat, static_cast<long>(hr));
    Stop(r, {text, kErrorCaption});
}

// The file could not be created or written: the recording stops like on any
// other failure, once; what could be written is on disk already.
void StopForFile(Recording& r)
{
    g_stopRecording = true;
    r.fileFailureShown = true;
    ShowFileFailure(RecordingFileFailureText(r.path));
}

// The picture just handed out, with the pointer drawn in when the recording
// draws it, becomes the plane's content.
void BuildPlane(Recording& r, const RECT& desktop)
{
    if (r.drawCursor)
        r.engine->DrawCursor(&r.picture, &desktop);
    CopyRecordedRect(r.plane.data(), r.width, r.height, r.picture, r.engine->m_framePitch, r.engine->m_frameWidth,
                     r.engine->m_frameHeight, r.left, r.top);
}

// The screenshot branch: copies the recorded picture bottom row first into the
// screenshot buffer and saves it on a thread of its own. The previous save must
// be over: its buffer is reused.
void TakeScreenshot(Recording& r)
{
    g_screenshotRequested = false;
    if (r.screenshotSaver.joinable())
        r.screenshotSaver.join();
    CopyRowsUpsideDown(r.plane.data(), r.screenshot.get(), static_cast<size_t>(r.width) * 4, r.height);
    r.saving = true;
    r.screenshotSaver = std::thread([&r] {
        r.engine->SaveScreenshot(r.screenshot.get(), r.width, r.height);
        r.saving = false;
    });
}

// One coded picture per call, handed to the writer as one block; the first one
// carries our SEI in place of the encoder's banner.
bool Encode(Recording& r)
{
    x264_nal_t* nals = nullptr;
    int count = 0;
    const int size = x264_encoder_encode(r.encoder, &nals, &count, &r.input, &r.output);
    if (size < 1)
        return false;
    if (r.input.i_pts == 0) {
        for (const BytePiece& piece : FirstAccessUnitPieces(nals, count))
            r.writer->Write(piece.data, static_cast<int64_t>(piece.size));
    } else {
        r.writer->Write(nals[0].p_payload, size);
    }
    ++r.input.i_pts;
    return true;
}

// Opens the file and the encoder and primes the plane with the screen as it is,
// so that a recording that starts on a still screen shows it. False when the
// recording ended here (its message has been shown).
bool SetUp(Recording& r, bool regionMode, const RECT* region)
{
    DXGI_OUTPUT_DESC outputDesc{};
    r.engine->m_pOutput1->GetDesc(&outputDesc);
    r.startRect = outputDesc.DesktopCoordinates;
    r.startWidth = r.startRect.right - r.startRect.left;
    r.timing = SlotTiming::ForFrameRate(r.fps);
    r.writer.emplace(r.path);
    if (r.writer->Failed()) {
        StopForFile(r);
        return false;
    }

    r.width = regionMode ? region->right - region->left : r.startWidth;
    r.height = regionMode ? region->bottom - region->top : r.startRect.bottom - r.startRect.top;
    r.left = regionMode ? region->left : 0;
    r.top = regionMode ? region->top : 0;
    x264_param_t param;
    FillEncoderSettings(param, r.width, r.height, r.fps);
    r.input.img.i_csp = X264_CSP_BGRA;
    r.input.img.i_plane = 1;
    r.input.i_pts = 0;

    // Brings the pointer state up to date and delivers the whole desktop; when the
    // screen has not changed since the engine's last recording, its last picture
    // serves. Black only when there is neither.
    if (r.engine->AcquireFrame(&r.picture, r.drawCursor, kPrimingTimeoutMs) != 0)
        r.engine->LastPicture(&r.picture);
    const size_t pictureBytes = r.width > 0 && r.height > 0 ? static_cast<size_t>(r.width) * r.height * 4 : 0;
    r.plane.assign(pictureBytes, 0);
    if (r.picture)
        BuildPlane(r, r.startRect);
    r.screenshot.reset(new uint8_t[pictureBytes]);
    r.input.img.i_stride[0] = r.width * 4;
    r.input.img.plane[0] = r.plane.data();

    r.encoder = x264_encoder_open(&param);
    if (!r.encoder) {
        Stop(r, kEncoderOpenFailed);
        return false;
    }
    Hooks().queryPerformanceFrequency(&r.frequency);
    Hooks().queryPerformanceCounter(&r.start);
    return true;
}

enum class Pass
{
    Go,
    Leave,
};

// A pass within the slot: acquires the next picture and encodes it, or the last
// one again when none came in time.
Pass RecordSlot(Recording& r)
{
    RECT desktop{};
    HRESULT hr = 0;
    bool resized = false;
    do {
        DXGI_OUTPUT_DESC outputDesc{};
        r.engine->m_pOutput1->GetDesc(&outputDesc);
        desktop = outputDesc.DesktopCoordinates;
        resized = desktop.right - desktop.left != r.startWidth;
        if (!resized)
            hr = r.engine->AcquireFrame(&r.picture, r.drawCursor, r.timing.acquireTimeoutMs);
    } while (!resized && hr == 0 && !r.picture);
    if (resized) {
        Stop(r, kResolutionChanged);
        return Pass::Leave;
    }
    if (g_stopRecording)
        return Pass::Leave;
    if (hr == 0) {
        BuildPlane(r, desktop);
        // A request waits for a fresh picture after the previous save is over,
        // rather than hold the recording while a failed save's box is open.
        if (g_screenshotRequested && !r.saving)
            TakeScreenshot(r);
    } else if (hr == DXGI_ERROR_ACCESS_LOST) {
        Stop(r, kAccessLost);
        return Pass::Leave;
    } else if (hr != DXGI_ERROR_WAIT_TIMEOUT) {
        StopWithCode(r, hr);
        return Pass::Leave;
    }
    // A time-out encodes the plane unchanged: the previous picture again.
    if (!Encode(r)) {
        Stop(r, kEncodeFailedInSlot);
        return Pass::Leave;
    }
    return Pass::Go;
}

// One pass of the loop: in the slot, too late, late (repeat the last picture
// without acquiring) or early (read the counter again at once: a busy wait).
Pass RecordPass(Recording& r)
{
    LARGE_INTEGER now{};
    Hooks().queryPerformanceCounter(&now);
    const int64_t t = ElapsedHundredNs(now.QuadPart, r.start.QuadPart, r.frequency.QuadPart);
    switch (ClassifySlot(t, r.input.i_pts, r.timing)) {
    case SlotState::InSlot:
        if (RecordSlot(r) == Pass::Leave)
            return Pass::Leave;
        break;
    case SlotState::TooLate:
        Stop(r, kTooLate);
        return Pass::Leave;
    case SlotState::Late:
        if (!r.picture) {
            Stop(r, kNoPicture);
            return Pass::Leave;
        }
        if (!Encode(r)) {
            Stop(r, kEncodeFailedLate);
            return Pass::Leave;
        }
        break;
    case SlotState::Early:
        break;
    }
    // The writer's first failure is remembered; looking at it does not wait.
    if (r.writer->Failed()) {
        StopForFile(r);
        return Pass::Leave;
    }
    return g_stopRecording ? Pass::Leave : Pass::Go;
}

// Closes the encoder and the file and waits for the last screenshot. A write
// that failed only now, at the close, is reported after it.
void End(Recording& r)
{
    if (r.encoder)
        x264_encoder_close(r.encoder);
    r.writer->Close();
    if (r.screenshotSaver.joinable())
        r.screenshotSaver.join();
    if (r.writer->Failed() && !r.fileFailureShown)
        StopForFile(r);
}

} // namespace

void RecordVideo(std::wstring path, int fps, bool drawCursor, bool regionMode, const RECT* region)
{
    VideoCapture* engine = g_videoCapture;
    if (!engine || engine->m_hr != 0 || fps <= 0)
        return;  // the recorder starts no video thread then; nothing to record with

    Recording r;
    r.path = std::move(path);
    r.fps = fps;
    r.drawCursor = drawCursor;
    r.engine = engine;
    if (SetUp(r, regionMode, region))
        while (RecordPass(r) == Pass::Go) {
        }
    End(r);
}
