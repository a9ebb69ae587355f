#pragma once

// An encoder that breaks. While a FailingEncoder lives, the chosen call of
// x264_encoder_encode (counted from 0 since it was made; -1 for none) fails as a
// broken encoder would: no units and a result below 1. Every other call encodes.
// A program that links this has its calls of x264_encoder_encode wrapped.
class FailingEncoder
{
public:
    explicit FailingEncoder(int failingCall);
    ~FailingEncoder();
    FailingEncoder(const FailingEncoder&) = delete;
    FailingEncoder& operator=(const FailingEncoder&) = delete;

    // Encode calls since it was made, the failing one included.
    int Calls() const;
};
