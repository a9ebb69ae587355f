// The sound engine on a real Core Audio endpoint under Wine: the monitor of
// the test runner's PulseAudio null sink, while a tone plays into that sink.
#include "AudioCapture.h"

#include "AudioEndpointList.h"
#include "FlacSamples.h"
#include "Globals.h"
#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

namespace {

constexpr int kToneHz = 1000;
constexpr double kToneAmplitude = 0.5;  // of full scale

struct ComApartment
{
    ComApartment() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

std::string EndpointNames(EDataFlow flow)
{
    std::string names;
    for (const auto& endpoint : ListAudioEndpoints(flow)) {
        char utf8[512] = {};
        WideCharToMultiByte(CP_UTF8, 0, endpoint.name.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
        names += std::string(" [") + utf8 + "]";
    }
    return names;
}

TEST(AudioDeviceTest, MonitorOfTheNullSinkRecordsTheTonePlayedIntoIt)
{
    ComApartment com;
    const AudioEndpointInfo monitor = FindAudioEndpoint(eCapture, L"Monitor of Null Output");
    ASSERT_FALSE(monitor.id.empty()) << "capture endpoints:" << EndpointNames(eCapture);
    AudioCapture engine(true, monitor.id);
    ASSERT_EQ(engine.m_hr, 0) << std::hex << engine.m_hr;
    ASSERT_EQ(engine.m_pwfx->nChannels, 2);
    const DWORD rate = engine.m_pwfx->nSamplesPerSec;

    TempDir dir;
    const std::string tone = ShellQuote(UnixPath(dir.File(L"tone.wav")));
    ASSERT_EQ(RunNative("sox -n -r " + std::to_string(rate) + " -c 2 -b 16 " + tone + " synth 4 sine " +
                        std::to_string(kToneHz) + " vol " + std::to_string(kToneAmplitude))
                  .exitCode,
              0);

    const std::wstring flac = dir.File(L"monitor.flac");
    g_stopRecording = false;
    std::thread recorder([&] {
        ComApartment threadCom;
        engine.RecordToFlac(flac);
    });
    StartNative("paplay -d glintcast " + tone);
    // Sound reaches the monitor 0.4 to 0.9 s after the start, and up to half a
    // second before the stop is not written: 3 s hold over a second of the tone.
    Sleep(3000);
    g_stopRecording = true;
    recorder.join();

    const std::vector<int16_t> samples = DecodeFlacSamples(flac);
    // The sounding stretch: from the first to the last sample above a tenth of the tone.
    const int threshold = static_cast<int>(kToneAmplitude * 32767 / 10);
    size_t first = samples.size(), last = 0;
    for (size_t i = 0; i < samples.size(); ++i)
        if (std::abs(samples[i]) > threshold) {
            first = std::min(first, i / 2);
            last = i / 2;
        }
    ASSERT_LT(first, last) << samples.size() / 2 << " frames, none sounding";
    const size_t frames = last - first + 1;
    ASSERT_GT(frames, rate / 2) << "only " << frames << " frames of sound";

    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE(channel == 0 ? "left" : "right");
        size_t crossings = 0;
        double energy = 0;
        for (size_t f = first; f <= last; ++f) {
            const int16_t s = samples[2 * f + channel];
            energy += double(s) * s;
            if (f > first && (samples[2 * (f - 1) + channel] < 0) != (s < 0))
                ++crossings;
        }
        const double hz = crossings / 2.0 * rate / frames;
        const double rms = std::sqrt(energy / frames) / 32767;
        EXPECT_NEAR(hz, kToneHz, kToneHz * 0.03);
        EXPECT_NEAR(rms, kToneAmplitude / std::sqrt(2.0), 0.25 * kToneAmplitude / std::sqrt(2.0));
    }
}

} // namespace
