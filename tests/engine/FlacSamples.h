#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The interleaved 16-bit samples of a FLAC file, as the machine's own flac
// decodes them; a decoding failure is a test failure.
std::vector<int16_t> DecodeFlacSamples(const std::wstring& flac);

// The same of a FLAC file that a recording is still writing: the samples of the
// frames it holds so far. A frame cut short or a stream description not yet
// complete is no failure.
std::vector<int16_t> DecodeFlacSamplesSoFar(const std::wstring& flac);

// The stream description of a FLAC file's STREAMINFO block.
struct FlacStreamInfo
{
    uint32_t sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    uint64_t totalSamples = 0;  // per channel
};

// False when the file does not begin with "fLaC" and a STREAMINFO block.
bool ReadFlacStreamInfo(const std::vector<unsigned char>& file, FlacStreamInfo* info);
