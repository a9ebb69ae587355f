#pragma once

#include <cstdint>
#include <vector>

// Watches a program's use of libFLAC's stream encoder. A program linked with
//   -Wl,--wrap=FLAC__stream_encoder_new -Wl,--wrap=FLAC__stream_encoder_process_interleaved
// (the glintcast_flac_probe target) makes those calls through here.
namespace FlacEncoderProbe {

// The next FLAC__stream_encoder_new yields no encoder, as when memory runs out.
void FailNextNew();
// Frames of every process call since the last Reset, in order.
std::vector<uint32_t> ProcessedFrames();
void Reset();

} // namespace FlacEncoderProbe
