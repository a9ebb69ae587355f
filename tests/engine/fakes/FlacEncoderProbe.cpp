#include "FlacEncoderProbe.h"

#include <FLAC/stream_encoder.h>

#include <atomic>
#include <mutex>

namespace {

std::atomic<bool> g_failNextNew{false};
std::mutex g_mutex;
std::vector<uint32_t> g_processedFrames;

} // namespace

extern "C" {

FLAC__StreamEncoder* __real_FLAC__stream_encoder_new(void);
FLAC__bool __real_FLAC__stream_encoder_process_interleaved(FLAC__StreamEncoder* encoder, const FLAC__int32 buffer[],
                                                           uint32_t samples);

FLAC__StreamEncoder* __wrap_FLAC__stream_encoder_new(void)
{
    if (g_failNextNew.exchange(false))
        return nullptr;
    return __real_FLAC__stream_encoder_new();
}

FLAC__bool __wrap_FLAC__stream_encoder_process_interleaved(FLAC__StreamEncoder* encoder, const FLAC__int32 buffer[],
                                                           uint32_t samples)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_processedFrames.push_back(samples);
    }
    return __real_FLAC__stream_encoder_process_interleaved(encoder, buffer, samples);
}

} // extern "C"

namespace FlacEncoderProbe {

void FailNextNew()
{
    g_failNextNew = true;
}

std::vector<uint32_t> ProcessedFrames()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_processedFrames;
}

void Reset()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_processedFrames.clear();
    g_failNextNew = false;
}

} // namespace FlacEncoderProbe
