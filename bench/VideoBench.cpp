// video_bench: the real record loop over the fake duplication, fed the way a
// desktop feeds it, printing its figures as name=value lines.
//
//   video_bench.exe --width W --height H --fps F --seconds S --out FILE
//                   [--frames-in RAW] [--desktop-hz HZ] [--cursor]
#include "DesktopScene.h"
#include "FakeSystem.h"
#include "Globals.h"
#include "LiveDesktop.h"
#include "MessageBoxWatcher.h"
#include "RealClock.h"
#include "RecordVideo.h"
#include "SlotMeter.h"
#include "SystemHooks.h"
#include "VideoCapture.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <x264.h>

extern "C" int __real_x264_encoder_encode(x264_t*, x264_nal_t**, int*, x264_picture_t*, x264_picture_t*);

namespace {

struct Options
{
    int width = 0;
    int height = 0;
    int fps = 0;
    double seconds = 0;
    std::wstring out;
    std::wstring framesIn;
    double desktopHz = 60;
    bool cursor = false;
};

bool Parse(Options& o)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--cursor")
            o.cursor = true;
        else if (!hasValue)
            return false;
        else if (arg == L"--width")
            o.width = _wtoi(argv[++i]);
        else if (arg == L"--height")
            o.height = _wtoi(argv[++i]);
        else if (arg == L"--fps")
            o.fps = _wtoi(argv[++i]);
        else if (arg == L"--seconds")
            o.seconds = _wtof(argv[++i]);
        else if (arg == L"--out")
            o.out = argv[++i];
        else if (arg == L"--frames-in")
            o.framesIn = argv[++i];
        else if (arg == L"--desktop-hz")
            o.desktopHz = _wtof(argv[++i]);
        else
            return false;
    }
    LocalFree(argv);
    return o.width > 0 && o.height > 0 && o.fps >= 10 && o.fps <= 120 && o.seconds > 0 && !o.out.empty() &&
           o.desktopHz > 0;
}

// Raw BGRA frames of w x h, top row first, one after another.
std::vector<std::shared_ptr<const fakes::Picture>> LoadFrames(const std::wstring& path, int w, int h)
{
    std::vector<std::shared_ptr<const fakes::Picture>> frames;
    std::ifstream file(path.c_str(), std::ios::binary);
    const size_t bytes = static_cast<size_t>(w) * h * 4;
    for (;;) {
        auto picture = std::make_shared<fakes::Picture>(w, h);
        if (!file.read(reinterpret_cast<char*>(picture->pixels.data()), static_cast<std::streamsize>(bytes)))
            break;
        frames.push_back(std::move(picture));
    }
    return frames;
}

// A 32 x 32 arrow: opaque black inside a white rim, a half-transparent shadow.
std::shared_ptr<fakes::PointerShape> Arrow()
{
    auto shape = std::make_shared<fakes::PointerShape>();
    shape->info.Type = DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR;
    shape->info.Width = shape->info.Height = 32;
    shape->info.Pitch = 32 * 4;
    shape->bits.resize(32 * 32 * 4);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            uint32_t p = 0;
            if (x <= y / 2 && y < 24)
                p = x == y / 2 || x == 0 || y == 23 ? 0xFFFFFFFF : 0xFF000000;
            else if (x <= y / 2 + 2 && y < 26)
                p = 0x80000000;
            std::memcpy(&shape->bits[(y * 32 + x) * 4], &p, 4);
        }
    return shape;
}

double Ms(int64_t ticks, int64_t frequency) { return ticks * 1000.0 / frequency; }

double Percentile(std::vector<int64_t> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t rank = static_cast<size_t>(std::ceil(p * v.size()));
    return static_cast<double>(v[std::min(v.size(), std::max<size_t>(rank, 1)) - 1]);
}

const char* StopReason(const std::vector<MessageBoxRecord>& shown)
{
    if (shown.empty())
        return "none";
    const std::wstring& text = shown.front().text;
    auto has = [&](const wchar_t* part) { return text.find(part) != std::wstring::npos; };
    if (has(L"分辨率"))
        return "resolution";
    if (has(L"录制严重超时"))
        return "no_picture";
    if (has(L"录制超时"))
        return "too_late";
    if (has(L"桌面开关"))
        return "access_lost";
    if (has(L"错误代码"))
        return "error";
    return "encoder";
}

double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME t) { return (uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime) / 1e7; };
    return seconds(kernel) + seconds(user);
}

// What the hooks see; they run on the record thread only.
struct Run
{
    fakes::FakeSystem* system = nullptr;
    SlotMeter meter;
    int64_t slot0 = -1;
    int64_t stopAfter = 0;     // counts after slot 0 at which the stop is set
    int64_t desktopTicks = 0;  // spent drawing the fake desktop
    int64_t framesAtLastEncode = 0;

    int64_t Idle() const { return system->Stats().waitedTicks + desktopTicks; }
};
Run* g_run = nullptr;

// The loop's counter: the real one, which also stops the recording after the
// chosen time, as the user would, and tells the meter where each pass begins.
BOOL WINAPI BenchCounter(LARGE_INTEGER* count)
{
    QueryPerformanceCounter(count);
    Run& run = *g_run;
    if (run.slot0 < 0) {
        run.slot0 = count->QuadPart;
        run.framesAtLastEncode = run.system->Stats().framesDelivered;
    } else if (count->QuadPart - run.slot0 >= run.stopAfter) {
        g_stopRecording = true;
    }
    run.meter.OnCounterRead(count->QuadPart, run.Idle());
    return TRUE;
}

} // namespace

extern "C" int __wrap_x264_encoder_encode(x264_t* encoder, x264_nal_t** nals, int* count, x264_picture_t* in,
                                          x264_picture_t* out)
{
    Run& run = *g_run;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    const int64_t idle = run.Idle();
    const int result = __real_x264_encoder_encode(encoder, nals, count, in, out);
    QueryPerformanceCounter(&end);
    const int64_t frames = run.system->Stats().framesDelivered;
    run.meter.OnEncode(start.QuadPart, end.QuadPart, idle, frames != run.framesAtLastEncode, result >= 1);
    run.framesAtLastEncode = frames;
    return result;
}

int main()
{
    Options o;
    if (!Parse(o)) {
        std::fprintf(stderr, "usage: video_bench.exe --width W --height H --fps F --seconds S --out FILE "
                             "[--frames-in RAW] [--desktop-hz HZ] [--cursor]\n");
        return 2;
    }

    fakes::RealClock time;
    fakes::FakeSystem system(time, {{0, 0, o.width, o.height}});
    system.recordCalls = false;
    system.protectUnmapped = false;
    system.stagingPitchPadding = 0;
    Run run;
    run.system = &system;
    run.stopAfter = static_cast<int64_t>(o.seconds * time.Frequency());
    g_run = &run;

    std::vector<std::shared_ptr<const fakes::Picture>> raw;
    std::unique_ptr<DesktopScene> scene;
    if (!o.framesIn.empty()) {
        raw = LoadFrames(o.framesIn, o.width, o.height);
        if (raw.empty()) {
            std::fprintf(stderr, "no frame of %dx%d in the raw file\n", o.width, o.height);
            return 2;
        }
    } else {
        scene = std::make_unique<DesktopScene>(o.width, o.height);
    }
    fakes::LiveDesktop desktop(time, o.desktopHz, [&](int64_t index) {
        const int64_t before = time.Now();
        auto frame = scene ? scene->Frame(index) : raw[index % raw.size()];
        run.desktopTicks += time.Now() - before;
        return frame;
    });
    if (o.cursor)
        desktop.SetPointer(Arrow(), [&](int64_t i) {
            return POINT{static_cast<LONG>(o.width / 2 + o.width / 3 * std::cos(i / 40.0)),
                         static_cast<LONG>(o.height / 2 + o.height / 3 * std::sin(i / 25.0))};
        });
    system.whenScriptEnds = [&](UINT timeoutMs) { return desktop.Next(timeoutMs); };

    VideoCapture engine(0);
    if (engine.m_hr != 0) {
        std::fprintf(stderr, "engine failed: 0x%08lX\n", static_cast<unsigned long>(engine.m_hr));
        return 1;
    }
    g_videoCapture = &engine;
    MessageBoxWatcher boxes;
    Hooks().queryPerformanceCounter = BenchCounter;

    // As the recorder runs it: a real-time process, a time-critical thread.
    SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    const double cpuBefore = CpuSeconds();
    std::thread recorder([&] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
        RecordVideo(o.out, o.fps, o.cursor, false, nullptr);
    });
    recorder.join();
    const double cpu = CpuSeconds() - cpuBefore;
    Hooks().queryPerformanceCounter = ::QueryPerformanceCounter;
    g_videoCapture = nullptr;

    const int64_t f = time.Frequency();
    const auto& encode = run.meter.EncodeTicks();
    const auto& overhead = run.meter.OverheadTicks();
    std::ifstream written(o.out.c_str(), std::ios::binary | std::ios::ate);
    const long long outputBytes = written ? static_cast<long long>(written.tellg()) : -1;

    std::printf("width=%d\nheight=%d\nfps=%d\nseconds=%g\ndesktop_hz=%g\ncursor=%d\n", o.width, o.height, o.fps,
                o.seconds, o.desktopHz, o.cursor ? 1 : 0);
    std::printf("pictures_written=%lld\n", static_cast<long long>(run.meter.Written()));
    std::printf("pictures_expected=%lld\n", static_cast<long long>(std::llround(o.seconds * o.fps)));
    std::printf("pictures_fresh=%lld\n", static_cast<long long>(run.meter.Fresh()));
    std::printf("pictures_repeated=%lld\n", static_cast<long long>(run.meter.Repeated()));
    std::printf("frames_acquired=%lld\n", static_cast<long long>(desktop.FramesShown()));
    std::printf("encode_ms_median=%.3f\n", Ms(static_cast<int64_t>(Percentile(encode, 0.5)), f));
    std::printf("encode_ms_p99=%.3f\n", Ms(static_cast<int64_t>(Percentile(encode, 0.99)), f));
    std::printf("encode_ms_max=%.3f\n", Ms(static_cast<int64_t>(Percentile(encode, 1.0)), f));
    std::printf("slot_overhead_ms_median=%.3f\n", Ms(static_cast<int64_t>(Percentile(overhead, 0.5)), f));
    std::printf("slot_overhead_ms_p99=%.3f\n", Ms(static_cast<int64_t>(Percentile(overhead, 0.99)), f));
    std::printf("cpu_seconds=%.2f\n", cpu);
    std::printf("stop_reason=%s\n", StopReason(boxes.Boxes()));
    std::printf("output_bytes=%lld\n", outputBytes);
    for (const auto& problem : system.Problems())
        std::fprintf(stderr, "fake system: %s\n", problem.c_str());
    return 0;
}
