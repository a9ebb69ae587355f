#pragma once

// Reading back the raw H.264 streams the recorder writes, to check them.
#include <cstdint>
#include <string>
#include <vector>

struct NalUnit
{
    size_t offset = 0;  // of its start code in the stream
    int type = 0;
    std::vector<uint8_t> bytes;  // the unit after its start code, header byte included
    std::vector<uint8_t> rbsp;   // after the header byte, emulation prevention removed
};

// The NAL units of an Annex B byte stream. startsWithCode tells whether the
// stream begins with a start code (nothing before the first unit).
std::vector<NalUnit> SplitAnnexB(const std::vector<uint8_t>& stream, bool* startsWithCode = nullptr);

struct SpsInfo
{
    int profileIdc = 0;
    int chromaFormatIdc = 1;
    int bitDepthLuma = 8;
    int bitDepthChroma = 8;
    int width = 0;
    int height = 0;
    int sarIdc = -1;  // -1: no aspect ratio information
    int colourPrimaries = -1;
    int matrixCoefficients = -1;
    bool timing = false;
    uint32_t unitsInTick = 0;
    uint32_t timeScale = 0;
    bool fixedFrameRate = false;
};

// False when the sequence parameter set cannot be read.
bool ParseSps(const std::vector<uint8_t>& rbsp, SpsInfo* sps);

// What a stream must be, checked with gtest expectations: start codes, one SPS
// and PPS before every keyframe, High 4:4:4 Predictive at the given size, square
// samples, BT.709 primaries, the frame rate in its timing information, the
// program's SEI exactly once in the first access unit and no encoder banner.
// Returns the number of pictures, -1 when the stream is unusable.
int CheckRecordedStream(const std::vector<uint8_t>& stream, int fps, int width, int height);

// The stream decoded by the machine's own ffmpeg into BGRA pictures.
struct DecodedStream
{
    int exitCode = -1;
    std::string messages;  // what ffmpeg reported; empty when it decoded without complaint
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra;

    int Pictures() const;
    // The mean difference per colour sample between picture index and the expected
    // pixels (packed BGRA, top row first; the fourth byte is not compared).
    double Difference(int index, const std::vector<uint32_t>& expected) const;
};

DecodedStream DecodeStream(const std::wstring& path, int width, int height);
