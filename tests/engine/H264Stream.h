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
    bool separateColourPlanes = false;
    int bitDepthLuma = 8;
    int bitDepthChroma = 8;
    // What the slice headers need to be read.
    int log2MaxFrameNum = 4;
    int pocType = 0;
    int log2MaxPocLsb = 4;
    bool deltaPicOrderAlwaysZero = false;
    bool frameMbsOnly = true;
    int maxNumRefFrames = 0;
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

struct PpsInfo
{
    bool cabac = false;
    bool bottomFieldPicOrderPresent = false;
    int sliceGroups = 1;
    bool weightedPred = false;
    int weightedBipredIdc = 0;
    int picInitQp = 26;
    bool deblockingControlPresent = false;
    bool redundantPicCountPresent = false;
    bool transform8x8 = false;
};

// False when the picture parameter set cannot be read.
bool ParsePps(const std::vector<uint8_t>& rbsp, PpsInfo* pps);

struct SliceHeader
{
    uint32_t firstMb = 0;
    int type = 0;  // slice_type modulo 5: 0 P, 1 B, 2 I, 3 SP, 4 SI
    int qp = 0;    // pic_init_qp + slice_qp_delta
    int disableDeblocking = 0;  // disable_deblocking_filter_idc
};

// The slice header of a slice NAL unit up to its deblocking fields. False when
// it cannot be read, or uses what the recorder's streams never have (several
// slice groups, weighted prediction).
bool ParseSliceHeader(const NalUnit& slice, const SpsInfo& sps, const PpsInfo& pps, SliceHeader* header);

// What a stream must be, checked with gtest expectations: start codes, one SPS
// and PPS before every keyframe, keyframes every 250 pictures, High 4:4:4
// Predictive at the given size, square samples, BT.709 primaries, the frame rate
// in its timing information, the program's SEI exactly once in the first access
// unit and no encoder banner; constant quantiser 23 in every slice, and what the
// ultrafast preset and the zero-latency tune give: I and P slices only, one
// reference picture, CAVLC, no 8x8 transform, no weighted prediction, no
// deblocking.
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
