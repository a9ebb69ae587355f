#include "FailingEncoder.h"

#include <atomic>

#include <x264.h>

// The program is linked with --wrap=x264_encoder_encode: the record loop's calls
// come here, and the library's own is __real_x264_encoder_encode.
extern "C" int __real_x264_encoder_encode(x264_t*, x264_nal_t**, int*, x264_picture_t*, x264_picture_t*);

namespace {

// Written by the test's thread, read on the video thread.
std::atomic<bool> s_armed{false};
std::atomic<int> s_calls{0};
std::atomic<int> s_failingCall{-1};

} // namespace

extern "C" int __wrap_x264_encoder_encode(x264_t* encoder, x264_nal_t** nals, int* count, x264_picture_t* in,
                                          x264_picture_t* out)
{
    if (s_armed && s_calls++ == s_failingCall) {
        *count = 0;
        return -1;
    }
    return __real_x264_encoder_encode(encoder, nals, count, in, out);
}

FailingEncoder::FailingEncoder(int failingCall)
{
    s_calls = 0;
    s_failingCall = failingCall;
    s_armed = true;
}

FailingEncoder::~FailingEncoder()
{
    s_armed = false;
}

int FailingEncoder::Calls() const
{
    return s_calls;
}
