#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The interleaved 16-bit samples of a FLAC file, as the machine's own flac
// decodes them; a decoding failure is a test failure.
std::vector<int16_t> DecodeFlacSamples(const std::wstring& flac);
