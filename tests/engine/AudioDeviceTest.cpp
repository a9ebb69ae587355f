// The sound engine on real Core Audio endpoints under Wine: the monitor of the
// test runner's PulseAudio null sink while a tone plays into that sink, and the
// monitor of a sink of the test's own that goes away during a recording, with
// its tone ended, still playing, or still playing into the sink suspended.
#include "AudioCapture.h"

#include "AudioEndpointList.h"
#include "AudioRecordThread.h"
#include "FlacSamples.h"
#include "Globals.h"
#include "MessageBoxWatcher.h"
#include "NamedCase.h"
#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

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
    OwnSink(const std::string& name, const std::string& description) : m_name(name)
    {
        const NativeResult loaded = RunNative("pactl load-module module-null-sink sink_name=" + name +
                                              " sink_properties=device.description=" + description);
        EXPECT_EQ(loaded.exitCode, 0) << loaded.output;
        if (loaded.exitCode == 0)
            m_module = loaded.output.substr(0, loaded.output.find_first_of("\r\n"));
    }
    ~OwnSink() { Remove(); }
    bool Loaded() const { return !m_module.empty(); }
    const std::string& Name() const { return m_name; }
    // before: a shell script run first, in the same shell, so that nothing of
    // the test comes between its end and the unload.
    void Remove(const std::string& before = "")
    {
        if (!Loaded())
            return;
        const NativeResult unloaded = RunNative(before + "pactl unload-module " + m_module);
        EXPECT_EQ(unloaded.exitCode, 0) << unloaded.output;
        m_module.clear();
    }

private:
    std::string m_name;
    std::string m_module;
};

// A shell script that ends as soon as the file at path has grown, or after 10 s
// by the clock: on a loaded machine a count of short sleeps would take minutes.
std::string UntilTheFileGrows(const std::wstring& path)
{
    const std::string file = ShellQuote(UnixPath(path));
    return "size=$(stat -c %s " + file + "); end=$(($(date +%s) + 10)); while [ \"$(stat -c %s " + file +
           ")\" = \"$size\" ] && [ $(date +%s) -lt $end ]; do sleep 0.005; done; ";
}

// How the sink of the endpoint being recorded goes away.
struct SinkRemoval : NamedCase
{
    bool toneStillPlaying;  // else the tone has ended a moment before
    // The sink is suspended first and the loop drains what came before: a
    // device that stops delivering a moment before it goes. Wine's client
    // then holds no packet when its stream dies.
    bool suspendedFirst;
    int tries;  // each with a sink and an engine of its own
};

class AudioDeviceRemovalTest : public testing::TestWithParam<SinkRemoval>
{
protected:
    void TearDown() override { g_stopRecording = false; }

    // The sink of one try, named after its label.
    static std::string SinkName(const std::string& label) { return "glintcast_vanishing_" + label; }
    static std::string SinkDescription(const std::string& label) { return "Vanishing_" + label; }
    void RemoveTheSinkWhileRecording(OwnSink& sink, const std::string& description);
};

// A tone plays into a null sink of the test's own while its monitor records,
// then the sink is unloaded. Wine's capture client then answers S_OK to every
// GetNextPacketSize: it keeps reporting a packet whose GetBuffer fails if it
// held one when its stream died, else no packet for ever; its
// GetCurrentPadding fails. Either way the recording stops with the device box,
// and so does the next one on the same engine, whose Start Wine lets through.
void AudioDeviceRemovalTest::RemoveTheSinkWhileRecording(OwnSink& sink, const std::string& description)
{
    ASSERT_TRUE(sink.Loaded());
    // Wine may take a moment to list the new endpoint.
    const std::wstring monitorName = L"Monitor of " + std::wstring(description.begin(), description.end());
    AudioEndpointInfo monitor;
    for (int i = 0; i < 100 && monitor.id.empty(); ++i) {
        monitor = FindAudioEndpoint(eCapture, monitorName);
        if (monitor.id.empty())
            Sleep(100);
    }
    ASSERT_FALSE(monitor.id.empty()) << "capture endpoints:" << EndpointNames(eCapture);
    AudioCapture engine(true, monitor.id);
    ASSERT_EQ(engine.m_hr, 0) << std::hex << engine.m_hr;
    const DWORD rate = engine.m_pwfx->nSamplesPerSec;
    TempDir dir;
    const bool playing = GetParam().toneStillPlaying;
    const std::string tone = ToneFile(dir, rate, playing ? 20 : 1.5);

    MessageBoxWatcher watcher;
    const std::wstring flac = dir.File(L"vanishing.flac");
    g_stopRecording = false;
    AudioRecordThread recorder(engine, flac);
    const std::string player = "paplay -d " + sink.Name() + " " + tone;
    const std::string playerId = ShellQuote(UnixPath(dir.File(L"paplay.pid")));
    const std::string playerEnd = ShellQuote(UnixPath(dir.File(L"paplay.end")));
    if (playing) {
        StartNative(player + " & echo $! > " + playerId + "; wait $!; touch " + playerEnd);
    } else {
        // It ends before the sink goes.
        const NativeResult played = RunNative(player);
        EXPECT_EQ(played.exitCode, 0) << played.output;
    }
    // The tone written before the sink goes, however late a loaded machine drains it.
    EXPECT_TRUE(WaitForSoundingFrames(flac, rate / 2));
    if (playing) {
        const NativeResult alive = RunNative("kill -0 $(cat " + playerId + ")");
        EXPECT_EQ(alive.exitCode, 0) << "the tone had ended before the sink went";
    }
    sink.Remove(GetParam().suspendedFirst ? "pactl suspend-sink " + sink.Name() + " 1; " + UntilTheFileGrows(flac)
                                          : std::string());
    const bool ended = recorder.EndsWithin(std::chrono::seconds(20));
    if (playing) {
        // The sound server moves the player's stream to the session's sink:
        // it is stopped here.
        const NativeResult stopped = RunNative("[ -e " + playerEnd + " ] || kill $(cat " + playerId +
                                               "); for i in $(seq 100); do [ -e " + playerEnd +
                                               " ] && exit 0; sleep 0.05; done; exit 1");
        EXPECT_EQ(stopped.exitCode, 0) << "the player is still running";
    }

    const std::wstring text = SoundDeviceLostText(AUDCLNT_E_DEVICE_INVALIDATED);
    EXPECT_NE(text.find(L"错误代码：-2004287484"), std::wstring::npos);
    EXPECT_TRUE(ended) << "the recording went on after its endpoint had gone";
    EXPECT_TRUE(g_stopRecording);
    auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << "no device box after the sink had gone";
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].caption, L"错误");
    EXPECT_TRUE(boxes[0].IsPlainOk());
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].threadId, recorder.ThreadId());
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(UnixPath(flac)));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    EXPECT_GT(SoundingFrames(DecodeFlacSamples(flac)), rate / 2) << "the tone before the removal is missing";

    // Wine's client starts again, and its first poll finds the loss; Windows's
    // refuses to start. Either way the next recording says so.
    g_stopRecording = false;
    const std::wstring again = dir.File(L"again.flac");
    AudioRecordThread next(engine, again);
    EXPECT_TRUE(next.EndsWithin(std::chrono::seconds(20))) << "the next recording went on";
    EXPECT_TRUE(g_stopRecording);
    boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u) << "no device box at the next recording";
    EXPECT_EQ(boxes[1].text, text);
    EXPECT_EQ(boxes[1].threadId, next.ThreadId());
    const NativeResult testAgain = RunNative("flac -t -s " + ShellQuote(UnixPath(again)));
    EXPECT_EQ(testAgain.exitCode, 0) << testAgain.output;
}

TEST_P(AudioDeviceRemovalTest, EndpointRemovedDuringARecordingStopsItWithTheDeviceBox)
{
    // Wine lists a process's endpoints as they were at its first enumeration,
    // so the sinks of every try are loaded before it.
    std::vector<std::string> labels;
    std::vector<std::unique_ptr<OwnSink>> sinks;
    for (int attempt = 1; attempt <= GetParam().tries; ++attempt) {
        labels.push_back(std::string(GetParam().name) + "_" + std::to_string(attempt));
        sinks.push_back(std::make_unique<OwnSink>(SinkName(labels.back()), SinkDescription(labels.back())));
    }
    ComApartment com;
    for (size_t i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(labels[i]);
        RemoveTheSinkWhileRecording(*sinks[i], SinkDescription(labels[i]));
        g_stopRecording = false;
    }
}

INSTANTIATE_TEST_SUITE_P(Removals, AudioDeviceRemovalTest,
                         testing::Values(SinkRemoval{{"tone_stopped_before_the_unload"}, false, false, 1},
                                         SinkRemoval{{"tone_still_playing"}, true, false, 3},
                                         SinkRemoval{{"tone_still_playing_into_a_suspended_sink"}, true, true, 3}),
                         CaseName());

} // namespace
