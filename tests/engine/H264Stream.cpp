#include "H264Stream.h"

#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

class BitReader
{
public:
    explicit BitReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
    bool Ok() const { return m_ok; }
    uint32_t Bits(int n)
    {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            if (m_pos >= m_bytes.size() * 8) {
                m_ok = false;
                return 0;
            }
            v = v << 1 | ((m_bytes[m_pos / 8] >> (7 - m_pos % 8)) & 1);
            ++m_pos;
        }
        return v;
    }
    bool Flag() { return Bits(1) != 0; }
    // Whether anything but the stop bit and its zero padding is left.
    bool MoreRbspData() const
    {
        size_t last = m_bytes.size() * 8;
        while (last > 0 && !((m_bytes[(last - 1) / 8] >> (7 - (last - 1) % 8)) & 1))
            --last;
        return last > 0 && m_pos < last - 1;
    }
    uint32_t Ue()
    {
        int zeros = 0;
        while (m_ok && !Flag() && zeros < 32)
            ++zeros;
        return (1u << zeros) - 1 + Bits(zeros);
    }
    int32_t Se()
    {
        const uint32_t k = Ue();
        return k & 1 ? static_cast<int32_t>((k + 1) / 2) : -static_cast<int32_t>(k / 2);
    }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_pos = 0;
    bool m_ok = true;
};

void SkipScalingList(BitReader& r, int size)
{
    int last = 8;
    int next = 8;
    for (int j = 0; j < size; ++j) {
        if (next != 0)
            next = (last + r.Se() + 256) % 256;
        last = next == 0 ? last : next;
    }
}

uint32_t FirstMbInSlice(const NalUnit& slice)
{
    BitReader r(slice.rbsp);
    return r.Ue();
}

bool IsSlice(int type) { return type == 1 || type == 5; }

enum SliceType { kP = 0, kB = 1, kI = 2, kSP = 3, kSI = 4 };

// ref_pic_list_modification() for one list.
void SkipRefPicListModification(BitReader& r)
{
    if (!r.Flag())
        return;
    uint32_t idc = 0;
    do {
        idc = r.Ue();
        if (idc <= 2)
            r.Ue();
    } while (idc != 3 && r.Ok());
}

// dec_ref_pic_marking() of a reference slice.
void SkipDecRefPicMarking(BitReader& r, bool idr)
{
    if (idr) {
        r.Flag();  // no_output_of_prior_pics
        r.Flag();  // long_term_reference
        return;
    }
    if (!r.Flag())
        return;
    uint32_t operation = 0;
    do {
        operation = r.Ue();
        if (operation != 0 && operation != 5)
            r.Ue();  // the one number of operations 1, 2, 4 and 6, the first of 3
        if (operation == 3)
            r.Ue();  // long_term_frame_idx
    } while (operation != 0 && r.Ok());
}

// Counts the slices that break one rule of the stream, and tells the first.
class SliceRule
{
public:
    explicit SliceRule(const char* what) : m_what(what) {}
    void Check(bool kept, int picture, int value)
    {
        if (kept)
            return;
        if (m_broken++ == 0)
            m_first = "picture " + std::to_string(picture) + ": " + std::to_string(value);
    }
    void Expect() const { EXPECT_EQ(m_broken, 0) << m_what << "; first in " << m_first; }

private:
    const char* m_what;
    int m_broken = 0;
    std::string m_first;
};

const std::vector<uint8_t> kOurSei = {0x06, 0x05, 26,  0xdc, 0x45, 0xe9, 0xbd, 0xe6, 0xd9, 0x48, 0xb7,
                                      0x96, 0x2c, 0xd8, 0x20, 0xd9, 0x23, 0xee, 0xef, 'G',  'l',  'i',
                                      'n',  't',  'c',  'a',  's',  't',  0x00, 0x80};

} // namespace

std::vector<NalUnit> SplitAnnexB(const std::vector<uint8_t>& s, bool* startsWithCode)
{
    // Positions of the first byte after every 00 00 01.
    std::vector<size_t> starts;
    std::vector<size_t> codes;
    for (size_t i = 0; i + 2 < s.size(); ++i)
        if (s[i] == 0 && s[i + 1] == 0 && s[i + 2] == 1) {
            codes.push_back(i > 0 && s[i - 1] == 0 ? i - 1 : i);
            starts.push_back(i + 3);
            i += 2;
        }
    if (startsWithCode)
        *startsWithCode = !codes.empty() && codes[0] == 0;
    std::vector<NalUnit> units;
    for (size_t k = 0; k < starts.size(); ++k) {
        const size_t end = k + 1 < starts.size() ? codes[k + 1] : s.size();
        NalUnit u;
        u.offset = codes[k];
        u.bytes.assign(s.begin() + starts[k], s.begin() + end);
        if (u.bytes.empty())
            continue;
        u.type = u.bytes[0] & 0x1F;
        int zeros = 0;
        for (size_t i = 1; i < u.bytes.size(); ++i) {
            const uint8_t b = u.bytes[i];
            if (zeros >= 2 && b == 3) {
                zeros = 0;  // an emulation prevention byte
                continue;
            }
            u.rbsp.push_back(b);
            zeros = b == 0 ? zeros + 1 : 0;
        }
        units.push_back(std::move(u));
    }
    return units;
}

bool ParseSps(const std::vector<uint8_t>& rbsp, SpsInfo* sps)
{
    BitReader r(rbsp);
    sps->profileIdc = static_cast<int>(r.Bits(8));
    r.Bits(16);  // constraint flags, level
    r.Ue();      // seq_parameter_set_id
    static const int kHigh[] = {100, 110, 122, 244, 44, 83, 86, 118, 128, 138, 139, 134, 135};
    if (std::find(std::begin(kHigh), std::end(kHigh), sps->profileIdc) != std::end(kHigh)) {
        sps->chromaFormatIdc = static_cast<int>(r.Ue());
        if (sps->chromaFormatIdc == 3)
            sps->separateColourPlanes = r.Flag();
        sps->bitDepthLuma = 8 + static_cast<int>(r.Ue());
        sps->bitDepthChroma = 8 + static_cast<int>(r.Ue());
        r.Flag();  // transform bypass
        if (r.Flag())
            for (int i = 0; i < (sps->chromaFormatIdc != 3 ? 8 : 12); ++i)
                if (r.Flag())
                    SkipScalingList(r, i < 6 ? 16 : 64);
    }
    sps->log2MaxFrameNum = 4 + static_cast<int>(r.Ue());
    sps->pocType = static_cast<int>(r.Ue());
    if (sps->pocType == 0) {
        sps->log2MaxPocLsb = 4 + static_cast<int>(r.Ue());
    } else if (sps->pocType == 1) {
        sps->deltaPicOrderAlwaysZero = r.Flag();
        r.Se();
        r.Se();
        const uint32_t n = r.Ue();
        for (uint32_t i = 0; i < n && r.Ok(); ++i)
            r.Se();
    }
    sps->maxNumRefFrames = static_cast<int>(r.Ue());
    r.Flag();  // gaps
    const uint32_t widthMbs = r.Ue() + 1;
    const uint32_t heightUnits = r.Ue() + 1;
    const bool frameMbsOnly = r.Flag();
    sps->frameMbsOnly = frameMbsOnly;
    if (!frameMbsOnly)
        r.Flag();
    r.Flag();  // direct_8x8_inference
    uint32_t crop[4] = {};
    if (r.Flag())
        for (auto& c : crop)
            c = r.Ue();
    const int cropX = sps->chromaFormatIdc == 1 || sps->chromaFormatIdc == 2 ? 2 : 1;
    const int cropY = (sps->chromaFormatIdc == 1 ? 2 : 1) * (frameMbsOnly ? 1 : 2);
    sps->width = static_cast<int>(widthMbs * 16 - (crop[0] + crop[1]) * cropX);
    sps->height = static_cast<int>(heightUnits * 16 * (frameMbsOnly ? 1 : 2) - (crop[2] + crop[3]) * cropY);
    if (r.Flag()) {  // VUI
        if (r.Flag()) {
            sps->sarIdc = static_cast<int>(r.Bits(8));
            if (sps->sarIdc == 255)
                r.Bits(32);
        }
        if (r.Flag())
            r.Flag();  // overscan
        if (r.Flag()) {
            r.Bits(4);  // video format, full range
            if (r.Flag()) {
                sps->colourPrimaries = static_cast<int>(r.Bits(8));
                r.Bits(8);
                sps->matrixCoefficients = static_cast<int>(r.Bits(8));
            }
        }
        if (r.Flag()) {
            r.Ue();
            r.Ue();
        }
        sps->timing = r.Flag();
        if (sps->timing) {
            sps->unitsInTick = r.Bits(32);
            sps->timeScale = r.Bits(32);
            sps->fixedFrameRate = r.Flag();
        }
    }
    return r.Ok();
}

bool ParsePps(const std::vector<uint8_t>& rbsp, PpsInfo* pps)
{
    BitReader r(rbsp);
    r.Ue();  // pic_parameter_set_id
    r.Ue();  // seq_parameter_set_id
    pps->cabac = r.Flag();
    pps->bottomFieldPicOrderPresent = r.Flag();
    pps->sliceGroups = static_cast<int>(r.Ue()) + 1;
    if (pps->sliceGroups != 1)
        return false;
    r.Ue();  // num_ref_idx_l0_default_active_minus1
    r.Ue();  // num_ref_idx_l1_default_active_minus1
    pps->weightedPred = r.Flag();
    pps->weightedBipredIdc = static_cast<int>(r.Bits(2));
    pps->picInitQp = 26 + r.Se();
    r.Se();  // pic_init_qs_minus26
    r.Se();  // chroma_qp_index_offset
    pps->deblockingControlPresent = r.Flag();
    r.Flag();  // constrained_intra_pred
    pps->redundantPicCountPresent = r.Flag();
    if (r.MoreRbspData())
        pps->transform8x8 = r.Flag();
    return r.Ok();
}

bool ParseSliceHeader(const NalUnit& slice, const SpsInfo& sps, const PpsInfo& pps, SliceHeader* header)
{
    BitReader r(slice.rbsp);
    const bool idr = slice.type == 5;
    header->firstMb = r.Ue();
    header->type = static_cast<int>(r.Ue() % 5);
    const int type = header->type;
    r.Ue();  // pic_parameter_set_id
    if (sps.separateColourPlanes)
        r.Bits(2);
    r.Bits(sps.log2MaxFrameNum);  // frame_num
    bool field = false;
    if (!sps.frameMbsOnly && (field = r.Flag()))
        r.Flag();  // bottom_field
    if (idr)
        r.Ue();  // idr_pic_id
    if (sps.pocType == 0) {
        r.Bits(sps.log2MaxPocLsb);
        if (pps.bottomFieldPicOrderPresent && !field)
            r.Se();
    } else if (sps.pocType == 1 && !sps.deltaPicOrderAlwaysZero) {
        r.Se();
        if (pps.bottomFieldPicOrderPresent && !field)
            r.Se();
    }
    if (pps.redundantPicCountPresent)
        r.Ue();
    if (type == kB)
        r.Flag();  // direct_spatial_mv_pred
    if ((type == kP || type == kSP || type == kB) && r.Flag()) {
        r.Ue();  // num_ref_idx_l0_active_minus1
        if (type == kB)
            r.Ue();
    }
    if (type != kI && type != kSI)
        SkipRefPicListModification(r);
    if (type == kB)
        SkipRefPicListModification(r);
    if ((pps.weightedPred && (type == kP || type == kSP)) || (pps.weightedBipredIdc == 1 && type == kB))
        return false;  // pred_weight_table
    if ((slice.bytes[0] >> 5) & 3)
        SkipDecRefPicMarking(r, idr);
    if (pps.cabac && type != kI && type != kSI)
        r.Ue();  // cabac_init_idc
    header->qp = pps.picInitQp + r.Se();
    if (type == kSP || type == kSI) {
        if (type == kSP)
            r.Flag();
        r.Se();  // slice_qs_delta
    }
    header->disableDeblocking = 0;
    if (pps.deblockingControlPresent) {
        header->disableDeblocking = static_cast<int>(r.Ue());
        if (header->disableDeblocking != 1) {
            r.Se();
            r.Se();
        }
    }
    return r.Ok();
}

int CheckRecordedStream(const std::vector<uint8_t>& stream, int fps, int width, int height)
{
    bool startsWithCode = false;
    const auto units = SplitAnnexB(stream, &startsWithCode);
    EXPECT_TRUE(startsWithCode) << "the stream must begin with a start code";
    if (units.empty()) {
        ADD_FAILURE() << "no NAL units in a stream of " << stream.size() << " bytes";
        return -1;
    }
    const std::string banner = "x264";
    EXPECT_EQ(std::search(stream.begin(), stream.end(), banner.begin(), banner.end()), stream.end())
        << "the encoder's banner is in the stream";

    int pictures = 0;
    int seis = 0;
    SpsInfo sps;
    PpsInfo pps;
    bool haveSps = false;
    bool havePps = false;
    SliceRule constantQp("slices whose QP is not 23");
    SliceRule noBSlices("slices neither I nor P");
    SliceRule noDeblocking("slices with the deblocking filter on");
    SliceRule readable("slice headers that cannot be read");
    bool spsSincePicture = false;
    bool ppsSincePicture = false;
    bool seiBeforeFirstSlice = false;
    for (const auto& u : units) {
        switch (u.type) {
        case 7: {
            spsSincePicture = haveSps = true;
            EXPECT_TRUE(ParseSps(u.rbsp, &sps));
            EXPECT_EQ(sps.profileIdc, 244) << "High 4:4:4 Predictive";
            EXPECT_EQ(sps.chromaFormatIdc, 3);
            EXPECT_EQ(sps.bitDepthLuma, 8);
            EXPECT_EQ(sps.width, width);
            EXPECT_EQ(sps.height, height);
            EXPECT_EQ(sps.sarIdc, 1) << "square samples";
            EXPECT_EQ(sps.colourPrimaries, 1) << "BT.709";
            EXPECT_TRUE(sps.timing && sps.fixedFrameRate);
            if (sps.unitsInTick) {
                EXPECT_EQ(sps.timeScale / (2.0 * sps.unitsInTick), fps) << "frame rate of the timing information";
            }
            EXPECT_EQ(sps.maxNumRefFrames, 1) << "one reference picture";
            break;
        }
        case 8:
            ppsSincePicture = true;
            havePps = true;
            EXPECT_TRUE(ParsePps(u.rbsp, &pps));
            EXPECT_FALSE(pps.cabac) << "CAVLC";
            EXPECT_FALSE(pps.transform8x8);
            EXPECT_FALSE(pps.weightedPred);
            EXPECT_EQ(pps.weightedBipredIdc, 0);
            EXPECT_TRUE(pps.deblockingControlPresent) << "the slices must be able to turn the filter off";
            break;
        case 6:
            ++seis;
            EXPECT_EQ(u.bytes, kOurSei) << "the SEI must be the program's own";
            EXPECT_EQ(pictures, 0) << "the SEI belongs to the first access unit";
            EXPECT_TRUE(spsSincePicture && ppsSincePicture) << "the SEI comes after SPS and PPS";
            seiBeforeFirstSlice = pictures == 0;
            break;
        case 1:
        case 5: {
            SliceHeader slice;
            const bool read = haveSps && havePps && ParseSliceHeader(u, sps, pps, &slice);
            readable.Check(read, pictures, u.type);
            if (read) {
                constantQp.Check(slice.qp == 23, pictures, slice.qp);
                noBSlices.Check(slice.type == kP || slice.type == kI, pictures, slice.type);
                noDeblocking.Check(slice.disableDeblocking == 1, pictures, slice.disableDeblocking);
            }
            if (FirstMbInSlice(u) == 0) {
                EXPECT_EQ(u.type == 5, pictures % 250 == 0) << "picture " << pictures << ": keyframes every 250";
                if (u.type == 5) {
                    EXPECT_TRUE(spsSincePicture && ppsSincePicture)
                        << "keyframe " << pictures << " without SPS and PPS before it";
                }
                if (pictures == 0) {
                    EXPECT_TRUE(seiBeforeFirstSlice) << "the SEI comes before the first slice";
                }
                ++pictures;
                spsSincePicture = ppsSincePicture = false;
            }
            break;
        }
        default:
            ADD_FAILURE() << "unexpected NAL unit type " << u.type;
        }
    }
    EXPECT_EQ(seis, 1) << "exactly one SEI in the stream";
    for (const SliceRule* rule : {&readable, &constantQp, &noBSlices, &noDeblocking})
        rule->Expect();
    EXPECT_EQ(units.front().type, 7) << "the stream starts with its SPS";
    EXPECT_TRUE(IsSlice(units.back().type));
    return pictures;
}

int DecodedStream::Pictures() const
{
    const size_t picture = static_cast<size_t>(width) * height * 4;
    return picture ? static_cast<int>(bgra.size() / picture) : 0;
}

double DecodedStream::Difference(int index, const std::vector<uint32_t>& expected) const
{
    const size_t count = static_cast<size_t>(width) * height;
    const uint8_t* p = bgra.data() + count * 4 * index;
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        for (int c = 0; c < 3; ++c)
            sum += std::abs(static_cast<int>(p[i * 4 + c]) - static_cast<int>((expected[i] >> (8 * c)) & 0xFF));
    return sum / (count * 3);
}

DecodedStream DecodeStream(const std::wstring& path, int width, int height)
{
    TempDir dir;
    const std::wstring raw = dir.File(L"decoded.bgra");
    const NativeResult result =
        RunNative("ffmpeg -nostdin -v error -f h264 -i " + ShellQuote(UnixPath(path)) +
                  " -fps_mode passthrough -f rawvideo -pix_fmt bgra -y " + ShellQuote(UnixPath(raw)));
    DecodedStream decoded;
    decoded.exitCode = result.exitCode;
    decoded.messages = result.output;
    decoded.width = width;
    decoded.height = height;
    if (PathExists(raw))
        decoded.bgra = ReadFileBytes(raw);
    return decoded;
}
