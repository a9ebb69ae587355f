#pragma once

// A recording of the real sound record loop over the fake Core Audio layer.
#include "AudioCapture.h"
#include "FakeAudioSystem.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using Samples = std::vector<int16_t>;

// count samples rising by step from start, wrapping as 16-bit values do.
Samples Ramp(size_t count, int start, int step);
// count samples of full-scale white noise, the same for the same seed: FLAC
// cannot make them smaller, so every frame of them has a size near its sound's.
Samples Noise(size_t count, uint32_t seed);
Samples Join(std::initializer_list<Samples> parts);
FakeAudioPacket Packet(Samples samples, DWORD flags = 0);
FakeAudioPass Pass(std::vector<FakeAudioPacket> packets);

class AudioRecordingFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<AudioCapture> Engine();
    size_t CallCount(const std::string& call);

    // RecordEndsByItself of AudioRecordThread.h.
    bool RecordEndsByItself(AudioCapture& engine, const std::wstring& path);
    // That thread's id, for the thread of its message boxes.
    DWORD RecordThreadId() const { return m_threadId; }

    FakeAudioSystem audio;
    FakeMMDevice& microphone = audio.AddDevice(L"{capture-1}", L"Microphone (Fake)", eCapture);
    FakeAudioClient& client = microphone.Client();  // stereo, 48 kHz, 960-frame buffer: 10 ms polls
    FakeAudioCaptureClient& capture = client.CaptureClient();
    TempDir dir;

private:
    DWORD m_threadId = 0;
};
