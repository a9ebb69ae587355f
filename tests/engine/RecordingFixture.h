#pragma once

// A recording of the real RecordVideo over the fake duplication, on a thread of
// its own as the video record thread runs it.
#include "FakeClock.h"
#include "FakeSystem.h"
#include "RealClock.h"
#include "MessageBoxWatcher.h"
#include "TempDir.h"
#include "VideoCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// A picture of flat 8 x 8 blocks, each of its own colour for the seed: such
// pictures come back from the encoder nearly unchanged, and pictures of other
// seeds differ from them everywhere.
std::shared_ptr<fakes::Picture> Blocks(int w, int h, int seed);

// The w x h rectangle at (left, top) of a picture, packed.
std::vector<uint32_t> Crop(const fakes::Picture& picture, int left, int top, int w, int h);

class RecordingFixture : public testing::Test
{
protected:
    // On the fake clock at this frequency, or in real time with frequency 0.
    explicit RecordingFixture(int64_t frequency = 10'000'000);
    ~RecordingFixture() override;
    void SetUp() override;
    void TearDown() override;

    // Replaces the fake system by one with these outputs; before the engine exists.
    void UseOutputs(std::vector<RECT> outputs);
    // The engine of output 0, built on first use and set as g_videoCapture.
    VideoCapture& Engine();

    // Runs RecordVideo to its end.
    void Record(int fps, bool drawCursor = false, const RECT* region = nullptr);
    // Starts it; Finish waits for it to return.
    void Start(int fps, bool drawCursor = false, const RECT* region = nullptr);
    void Finish();
    bool Running() const { return !m_done; }

    std::vector<uint8_t> Stream() const { return ReadFileBytes(m_path); }
    const std::wstring& StreamPath() const { return m_path; }
    fakes::FakeClock& Clock() { return *m_fakeClock; }
    // Clock ticks in one frame slot at fps, rounded down.
    int64_t Slot(int fps) const { return m_fakeClock->Frequency() / fps; }
    // The recording thread's id, for the owner thread of its message boxes.
    DWORD RecordThreadId() const { return m_threadId; }

private:
    std::unique_ptr<fakes::FakeClock> m_fakeClock;
    fakes::RealClock m_realClock;

protected:
    std::unique_ptr<fakes::FakeSystem> system;
    MessageBoxWatcher boxes;
    TempDir dir;

private:
    std::wstring m_path;
    std::thread m_thread;
    std::atomic<bool> m_done{true};
    std::atomic<DWORD> m_threadId{0};
    RECT m_region{};
    std::unique_ptr<VideoCapture> m_engine;
};
