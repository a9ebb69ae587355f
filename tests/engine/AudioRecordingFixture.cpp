#include "AudioRecordingFixture.h"

#include "AudioRecordThread.h"
#include "Globals.h"

#include <algorithm>

Samples Ramp(size_t count, int start, int step)
{
    Samples samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<int16_t>(static_cast<uint16_t>(start + static_cast<int>(i) * step));
    return samples;
}

Samples Noise(size_t count, uint32_t seed)
{
    Samples samples(count);
    uint32_t state = seed * 2654435761u + 1;
    for (int16_t& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<int16_t>(state >> 16);
    }
    return samples;
}

Samples Join(std::initializer_list<Samples> parts)
{
    Samples all;
    for (const Samples& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

FakeAudioPacket Packet(Samples samples, DWORD flags)
{
    return FakeAudioPacket{std::move(samples), flags};
}

FakeAudioPass Pass(std::vector<FakeAudioPacket> packets)
{
    FakeAudioPass pass;
    pass.packets = std::move(packets);
    return pass;
}

void AudioRecordingFixture::SetUp()
{
    g_stopRecording = false;
}

void AudioRecordingFixture::TearDown()
{
    g_stopRecording = false;
}

std::unique_ptr<AudioCapture> AudioRecordingFixture::Engine()
{
    auto engine = std::make_unique<AudioCapture>(true, microphone.Id());
    EXPECT_EQ(engine->m_hr, 0);
    return engine;
}

size_t AudioRecordingFixture::CallCount(const std::string& call)
{
    const auto calls = audio.Log().Calls();
    return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
}

bool AudioRecordingFixture::RecordEndsByItself(AudioCapture& engine, const std::wstring& path)
{
    return ::RecordEndsByItself(engine, path, &m_threadId);
}
