#include "FlacSamples.h"

#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

std::vector<int16_t> Decode(const std::wstring& flac, bool whole)
{
    TempDir out;
    const std::wstring raw = out.File(L"decoded.raw");
    const NativeResult result =
        RunNative(std::string("flac -d -s -f ") + (whole ? "" : "--decode-through-errors ") +
                  "--force-raw-format --endian=little --sign=signed -o " + ShellQuote(UnixPath(raw)) + " " +
                  ShellQuote(UnixPath(flac)));
    if (whole) {
        EXPECT_EQ(result.exitCode, 0) << result.output;
    }
    const auto bytes = ReadFileBytes(raw);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return samples;
}

} // namespace

std::vector<int16_t> DecodeFlacSamples(const std::wstring& flac)
{
    return Decode(flac, true);
}

std::vector<int16_t> DecodeFlacSamplesSoFar(const std::wstring& flac)
{
    return Decode(flac, false);
}

bool ReadFlacStreamInfo(const std::vector<unsigned char>& file, FlacStreamInfo* info)
{
    // "fLaC", then the block header (type 0, length 34); the stream description
    // starts 10 bytes into the block, after the block and frame size bounds.
    if (file.size() < 8 + 34 || std::string(file.begin(), file.begin() + 4) != "fLaC" || (file[4] & 0x7F) != 0 ||
        (file[5] << 16 | file[6] << 8 | file[7]) != 34)
        return false;
    const unsigned char* p = file.data() + 8 + 10;
    info->sampleRate = static_cast<uint32_t>(p[0]) << 12 | p[1] << 4 | p[2] >> 4;
    info->channels = ((p[2] >> 1) & 0x7) + 1;
    info->bitsPerSample = ((p[2] & 0x1) << 4 | p[3] >> 4) + 1;
    info->totalSamples = static_cast<uint64_t>(p[3] & 0xF) << 32 | static_cast<uint64_t>(p[4]) << 24 |
                         p[5] << 16 | p[6] << 8 | p[7];
    return true;
}
