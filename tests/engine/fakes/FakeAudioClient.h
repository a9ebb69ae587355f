#pragma once

#include "FakeAudioCaptureClient.h"
#include "FakeMMUnknown.h"

#include <audioclient.h>
#include <mmreg.h>

#include <memory>
#include <vector>

// Mix formats as endpoints report them (the bytes of the WAVEFORMATEX and what
// follows it).
std::vector<BYTE> FloatMixFormat(WORD channels, DWORD rate);
std::vector<BYTE> ExtensibleFloatMixFormat(WORD channels, DWORD rate, DWORD channelMask);

// An audio client with a chosen mix format and buffer size, scripted results
// and a record of how it was initialised. Its capture service is
// CaptureClient().
class FakeAudioClient : public FakeMMUnknown<IAudioClient>
{
public:
    FakeAudioClient(FakeAudioLog& log, std::string name);

    std::vector<BYTE> mixFormat = ExtensibleFloatMixFormat(2, 48000, SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT);
    UINT32 bufferFrames = 960;
    HRESULT getMixFormatResult = S_OK;
    HRESULT initializeResult = S_OK;
    HRESULT getBufferSizeResult = S_OK;
    HRESULT getServiceResult = S_OK;
    // A failing result leaves the stream stopped; a gone endpoint sets it to
    // its loss (FakeAudioPass::endpointGone).
    HRESULT startResult = S_OK;

    // The arguments of Initialize.
    struct Initialization
    {
        AUDCLNT_SHAREMODE shareMode = AUDCLNT_SHAREMODE_EXCLUSIVE;
        DWORD streamFlags = 0;
        REFERENCE_TIME bufferDuration = 0;
        REFERENCE_TIME periodicity = 0;
        std::vector<BYTE> format;
        bool sessionGuidNull = false;
    };
    bool initialized = false;
    Initialization initialization;

    bool Started() const { return m_started; }
    const WAVEFORMATEX* StreamFormat() const;
    // The mix format block last handed out by GetMixFormat.
    const void* HandedOutMixFormat() const { return m_handedOutFormat; }
    FakeAudioCaptureClient& CaptureClient() { return *m_capture; }

    HRESULT STDMETHODCALLTYPE Initialize(AUDCLNT_SHAREMODE shareMode, DWORD streamFlags,
                                         REFERENCE_TIME bufferDuration, REFERENCE_TIME periodicity,
                                         const WAVEFORMATEX* format, LPCGUID sessionGuid) override;
    HRESULT STDMETHODCALLTYPE GetBufferSize(UINT32* frames) override;
    HRESULT STDMETHODCALLTYPE GetStreamLatency(REFERENCE_TIME* latency) override;
    HRESULT STDMETHODCALLTYPE GetCurrentPadding(UINT32* frames) override;
    HRESULT STDMETHODCALLTYPE IsFormatSupported(AUDCLNT_SHAREMODE shareMode, const WAVEFORMATEX* format,
                                                WAVEFORMATEX** closest) override;
    HRESULT STDMETHODCALLTYPE GetMixFormat(WAVEFORMATEX** format) override;
    HRESULT STDMETHODCALLTYPE GetDevicePeriod(REFERENCE_TIME* defaultPeriod, REFERENCE_TIME* minimumPeriod) override;
    HRESULT STDMETHODCALLTYPE Start() override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE SetEventHandle(HANDLE event) override;
    HRESULT STDMETHODCALLTYPE GetService(REFIID iid, void** service) override;

private:
    bool m_started = false;
    const void* m_handedOutFormat = nullptr;
    std::unique_ptr<FakeAudioCaptureClient> m_capture;
};
