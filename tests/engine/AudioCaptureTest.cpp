// The sound-capture engine's construction over the fake Core Audio layer, and
// its plain arithmetic: the mix-format rewrite, the buffer duration, widening.
#include "AudioCapture.h"

#include "AudioEndpointList.h"
#include "FakeAudioSystem.h"
#include "NamedCase.h"

#include <gtest/gtest.h>

#include <ksmedia.h>

#include <cstring>
#include <memory>

namespace {

const GUID kFloat = {STATIC_KSDATAFORMAT_SUBTYPE_IEEE_FLOAT};
const GUID kPcm = {STATIC_KSDATAFORMAT_SUBTYPE_PCM};
const GUID kAdpcm = {STATIC_KSDATAFORMAT_SUBTYPE_ADPCM};

const std::vector<std::string> kAllSteps = {"CoCreateInstance", "Enumerator.GetDevice", "Device.Activate",
                                            "Client.GetMixFormat", "Client.Initialize", "Client.GetBufferSize",
                                            "Client.GetService"};

class AudioCaptureTest : public testing::Test
{
protected:
    FakeAudioSystem audio;
    FakeMMDevice& speakers = audio.AddDevice(L"{render-1}", L"Speakers (Fake)", eRender);
    FakeMMDevice& microphone = audio.AddDevice(L"{capture-1}", L"Microphone (Fake)", eCapture);
};

// Where construction stops: the step that gives the result, and the result.
struct StepResult : NamedCase
{
    size_t step;  // index into kAllSteps
    HRESULT result;
};

class AudioCaptureStepTest : public AudioCaptureTest, public testing::WithParamInterface<StepResult>
{
protected:
    void Script(size_t step, HRESULT result)
    {
        FakeAudioClient& client = microphone.Client();
        switch (step) {
        case 0: audio.createResult = result; break;
        case 1: audio.Enumerator().getDeviceResult = result; break;
        case 2: microphone.activateResult = result; break;
        case 3: client.getMixFormatResult = result; break;
        case 4: client.initializeResult = result; break;
        case 5: client.getBufferSizeResult = result; break;
        case 6: client.getServiceResult = result; break;
        }
    }
};

TEST_P(AudioCaptureStepTest, FirstNonZeroResultEndsConstructionAndIsKept)
{
    Script(GetParam().step, GetParam().result);
    auto engine = std::make_unique<AudioCapture>(true, L"{capture-1}");
    EXPECT_EQ(engine->m_hr, GetParam().result);
    const std::vector<std::string> expected(kAllSteps.begin(), kAllSteps.begin() + GetParam().step + 1);
    EXPECT_EQ(audio.Log().Calls(), expected);
    engine.reset();
    EXPECT_EQ(audio.Log().Unreleased(), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AudioCaptureStepTest,
    testing::Values(StepResult{{"create_not_registered"}, 0, REGDB_E_CLASSNOTREG},
                    StepResult{{"create_success_code"}, 0, S_FALSE},
                    StepResult{{"device_not_found"}, 1, HRESULT_FROM_WIN32(ERROR_NOT_FOUND)},
                    StepResult{{"device_success_code"}, 1, S_FALSE},
                    StepResult{{"activate_fails"}, 2, AUDCLNT_E_DEVICE_INVALIDATED},
                    StepResult{{"mix_format_success_code"}, 3, S_FALSE},
                    StepResult{{"mix_format_fails"}, 3, E_OUTOFMEMORY},
                    StepResult{{"initialize_refuses_format"}, 4, AUDCLNT_E_UNSUPPORTED_FORMAT},
                    StepResult{{"initialize_success_code"}, 4, S_FALSE},
                    StepResult{{"buffer_size_fails"}, 5, AUDCLNT_E_NOT_INITIALIZED},
                    StepResult{{"service_wrong_endpoint"}, 6, AUDCLNT_E_WRONG_ENDPOINT_TYPE},
                    StepResult{{"service_success_code"}, 6, S_FALSE}),
    CaseName());

TEST_F(AudioCaptureTest, UnknownEndpointIdFailsAtTheDevice)
{
    AudioCapture engine(true, L"{gone}");
    EXPECT_EQ(engine.m_hr, HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
    EXPECT_EQ(audio.Log().Calls().back(), "Enumerator.GetDevice");
}

TEST_F(AudioCaptureTest, UnreadableMixFormatIsRefusedBeforeInitialize)
{
    WAVEFORMATEX ac3 = {};
    ac3.wFormatTag = 0x2000;
    ac3.nChannels = 6;
    ac3.nSamplesPerSec = 48000;
    const auto* bytes = reinterpret_cast<const BYTE*>(&ac3);
    microphone.Client().mixFormat.assign(bytes, bytes + sizeof ac3);
    auto engine = std::make_unique<AudioCapture>(true, L"{capture-1}");
    EXPECT_EQ(engine->m_hr, AUDCLNT_E_UNSUPPORTED_FORMAT);
    EXPECT_EQ(audio.Log().Calls().back(), "Client.GetMixFormat");
    engine.reset();
    EXPECT_EQ(audio.Log().Unreleased(), std::vector<std::string>());
}

struct EndpointKind : NamedCase
{
    bool isCaptureDevice;
    DWORD expectedFlags;
};

class AudioCaptureKindTest : public AudioCaptureTest, public testing::WithParamInterface<EndpointKind>
{
};

TEST_P(AudioCaptureKindTest, OpensTheEndpointSharedForOneSecondOf16BitPcm)
{
    FakeMMDevice& device = GetParam().isCaptureDevice ? microphone : speakers;
    device.Client().bufferFrames = 48480;
    AudioCapture engine(GetParam().isCaptureDevice, device.Id());
    ASSERT_EQ(engine.m_hr, 0);
    EXPECT_EQ(audio.Log().Calls(), kAllSteps);
    EXPECT_TRUE(audio.createOuterNull);
    EXPECT_EQ(audio.createContext, DWORD(CLSCTX_ALL));
    EXPECT_EQ(device.activateContext, DWORD(CLSCTX_ALL));
    EXPECT_TRUE(device.activateParamsNull);

    const FakeAudioClient::Initialization& init = device.Client().initialization;
    EXPECT_EQ(init.shareMode, AUDCLNT_SHAREMODE_SHARED);
    EXPECT_EQ(init.streamFlags, GetParam().expectedFlags);
    EXPECT_EQ(init.bufferDuration, 10000000);
    EXPECT_EQ(init.periodicity, 0);
    EXPECT_TRUE(init.sessionGuidNull);
    ASSERT_EQ(init.format.size(), sizeof(WAVEFORMATEXTENSIBLE));
    const auto* format = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(init.format.data());
    EXPECT_EQ(format->SubFormat, kPcm);
    EXPECT_EQ(format->Format.wBitsPerSample, 16);
    EXPECT_EQ(std::memcmp(engine.m_pwfx, init.format.data(), init.format.size()), 0);

    EXPECT_EQ(engine.m_bufferFrameCount, 48480u);
    EXPECT_EQ(engine.m_hnsBufferDuration, 10100000);
    EXPECT_FALSE(device.Client().Started());
}

INSTANTIATE_TEST_SUITE_P(Kinds, AudioCaptureKindTest,
                         testing::Values(EndpointKind{{"playback_through_loopback"}, false, AUDCLNT_STREAMFLAGS_LOOPBACK},
                                         EndpointKind{{"recording_device"}, true, 0}),
                         CaseName());

TEST_F(AudioCaptureTest, EndpointIsFoundByItsFriendlyNameWhateverItsPlace)
{
    audio.AddDevice(L"{capture-2}", L"Monitor of Null Output", eCapture);
    audio.AddDevice(L"{capture-3}", L"Line In (Fake)", eCapture);
    EXPECT_EQ(FindAudioEndpoint(eCapture, L"Null Output").id, L"{capture-2}");
    EXPECT_EQ(FindAudioEndpoint(eRender, L"Speakers").id, L"{render-1}");
    EXPECT_EQ(FindAudioEndpoint(eRender, L"Null Output").id, L"");
    EXPECT_EQ(ListAudioEndpoints(eCapture).size(), 3u);
    EXPECT_EQ(audio.Log().Unreleased(), std::vector<std::string>());
}

// The mix-format rewrite, on formats given by their fields.
WAVEFORMATEXTENSIBLE Plain(WORD tag, WORD channels, DWORD rate, WORD bits)
{
    WAVEFORMATEXTENSIBLE format = {};
    format.Format.wFormatTag = tag;
    format.Format.nChannels = channels;
    format.Format.nSamplesPerSec = rate;
    format.Format.wBitsPerSample = bits;
    format.Format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.Format.nAvgBytesPerSec = format.Format.nBlockAlign * rate;
    return format;
}

WAVEFORMATEXTENSIBLE Extensible(WORD channels, DWORD rate, WORD bits, WORD validBits, DWORD mask, const GUID& sub)
{
    WAVEFORMATEXTENSIBLE format = Plain(WAVE_FORMAT_EXTENSIBLE, channels, rate, bits);
    format.Format.cbSize = 22;
    format.Samples.wValidBitsPerSample = validBits;
    format.dwChannelMask = mask;
    format.SubFormat = sub;
    return format;
}

struct RewriteCase : NamedCase
{
    WAVEFORMATEXTENSIBLE in;
    HRESULT result;
    WAVEFORMATEXTENSIBLE out;  // the input itself when refused
};

class RewriteMixFormatTest : public testing::TestWithParam<RewriteCase>
{
};

TEST_P(RewriteMixFormatTest, GivesThe16BitPcmStreamOrRefuses)
{
    WAVEFORMATEXTENSIBLE format = GetParam().in;
    EXPECT_EQ(RewriteMixFormat(&format.Format), GetParam().result);
    const WAVEFORMATEXTENSIBLE& expected = GetParam().out;
    EXPECT_EQ(format.Format.wFormatTag, expected.Format.wFormatTag);
    EXPECT_EQ(format.Format.nChannels, expected.Format.nChannels);
    EXPECT_EQ(format.Format.nSamplesPerSec, expected.Format.nSamplesPerSec);
    EXPECT_EQ(format.Format.nAvgBytesPerSec, expected.Format.nAvgBytesPerSec);
    EXPECT_EQ(format.Format.nBlockAlign, expected.Format.nBlockAlign);
    EXPECT_EQ(format.Format.wBitsPerSample, expected.Format.wBitsPerSample);
    EXPECT_EQ(format.Format.cbSize, expected.Format.cbSize);
    EXPECT_EQ(format.Samples.wValidBitsPerSample, expected.Samples.wValidBitsPerSample);
    EXPECT_EQ(format.dwChannelMask, expected.dwChannelMask);
    EXPECT_EQ(format.SubFormat, expected.SubFormat);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RewriteMixFormatTest,
    testing::Values(
        RewriteCase{{"float_stereo_48k"}, Plain(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32), S_OK,
                    Plain(WAVE_FORMAT_PCM, 2, 48000, 16)},
        RewriteCase{{"extensible_float_stereo_48k"}, Extensible(2, 48000, 32, 32, 0x3, kFloat), S_OK,
                    Extensible(2, 48000, 16, 16, 0x3, kPcm)},
        RewriteCase{{"extensible_float_5_1_44k"}, Extensible(6, 44100, 32, 32, 0x3F, kFloat), S_OK,
                    Extensible(6, 44100, 16, 16, 0x3F, kPcm)},
        RewriteCase{{"pcm_16_mono_kept"}, Plain(WAVE_FORMAT_PCM, 1, 16000, 16), S_OK,
                    Plain(WAVE_FORMAT_PCM, 1, 16000, 16)},
        RewriteCase{{"pcm_24"}, Plain(WAVE_FORMAT_PCM, 2, 96000, 24), S_OK, Plain(WAVE_FORMAT_PCM, 2, 96000, 16)},
        RewriteCase{{"extensible_pcm_24_in_32"}, Extensible(2, 48000, 32, 24, 0x3, kPcm), S_OK,
                    Extensible(2, 48000, 16, 16, 0x3, kPcm)},
        RewriteCase{{"extensible_adpcm_refused"}, Extensible(2, 48000, 16, 16, 0x3, kAdpcm),
                    AUDCLNT_E_UNSUPPORTED_FORMAT, Extensible(2, 48000, 16, 16, 0x3, kAdpcm)},
        RewriteCase{"extensible_too_short_refused",
                    [] {
                        auto f = Extensible(2, 48000, 32, 32, 0x3, kFloat);
                        f.Format.cbSize = 0;
                        return f;
                    }(),
                    AUDCLNT_E_UNSUPPORTED_FORMAT,
                    [] {
                        auto f = Extensible(2, 48000, 32, 32, 0x3, kFloat);
                        f.Format.cbSize = 0;
                        return f;
                    }()},
        RewriteCase{{"no_channels_refused"}, Plain(WAVE_FORMAT_IEEE_FLOAT, 0, 48000, 32), AUDCLNT_E_UNSUPPORTED_FORMAT,
                    Plain(WAVE_FORMAT_IEEE_FLOAT, 0, 48000, 32)},
        RewriteCase{{"no_rate_refused"}, Plain(WAVE_FORMAT_IEEE_FLOAT, 2, 0, 32), AUDCLNT_E_UNSUPPORTED_FORMAT,
                    Plain(WAVE_FORMAT_IEEE_FLOAT, 2, 0, 32)}),
    CaseName());

TEST(RewriteMixFormatTest, FloatStereo48kGivesBlockAlign4And192000BytesPerSecond)
{
    WAVEFORMATEXTENSIBLE format = Plain(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
    ASSERT_EQ(RewriteMixFormat(&format.Format), S_OK);
    EXPECT_EQ(format.Format.nBlockAlign, 4);
    EXPECT_EQ(format.Format.nAvgBytesPerSec, 192000u);
}

TEST(BufferDurationTest, FramesAtARateGiveTruncated100nsUnitsAndHalfOfThatInMilliseconds)
{
    struct Case
    {
        UINT32 frames;
        DWORD rate;
        REFERENCE_TIME duration;
        DWORD pollMs;
    };
    const Case cases[] = {
        {48000, 48000, 10000000, 500}, {48480, 48000, 10100000, 505}, {44100, 44100, 10000000, 500},
        {1000, 48000, 208333, 10},     {0, 48000, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames at " << c.rate << " Hz");
        EXPECT_EQ(BufferDuration(c.frames, c.rate), c.duration);
        EXPECT_EQ(PollInterval(c.duration), c.pollMs);
    }
}

TEST(WidenSamplesTest, SignExtendsLittleEndian16BitSamples)
{
    const BYTE bytes[] = {0x00, 0x80, 0xFF, 0x7F, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x34, 0x12};
    FLAC__int32 out[6] = {7, 7, 7, 7, 7, 7};
    WidenSamples(bytes, 6, out);
    const FLAC__int32 expected[] = {-32768, 32767, -1, 1, 0, 0x1234};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(out[i], expected[i]) << "sample " << i;
}

} // namespace
