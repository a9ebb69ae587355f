#include "FlacSamples.h"

#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

std::vector<int16_t> DecodeFlacSamples(const std::wstring& flac)
{
    TempDir out;
    const std::wstring raw = out.File(L"decoded.raw");
    const NativeResult result =
        RunNative("flac -d -s -f --force-raw-format --endian=little --sign=signed -o " + ShellQuote(UnixPath(raw)) +
                  " " + ShellQuote(UnixPath(flac)));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    const auto bytes = ReadFileBytes(raw);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return samples;
}
