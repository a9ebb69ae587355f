#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <x264.h>

// The first access unit of every stream carries one user-data-unregistered SEI
// naming the program, in place of the banner SEI that x264 writes there itself.

// The SEI NAL unit with its start code: UUID dc45e9bd-e6d9-48b7-962c-d820d923eeef,
// "Glintcast" and a zero byte, 26 payload bytes.
extern const uint8_t kVersionSeiNal[34];

struct BytePiece
{
    const uint8_t* data;
    size_t size;
};

// The bytes of the encoder's first output in stream order, without the encoder's
// own user-data-unregistered SEI and with kVersionSeiNal before the first slice.
// Adjacent NAL units that lie one after another in memory form one piece.
std::vector<BytePiece> FirstAccessUnitPieces(const x264_nal_t* nals, int count);

// The payload type of the first message of an SEI NAL unit (start code
// included), or -1 when the unit is too short to tell.
int FirstSeiPayloadType(const uint8_t* nal, size_t size);
