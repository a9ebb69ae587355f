// Records a sound endpoint with the real AudioCapture and RecordToFlac and
// prints its figures, one name=value per line:
//   audio_bench.exe --seconds S --out FILE [--endpoint TEXT] [--loopback]
//                   [--rate R] [--channels C] [--tone HZ]
// With --endpoint it records the real endpoint whose friendly name contains
// TEXT (a recording endpoint, or a playback endpoint through loopback with
// --loopback); without it, a fake endpoint that delivers a sine of HZ at R Hz
// and C channels in 10 ms packets, in real time.
#include "AudioCapture.h"
#include "AudioEndpointList.h"
#include "FakeAudioSystem.h"
#include "FlacEncoderProbe.h"
#include "Globals.h"

#include <shellapi.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <thread>

namespace {

struct Options
{
    double seconds = 0;
    std::wstring out;
    std::wstring endpoint;
    bool loopback = false;
    DWORD rate = 48000;
    WORD channels = 2;
    double toneHz = 440;
};

const char kUsage[] = "usage: audio_bench.exe --seconds S --out FILE [--endpoint TEXT] [--loopback] [--rate R] "
                      "[--channels C] [--tone HZ]\n";

bool ParseOptions(Options& options)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv)
        return false;
    bool ok = true;
    for (int i = 1; i < argc && ok; ++i) {
        const std::wstring name = argv[i];
        const bool hasValue = i + 1 < argc;
        if (name == L"--loopback")
            options.loopback = true;
        else if (!hasValue)
            ok = false;
        else if (name == L"--seconds")
            options.seconds = _wtof(argv[++i]);
        else if (name == L"--out")
            options.out = argv[++i];
        else if (name == L"--endpoint")
            options.endpoint = argv[++i];
        else if (name == L"--rate")
            options.rate = static_cast<DWORD>(_wtoi(argv[++i]));
        else if (name == L"--channels")
            options.channels = static_cast<WORD>(_wtoi(argv[++i]));
        else if (name == L"--tone")
            options.toneHz = _wtof(argv[++i]);
        else
            ok = false;
    }
    LocalFree(argv);
    return ok && options.seconds > 0 && !options.out.empty() && options.rate > 0 && options.channels > 0 &&
           options.channels <= 8;
}

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], size, nullptr, nullptr);
    return utf8;
}

std::string FormatText(const WAVEFORMATEX& format)
{
    char text[96];
    snprintf(text, sizeof text, "0x%04X %uch %luHz %ubit", format.wFormatTag, format.nChannels,
             static_cast<unsigned long>(format.nSamplesPerSec), format.wBitsPerSample);
    return text;
}

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

int64_t FileBytes(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The fake endpoint: a sine on every channel, each a little later in phase.
void AddSineEndpoint(FakeAudioSystem& fake, const Options& options, EDataFlow flow)
{
    FakeMMDevice& device = fake.AddDevice(L"{glintcast-bench-sine}",
                                          L"Fake sine " + std::to_wstring(std::lround(options.toneHz)) + L" Hz", flow);
    FakeAudioClient& client = device.Client();
    client.mixFormat = ExtensibleFloatMixFormat(options.channels, options.rate, (1u << options.channels) - 1);
    client.bufferFrames = options.rate;  // what a one-second request gets
    const double step = 2 * 3.14159265358979323846 * options.toneHz / options.rate;
    client.CaptureClient().StreamLive(
        [step](uint64_t frame, unsigned channel) {
            return static_cast<int16_t>(std::lround(16383 * std::sin(step * double(frame) + 0.5 * channel)));
        },
        options.rate / 100);
}

} // namespace

int main()
{
    Options options;
    if (!ParseOptions(options)) {
        fputs(kUsage, stderr);
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const EDataFlow flow = options.loopback ? eRender : eCapture;
    std::unique_ptr<FakeAudioSystem> fake;
    if (options.endpoint.empty()) {
        fake = std::make_unique<FakeAudioSystem>();
        AddSineEndpoint(*fake, options, flow);
    }
    const std::wstring text = options.endpoint.empty() ? L"Fake sine" : options.endpoint;
    const AudioEndpointInfo endpoint = FindAudioEndpoint(flow, text);
    if (endpoint.id.empty()) {
        fprintf(stderr, "no %s endpoint's name contains \"%s\"; there are:\n", options.loopback ? "playback" : "recording",
                Utf8(text).c_str());
        for (const auto& candidate : ListAudioEndpoints(flow))
            fprintf(stderr, "  %s\n", Utf8(candidate.name).c_str());
        return 1;
    }

    int status = 0;
    {
        AudioCapture engine(!options.loopback, endpoint.id);
        printf("endpoint=%s\n", Utf8(endpoint.name).c_str());
        printf("mode=%s\n", options.loopback ? "loopback" : "capture");
        if (engine.m_hr != 0) {
            printf("status=0x%08lX\n", static_cast<unsigned long>(engine.m_hr));
            status = 1;
        } else {
            WAVEFORMATEX* mix = nullptr;
            if (SUCCEEDED(engine.m_pAudioClient->GetMixFormat(&mix)))
                printf("mix_format=%s\n", FormatText(*mix).c_str());
            CoTaskMemFree(mix);
            printf("stream_format=%s\n", FormatText(*engine.m_pwfx).c_str());
            printf("buffer_frames=%u\n", engine.m_bufferFrameCount);
            printf("poll_ms=%lu\n", static_cast<unsigned long>(PollInterval(engine.m_hnsBufferDuration)));

            g_stopRecording = false;
            FlacEncoderProbe::Reset();
            const double cpuBefore = ProcessCpuMs();
            std::thread recorder([&] {
                CoInitializeEx(nullptr, COINIT_MULTITHREADED);
                engine.RecordToFlac(options.out);
                CoUninitialize();
            });
            Sleep(static_cast<DWORD>(options.seconds * 1000));
            g_stopRecording = true;
            recorder.join();
            const double cpuMs = ProcessCpuMs() - cpuBefore;

            const std::vector<uint32_t> calls = FlacEncoderProbe::ProcessedFrames();
            const uint64_t frames = std::accumulate(calls.begin(), calls.end(), uint64_t(0));
            const double soundSeconds = double(frames) / engine.m_pwfx->nSamplesPerSec;
            const int64_t bytes = FileBytes(options.out);
            const double pcmBytes = double(frames) * engine.m_pwfx->nBlockAlign;
            printf("seconds=%.3f\n", options.seconds);
            printf("frames_captured=%llu\n", static_cast<unsigned long long>(frames));
            printf("packets=%zu\n", calls.size());
            printf("sound_seconds=%.3f\n", soundSeconds);
            printf("cpu_ms=%.1f\n", cpuMs);
            printf("cpu_ms_per_second=%.2f\n", soundSeconds > 0 ? cpuMs / soundSeconds : 0.0);
            printf("output_bytes=%lld\n", static_cast<long long>(bytes));
            printf("compression_ratio=%.3f\n", pcmBytes > 0 ? bytes / pcmBytes : 0.0);
        }
    }
    fake.reset();
    CoUninitialize();
    return status;
}
