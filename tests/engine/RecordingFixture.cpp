#include "RecordingFixture.h"

#include "Globals.h"
#include "RecordVideo.h"

#include <chrono>

std::shared_ptr<fakes::Picture> Blocks(int w, int h, int seed)
{
    auto p = std::make_shared<fakes::Picture>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t block = static_cast<uint32_t>((y / 8) * 97 + (x / 8) * 31 + seed * 57);
            const uint32_t b = (block * 53) % 200 + 30;
            const uint32_t g = (block * 101 + 80) % 200 + 30;
            const uint32_t r = (block * 29 + 160) % 200 + 30;
            p->At(x, y) = 0xFF000000u | r << 16 | g << 8 | b;
        }
    return p;
}

std::vector<uint32_t> Crop(const fakes::Picture& picture, int left, int top, int w, int h)
{
    std::vector<uint32_t> out;
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            out.push_back(picture.At(x, y));
    return out;
}

RecordingFixture::RecordingFixture(int64_t frequency)
    : m_fakeClock(frequency ? std::make_unique<fakes::FakeClock>(frequency) : nullptr),
      m_path(dir.File(L"Glintcast_Record - test.264"))
{
    UseOutputs({{0, 0, 64, 48}});
}

RecordingFixture::~RecordingFixture()
{
    if (m_thread.joinable()) {
        g_stopRecording = true;
        m_thread.join();
    }
    g_videoCapture = nullptr;
}

void RecordingFixture::SetUp()
{
    g_stopRecording = false;
    g_screenshotRequested = false;
    g_screenshotReady = true;
    g_outputDir = dir.Path();
}

void RecordingFixture::TearDown()
{
    if (m_thread.joinable())
        Finish();
    g_videoCapture = nullptr;
    m_engine.reset();
    EXPECT_EQ(system->Problems(), std::vector<std::string>{});
    EXPECT_EQ(system->HeldReferences(), std::vector<std::string>{});
    if (m_fakeClock) {
        EXPECT_FALSE(m_fakeClock->RanAway()) << "the record loop spun without getting anywhere";
    }
}

void RecordingFixture::UseOutputs(std::vector<RECT> outputs)
{
    system.reset();
    fakes::Clock& time = m_fakeClock ? static_cast<fakes::Clock&>(*m_fakeClock) : m_realClock;
    system = std::make_unique<fakes::FakeSystem>(time, std::move(outputs));
}

VideoCapture& RecordingFixture::Engine()
{
    if (!m_engine) {
        m_engine = std::make_unique<VideoCapture>(0);
        g_videoCapture = m_engine.get();
    }
    return *m_engine;
}

void RecordingFixture::Start(int fps, bool drawCursor, const RECT* region)
{
    Engine();
    if (region)
        m_region = *region;
    const RECT* regionArg = region ? &m_region : nullptr;
    m_done = false;
    m_thread = std::thread([=] {
        m_threadId = GetCurrentThreadId();
        RecordVideo(m_path, fps, drawCursor, regionArg != nullptr, regionArg);
        m_done = true;
    });
}

void RecordingFixture::Finish()
{
    // A recording over the fakes ends on its own; one that does not is a fault,
    // and is stopped so that the test can report it.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!m_done && std::chrono::steady_clock::now() < limit)
        Sleep(5);
    EXPECT_TRUE(m_done) << "the recording did not end";
    if (!m_done)
        g_stopRecording = true;
    m_thread.join();
}

void RecordingFixture::Record(int fps, bool drawCursor, const RECT* region)
{
    Start(fps, drawCursor, region);
    Finish();
}
