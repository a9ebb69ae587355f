#include "RecordVideo.h"

#include "AsyncFileWriter.h"
#include "FramePacing.h"
#include "Globals.h"
#include "PictureCopy.h"
#include "SystemHooks.h"
#include "VersionSei.h"
#include "VideoCapture.h"

#include <cstdint>
#include <cwchar>
#include <memory>
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

// Every failure stops the whole recording, and its box comes before the files are
// closed: whoever waits for this thread waits until the user has read it.
void Stop(const StopMessage& message)
{
    g_stopRecording = true;
    MessageBoxW(nullptr, message.text, message.caption, MB_OK);
}

void StopWithCode(HRESULT hr)
{
    wchar_t text[128];
    std::swprintf(text, 128, kOtherErrorFormat, static_cast<long>(hr));
    Stop({text, kErrorCaption});
}

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

// The screenshot branch: copies the recorded picture bottom row first into the
// screenshot buffer and saves it on a thread of its own.
void TakeScreenshot(VideoCapture* engine, const uint8_t* plane, uint8_t* shot, int width, int height,
                    std::thread& saver)
{
    g_screenshotRequested = false;
    if (saver.joinable())
        saver.join();  // the buffer is free once the previous save is done
    CopyRowsUpsideDown(plane, shot, static_cast<size_t>(width) * 4, height);
    saver = std::thread([engine, shot, width, height] { engine->SaveScreenshot(shot, width, height); });
}

} // namespace

void RecordVideo(std::wstring path, int fps, bool drawCursor, bool regionMode, const RECT* region)
{
    VideoCapture* engine = g_videoCapture;
    if (!engine || engine->m_hr != 0 || fps <= 0)
        return;  // the recorder starts no video thread then; nothing to record with

    DXGI_OUTPUT_DESC outputDesc{};
    engine->m_pOutput1->GetDesc(&outputDesc);
    const RECT startRect = outputDesc.DesktopCoordinates;
    const LONG startWidth = startRect.right - startRect.left;

    x264_picture_t input{};
    x264_picture_t output{};
    const SlotTiming timing = SlotTiming::ForFrameRate(fps);
    AsyncFileWriter writer(path);

    const int width = regionMode ? region->right - region->left : startWidth;
    const int height = regionMode ? region->bottom - region->top : startRect.bottom - startRect.top;
    const int left = regionMode ? region->left : 0;
    const int top = regionMode ? region->top : 0;
    x264_param_t param;
    FillEncoderSettings(param, width, height, fps);
    input.img.i_csp = X264_CSP_BGRA;
    input.img.i_plane = 1;
    input.i_pts = 0;

    // Brings the pointer state up to date; its picture is never encoded.
    BYTE* picture = nullptr;
    engine->AcquireFrame(&picture, drawCursor, kPrimingTimeoutMs);

    const size_t pictureBytes = width > 0 && height > 0 ? static_cast<size_t>(width) * height * 4 : 0;
    // Black until the first fresh picture arrives.
    std::vector<uint8_t> plane(pictureBytes, 0);
    std::unique_ptr<uint8_t[]> screenshot(new uint8_t[pictureBytes]);
    input.img.i_stride[0] = width * 4;
    input.img.plane[0] = plane.data();

    x264_t* encoder = x264_encoder_open(&param);
    if (!encoder) {
        Stop(kEncoderOpenFailed);
        writer.Close();
        return;
    }

    // One block per coded picture; the first one carries our SEI in place of the
    // encoder's banner.
    auto encode = [&]() -> bool {
        x264_nal_t* nals = nullptr;
        int count = 0;
        const int size = x264_encoder_encode(encoder, &nals, &count, &input, &output);
        if (size < 1)
            return false;
        if (input.i_pts == 0) {
            for (const BytePiece& piece : FirstAccessUnitPieces(nals, count))
                writer.Write(piece.data, static_cast<int64_t>(piece.size));
        } else {
            writer.Write(nals[0].p_payload, size);
        }
        ++input.i_pts;
        return true;
    };

    std::thread screenshotSaver;
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    Hooks().queryPerformanceFrequency(&frequency);
    Hooks().queryPerformanceCounter(&start);

    for (;;) {
        LARGE_INTEGER now{};
        Hooks().queryPerformanceCounter(&now);
        const int64_t t = ElapsedHundredNs(now.QuadPart, start.QuadPart, frequency.QuadPart);
        const SlotState state = ClassifySlot(t, input.i_pts, timing);

        if (state == SlotState::InSlot) {
            RECT desktop{};
            HRESULT hr = 0;
            bool resized = false;
            do {
                engine->m_pOutput1->GetDesc(&outputDesc);
                desktop = outputDesc.DesktopCoordinates;
                resized = desktop.right - desktop.left != startWidth;
                if (!resized)
                    hr = engine->AcquireFrame(&picture, drawCursor, timing.acquireTimeoutMs);
            } while (!resized && hr == 0 && !picture);
            if (resized) {
                Stop(kResolutionChanged);
                break;
            }
            if (g_stopRecording)
                break;
            if (hr == 0) {
                if (drawCursor)
                    engine->DrawCursor(&picture, &desktop);
                CopyRecordedRect(plane.data(), width, height, picture, engine->m_framePitch, engine->m_frameWidth,
                                 engine->m_frameHeight, left, top);
                if (g_screenshotRequested)
                    TakeScreenshot(engine, plane.data(), screenshot.get(), width, height, screenshotSaver);
                if (!encode()) {
                    Stop(kEncodeFailedInSlot);
                    break;
                }
            } else if (hr == DXGI_ERROR_WAIT_TIMEOUT) {
                if (!encode()) {
                    Stop(kEncodeFailedInSlot);
                    break;
                }
            } else if (hr == DXGI_ERROR_ACCESS_LOST) {
                Stop(kAccessLost);
                break;
            } else {
                StopWithCode(hr);
                break;
            }
        } else if (state == SlotState::TooLate) {
            Stop(kTooLate);
            break;
        } else if (state == SlotState::Late) {
            if (!picture) {
                Stop(kNoPicture);
                break;
            }
            if (!encode()) {
                Stop(kEncodeFailedLate);
                break;
            }
        }
        // Early: the next pass reads the counter again at once.
        if (g_stopRecording)
            break;
    }

    x264_encoder_close(encoder);
    writer.Close();
    if (screenshotSaver.joinable())
        screenshotSaver.join();
}
