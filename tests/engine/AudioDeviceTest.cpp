// The sound engine on real Core Audio endpoints under Wine: the monitor of the
// test runner's PulseAudio null sink while a tone plays into that sink, and the
// monitor of a sink of the test's own that goes away during a recording.
#include "AudioCapture.h"

#include "AudioEndpointList.h"
#include "AudioRecordThread.h"
#include "FlacSamples.h"
#include "Globals.h"
#include "MessageBoxWatcher.h"
#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
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

// A tone of seconds at rate into a WAV file of dir; its path for the shell.
std::string ToneFile(const TempDir& dir, DWORD rate, double seconds)
{
    const std::string tone = ShellQuote(UnixPath(dir.File(L"tone.wav")));
    const NativeResult made = RunNative("sox -n -r " + std::to_string(rate) + " -c 2 -b 16 " + tone + " synth " +
                                        std::to_string(seconds) + " sine " + std::to_string(kToneHz) + " vol " +
                                        std::to_string(kToneAmplitude));
    EXPECT_EQ(made.exitCode, 0) << made.output;
    return tone;
}

// Frames of samples (stereo) in which either channel sounds above a tenth of the tone.
size_t SoundingFrames(const std::vector<int16_t>& samples)
{
    const int threshold = static_cast<int>(kToneAmplitude * 32767 / 10);
    size_t frames = 0;
    for (size_t i = 0; i + 1 < samples.size(); i += 2)
        if (std::abs(samples[i]) > threshold || std::abs(samples[i + 1]) > threshold)
            ++frames;
    return frames;
}

// Waits until the recording that writes flac holds more than frames sounding
// frames: its file is written unbuffered, a whole FLAC frame at a time, so it
// shows what has been recorded while it runs. False after 30 s.
bool WaitForSoundingFrames(const std::wstring& flac, size_t frames)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (SoundingFrames(DecodeFlacSamplesSoFar(flac)) <= frames) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Sleep(100);
    }
    return true;
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
    const std::string tone = ToneFile(dir, rate, 4);

    const std::wstring flac = dir.File(L"monitor.flac");
    g_stopRecording = false;
    std::thread recorder([&] {
        ComApartment threadCom;
        engine.RecordToFlac(flac);
    });
    StartNative("paplay -d glintcast " + tone);
    // Over a second of the tone written, however late a loaded machine plays
    // and records it; the stop comes while the tone still plays.
    EXPECT_TRUE(WaitForSoundingFrames(flac, rate));
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

// A null sink of the test's own on the session's sound server, loaded while
// it lives unless Remove has unloaded it first.
class OwnSink
{
public:
    OwnSink(const std::string& name, const std::string& description)
    {
        const NativeResult loaded = RunNative("pactl load-module module-null-sink sink_name=" + name +
                                              " sink_properties=device.description=" + description);
        EXPECT_EQ(loaded.exitCode, 0) << loaded.output;
        if (loaded.exitCode == 0)
            m_module = loaded.output.substr(0, loaded.output.find_first_of("\r\n"));
    }
    ~OwnSink() { Remove(); }
    bool Loaded() const { return !m_module.empty(); }
    void Remove()
    {
        if (!Loaded())
            return;
        const NativeResult unloaded = RunNative("pactl unload-module " + m_module);
        EXPECT_EQ(unloaded.exitCode, 0) << unloaded.output;
        m_module.clear();
    }

private:
    std::string m_module;
};

// The endpoint of a sink that goes away while it records: Wine's capture
// client then keeps reporting a packet and fails every GetBuffer with
// AUDCLNT_E_DEVICE_INVALIDATED. The recording stops with the device box, and
// so does the next one on the same engine.
TEST(AudioDeviceTest, EndpointRemovedDuringARecordingStopsItWithTheDeviceBox)
{
    OwnSink sink("glintcast_vanishing", "Vanishing");
    ASSERT_TRUE(sink.Loaded());
    ComApartment com;
    // Wine may take a moment to list the new endpoint.
    AudioEndpointInfo monitor;
    for (int i = 0; i < 100 && monitor.id.empty(); ++i) {
        monitor = FindAudioEndpoint(eCapture, L"Monitor of Vanishing");
        if (monitor.id.empty())
            Sleep(100);
    }
    ASSERT_FALSE(monitor.id.empty()) << "capture endpoints:" << EndpointNames(eCapture);
    AudioCapture engine(true, monitor.id);
    ASSERT_EQ(engine.m_hr, 0) << std::hex << engine.m_hr;
    const DWORD rate = engine.m_pwfx->nSamplesPerSec;
    TempDir dir;
    const std::string tone = ToneFile(dir, rate, 1.5);

    MessageBoxWatcher watcher;
    const std::wstring flac = dir.File(L"vanishing.flac");
    g_stopRecording = false;
    DWORD threadId = 0;
    bool ended = false;
    std::thread recorder([&] { ended = RecordEndsByItself(engine, flac, &threadId); });
    // The tone ends before the sink goes, so nothing plays on into another
    // sink; the loop drains every half second.
    const NativeResult played = RunNative("paplay -d glintcast_vanishing " + tone);
    EXPECT_EQ(played.exitCode, 0) << played.output;
    // The tone written before the sink goes, however late a loaded machine drains it.
    EXPECT_TRUE(WaitForSoundingFrames(flac, rate / 2));
    sink.Remove();
    recorder.join();

    const std::wstring text = SoundDeviceLostText(AUDCLNT_E_DEVICE_INVALIDATED);
    EXPECT_NE(text.find(L"错误代码：-2004287484"), std::wstring::npos);
    EXPECT_TRUE(ended) << "the recording went on after its endpoint had gone";
    EXPECT_TRUE(g_stopRecording);
    auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].caption, L"错误");
    EXPECT_TRUE(boxes[0].IsPlainOk());
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].threadId, threadId);
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(UnixPath(flac)));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    EXPECT_GT(SoundingFrames(DecodeFlacSamples(flac)), rate / 2) << "the tone before the removal is missing";

    // Wine's client starts again and fails at its first GetBuffer; Windows's
    // refuses to start. Either way the next recording says so.
    g_stopRecording = false;
    const std::wstring again = dir.File(L"again.flac");
    EXPECT_TRUE(RecordEndsByItself(engine, again, &threadId));
    EXPECT_TRUE(g_stopRecording);
    boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, text);
    EXPECT_EQ(boxes[1].threadId, threadId);
    const NativeResult testAgain = RunNative("flac -t -s " + ShellQuote(UnixPath(again)));
    EXPECT_EQ(testAgain.exitCode, 0) << testAgain.output;
    g_stopRecording = false;
}

} // namespace
