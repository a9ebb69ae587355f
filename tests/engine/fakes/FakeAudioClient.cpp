#include "FakeAudioClient.h"

#include <ksmedia.h>

#include <cstring>

std::vector<BYTE> FloatMixFormat(WORD channels, DWORD rate)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_IEEE_FLOAT;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 32;
    format.nBlockAlign = static_cast<WORD>(channels * 4);
    format.nAvgBytesPerSec = format.nBlockAlign * rate;
    const auto* bytes = reinterpret_cast<const BYTE*>(&format);
    return std::vector<BYTE>(bytes, bytes + sizeof format);
}

std::vector<BYTE> ExtensibleFloatMixFormat(WORD channels, DWORD rate, DWORD channelMask)
{
    WAVEFORMATEXTENSIBLE format = {};
    const std::vector<BYTE> plain = FloatMixFormat(channels, rate);
    std::memcpy(&format.Format, plain.data(), sizeof(WAVEFORMATEX));
    format.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
    format.Format.cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
    format.Samples.wValidBitsPerSample = 32;
    format.dwChannelMask = channelMask;
    format.SubFormat = GUID{STATIC_KSDATAFORMAT_SUBTYPE_IEEE_FLOAT};
    const auto* bytes = reinterpret_cast<const BYTE*>(&format);
    return std::vector<BYTE>(bytes, bytes + sizeof format);
}

FakeAudioClient::FakeAudioClient(FakeAudioLog& log, std::string name)
    : FakeMMUnknown(log, name), m_capture(std::make_unique<FakeAudioCaptureClient>(log, name + " capture", *this))
{
}

const WAVEFORMATEX* FakeAudioClient::StreamFormat() const
{
    return initialized ? reinterpret_cast<const WAVEFORMATEX*>(initialization.format.data()) : nullptr;
}

HRESULT FakeAudioClient::Initialize(AUDCLNT_SHAREMODE shareMode, DWORD streamFlags, REFERENCE_TIME bufferDuration,
                                    REFERENCE_TIME periodicity, const WAVEFORMATEX* format, LPCGUID sessionGuid)
{
    m_log.Call("Client.Initialize");
    if (initialized)
        return AUDCLNT_E_ALREADY_INITIALIZED;
    if (!format)
        return E_POINTER;
    initialization.shareMode = shareMode;
    initialization.streamFlags = streamFlags;
    initialization.bufferDuration = bufferDuration;
    initialization.periodicity = periodicity;
    const auto* bytes = reinterpret_cast<const BYTE*>(format);
    const size_t size = sizeof(WAVEFORMATEX) + (format->wFormatTag == WAVE_FORMAT_PCM ? 0 : format->cbSize);
    initialization.format.assign(bytes, bytes + size);
    initialization.sessionGuidNull = sessionGuid == nullptr;
    if (SUCCEEDED(initializeResult))
        initialized = true;
    return initializeResult;
}

HRESULT FakeAudioClient::GetBufferSize(UINT32* frames)
{
    m_log.Call("Client.GetBufferSize");
    if (FAILED(getBufferSizeResult))
        return getBufferSizeResult;
    *frames = bufferFrames;
    return getBufferSizeResult;
}

HRESULT FakeAudioClient::GetStreamLatency(REFERENCE_TIME* latency)
{
    *latency = 0;
    return S_OK;
}

HRESULT FakeAudioClient::GetCurrentPadding(UINT32* frames)
{
    if (!frames)
        return E_POINTER;
    if (!initialized)
        return AUDCLNT_E_NOT_INITIALIZED;
    return m_capture->CurrentPadding(frames);
}

HRESULT FakeAudioClient::IsFormatSupported(AUDCLNT_SHAREMODE, const WAVEFORMATEX*, WAVEFORMATEX** closest)
{
    if (closest)
        *closest = nullptr;
    return S_OK;
}

HRESULT FakeAudioClient::GetMixFormat(WAVEFORMATEX** format)
{
    m_log.Call("Client.GetMixFormat");
    if (FAILED(getMixFormatResult))
        return getMixFormatResult;
    void* block = CoTaskMemAlloc(mixFormat.size());
    if (!block)
        return E_OUTOFMEMORY;
    std::memcpy(block, mixFormat.data(), mixFormat.size());
    m_handedOutFormat = block;
    *format = static_cast<WAVEFORMATEX*>(block);
    return getMixFormatResult;
}

HRESULT FakeAudioClient::GetDevicePeriod(REFERENCE_TIME* defaultPeriod, REFERENCE_TIME* minimumPeriod)
{
    if (defaultPeriod)
        *defaultPeriod = 100000;
    if (minimumPeriod)
        *minimumPeriod = 30000;
    return S_OK;
}

HRESULT FakeAudioClient::Start()
{
    m_log.Call("Client.Start");
    if (!initialized)
        return AUDCLNT_E_NOT_INITIALIZED;
    if (m_started)
        return AUDCLNT_E_NOT_STOPPED;
    if (FAILED(startResult))
        return startResult;
    m_started = true;
    m_capture->OnStart();
    return S_OK;
}

HRESULT FakeAudioClient::Stop()
{
    m_log.Call("Client.Stop");
    if (!m_started)
        return S_FALSE;
    m_started = false;
    return S_OK;
}

HRESULT FakeAudioClient::Reset()
{
    m_log.Call("Client.Reset");
    if (m_started)
        return AUDCLNT_E_NOT_STOPPED;
    m_capture->Flush();
    return S_OK;
}

HRESULT FakeAudioClient::SetEventHandle(HANDLE)
{
    return AUDCLNT_E_EVENTHANDLE_NOT_EXPECTED;
}

HRESULT FakeAudioClient::GetService(REFIID iid, void** service)
{
    m_log.Call("Client.GetService");
    *service = nullptr;
    if (!initialized)
        return AUDCLNT_E_NOT_INITIALIZED;
    if (iid != __uuidof(IAudioCaptureClient))
        return E_NOINTERFACE;
    if (FAILED(getServiceResult))
        return getServiceResult;
    m_capture->HandOut(reinterpret_cast<IAudioCaptureClient**>(service));
    return getServiceResult;
}
