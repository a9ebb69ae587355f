#include "VersionSei.h"

const uint8_t kVersionSeiNal[34] = {
    0x00, 0x00, 0x00, 0x01,  // start code
    0x06,                    // NAL unit header: SEI
    0x05,                    // payload type: user data unregistered
    26,                      // payload size
    0xdc, 0x45, 0xe9, 0xbd, 0xe6, 0xd9, 0x48, 0xb7, 0x96, 0x2c, 0xd8, 0x20, 0xd9, 0x23, 0xee, 0xef,
    'G', 'l', 'i', 'n', 't', 'c', 'a', 's', 't', 0x00,
    0x80,  // rbsp trailing bits
};

int FirstSeiPayloadType(const uint8_t* nal, size_t size)
{
    size_t i = 0;
    while (i < size && nal[i] == 0)
        ++i;
    if (i >= size || nal[i] != 1)
        return -1;
    i += 2;  // the 01 of the start code and the NAL unit header
    int type = 0;
    while (i < size && nal[i] == 0xFF) {
        type += 255;
        ++i;
    }
    return i < size ? type + nal[i] : -1;
}

std::vector<BytePiece> FirstAccessUnitPieces(const x264_nal_t* nals, int count)
{
    std::vector<BytePiece> pieces;
    auto append = [&](const uint8_t* data, size_t size) {
        if (!pieces.empty() && pieces.back().data + pieces.back().size == data)
            pieces.back().size += size;
        else
            pieces.push_back({data, size});
    };
    bool inserted = false;
    for (int i = 0; i < count; ++i) {
        const x264_nal_t& nal = nals[i];
        const size_t size = static_cast<size_t>(nal.i_payload);
        if (nal.i_type == NAL_SEI && FirstSeiPayloadType(nal.p_payload, size) == 5)
            continue;  // the encoder's banner
        const bool slice = nal.i_type >= NAL_SLICE && nal.i_type <= NAL_SLICE_IDR;
        if (slice && !inserted) {
            pieces.push_back({kVersionSeiNal, sizeof kVersionSeiNal});
            inserted = true;
        }
        append(nal.p_payload, size);
    }
    if (!inserted)
        pieces.push_back({kVersionSeiNal, sizeof kVersionSeiNal});
    return pieces;
}
