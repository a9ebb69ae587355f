#include "AudioCapture.h"

#include "FileFailureMessage.h"
#include "FlacFileSink.h"
#include "Globals.h"
#include "SystemHooks.h"

#include <ksmedia.h>

#include <algorithm>
#include <cwchar>
#include <memory>

namespace {

// The sub-formats by value: the named GUIDs would need one more import library.
constexpr GUID kSubtypePcm = {STATIC_KSDATAFORMAT_SUBTYPE_PCM};
constexpr GUID kSubtypeFloat = {STATIC_KSDATAFORMAT_SUBTYPE_IEEE_FLOAT};
constexpr REFERENCE_TIME kOneSecond = 10000000;  // in 100-ns units
constexpr WORD kBytesPerSample = 2;

// "音频编码器分配内存失败" in GBK (code page 936) for the 8-bit message box.
constexpr char kAllocationFailedGbk[] =
    "\xD2\xF4\xC6\xB5\xB1\xE0\xC2\xEB\xC6\xF7\xB7\xD6\xC5\xE4\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC";

void ShowInitFailure(FLAC__StreamEncoderInitStatus status, FLAC__StreamEncoderState state)
{
    const std::wstring text = L"音频编码器初始化失败,重启软件应该可以解决\n错误代码：" +
                              std::to_wstring(static_cast<int>(status)) + L"-" +
                              std::to_wstring(static_cast<int>(state));
    MessageBoxW(nullptr, text.c_str(), L"错误", MB_OK);
}

// Every failure of a recording stops the whole recording, and its box comes
// before the file is closed: whoever waits for this thread waits until the user
// has read it.
void StopForLostDevice(HRESULT code)
{
    g_stopRecording = true;
    MessageBoxW(nullptr, SoundDeviceLostText(code).c_str(), L"错误", MB_OK);
}

void StopForFile(const std::wstring& path)
{
    g_stopRecording = true;
    ShowFileFailure(RecordingFileFailureText(path));
}

} // namespace

std::wstring SoundDeviceLostText(HRESULT code)
{
    wchar_t text[256];
    std::swprintf(text, 256,
                  L"声音设备不再传来声音，录制已停止。\n可能是设备已被拔出或停用，或者驱动已重置。"
                  L"请在设备列表中重新选择设备。\n错误代码：%ld",
                  static_cast<long>(code));
    return text;
}

HRESULT RewriteMixFormat(WAVEFORMATEX* format)
{
    if (!format)
        return E_POINTER;
    if (format->nChannels == 0 || format->nSamplesPerSec == 0)
        return AUDCLNT_E_UNSUPPORTED_FORMAT;
    if (format->wFormatTag == WAVE_FORMAT_IEEE_FLOAT || format->wFormatTag == WAVE_FORMAT_PCM) {
        format->wFormatTag = WAVE_FORMAT_PCM;
    } else if (format->wFormatTag == WAVE_FORMAT_EXTENSIBLE &&
               format->cbSize >= sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX)) {
        auto* extensible = reinterpret_cast<WAVEFORMATEXTENSIBLE*>(format);
        if (extensible->SubFormat != kSubtypeFloat && extensible->SubFormat != kSubtypePcm)
            return AUDCLNT_E_UNSUPPORTED_FORMAT;
        extensible->SubFormat = kSubtypePcm;
        extensible->Samples.wValidBitsPerSample = 16;
    } else {
        return AUDCLNT_E_UNSUPPORTED_FORMAT;
    }
    format->wBitsPerSample = 16;
    format->nBlockAlign = static_cast<WORD>(format->nChannels * kBytesPerSample);
    format->nAvgBytesPerSec = format->nBlockAlign * format->nSamplesPerSec;
    return S_OK;
}

REFERENCE_TIME BufferDuration(UINT32 frames, DWORD rate)
{
    return static_cast<REFERENCE_TIME>(static_cast<double>(frames) * kOneSecond / rate);
}

DWORD PollInterval(REFERENCE_TIME bufferDuration)
{
    return static_cast<DWORD>(bufferDuration / 20000);
}

void WidenSamples(const BYTE* data, size_t count, FLAC__int32* out)
{
    for (size_t i = 0; i < count; ++i)
        out[i] = static_cast<int16_t>(data[2 * i] | data[2 * i + 1] << 8);
}

AudioCapture::AudioCapture(bool isCaptureDevice, std::wstring endpointId)
{
    // Any result but 0, success codes included, ends the construction.
    auto failed = [this](HRESULT hr) {
        m_hr = hr;
        return hr != 0;
    };
    if (failed(Hooks().coCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                        __uuidof(IMMDeviceEnumerator), &m_pEnumerator)))
        return;
    if (failed(m_pEnumerator->GetDevice(endpointId.c_str(), &m_pDevice)))
        return;
    if (failed(m_pDevice->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, &m_pAudioClient)))
        return;
    if (failed(m_pAudioClient->GetMixFormat(&m_pwfx)))
        return;
    if (failed(RewriteMixFormat(m_pwfx)))
        return;
    const DWORD flags = isCaptureDevice ? 0 : AUDCLNT_STREAMFLAGS_LOOPBACK;
    if (failed(m_pAudioClient->Initialize(AUDCLNT_SHAREMODE_SHARED, flags, kOneSecond, 0, m_pwfx, nullptr)))
        return;
    if (failed(m_pAudioClient->GetBufferSize(&m_bufferFrameCount)))
        return;
    if (failed(m_pAudioClient->GetService(__uuidof(IAudioCaptureClient), &m_pCaptureClient)))
        return;
    m_hr = 0;
    m_hnsBufferDuration = BufferDuration(m_bufferFrameCount, m_pwfx->nSamplesPerSec);
}

AudioCapture::~AudioCapture()
{
    m_pEnumerator.Reset();
    m_pDevice.Reset();
    m_pAudioClient.Reset();
    m_pCaptureClient.Reset();
    CoTaskMemFree(m_pwfx);
    // m_pData is the audio client's memory, not ours to free.
}

void AudioCapture::RecordToFlac(std::wstring path)
{
    // One second of interleaved samples; a longer packet is encoded in pieces.
    auto samples = std::make_unique<FLAC__int32[]>(size_t(m_pwfx->nChannels) * m_pwfx->nSamplesPerSec);

    FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
    if (!encoder) {
        g_stopRecording = true;
        MessageBoxA(nullptr, kAllocationFailedGbk, "", MB_OK);
        return;
    }
    FLAC__stream_encoder_set_verify(encoder, true);
    FLAC__stream_encoder_set_channels(encoder, m_pwfx->nChannels);
    FLAC__stream_encoder_set_sample_rate(encoder, m_pwfx->nSamplesPerSec);

    // The file is opened under its wide name. A file that cannot be created, or
    // whose header cannot be written (a full disk), gets the file's message: a
    // restart, which the encoder's message suggests, would not help.
    FlacFileSink file;
    bool reported = false;
    if (!file.Open(path)) {
        StopForFile(path);
        reported = true;
    } else if (const FLAC__StreamEncoderInitStatus status = file.InitEncoder(encoder);
               status != FLAC__STREAM_ENCODER_INIT_STATUS_OK) {
        if (file.WriteFailed()) {
            StopForFile(path);
        } else {
            g_stopRecording = true;
            ShowInitFailure(status, FLAC__stream_encoder_get_state(encoder));
        }
        reported = true;
    }

    // A client whose endpoint has gone away refuses to start on Windows, at every
    // later recording on this engine. (Wine's starts, and its GetBuffer fails.)
    const HRESULT started = m_pAudioClient->Start();
    if (FAILED(started) && !reported) {
        StopForLostDevice(started);
        reported = true;
    }
    if (CaptureUntilStop(encoder, samples.get(), path))
        reported = true;
    m_pAudioClient->Stop();
    // Sound left in the endpoint buffer must not open the next recording.
    m_pAudioClient->Reset();
    // The last, partial block is written now, and its write may fail as well.
    if (!FLAC__stream_encoder_finish(encoder) && !reported)
        StopForFile(path);
    FLAC__stream_encoder_delete(encoder);
    file.Close();
}

bool AudioCapture::CaptureUntilStop(FLAC__StreamEncoder* encoder, FLAC__int32* samples, const std::wstring& path)
{
    bool stopped = false;
    while (!g_stopRecording) {
        Sleep(PollInterval(m_hnsBufferDuration));
        const DrainEnd end = DrainPackets(encoder, samples);
        if (end.fileFailed) {
            StopForFile(path);
            stopped = true;
        } else if (FAILED(end.captureResult) && !g_stopRecording) {
            // Met after a stop was asked for, it loses nothing: the packets
            // waiting then are not written anyway.
            StopForLostDevice(end.captureResult);
            stopped = true;
        }
    }
    return stopped;
}

AudioCapture::DrainEnd AudioCapture::DrainPackets(FLAC__StreamEncoder* encoder, FLAC__int32* samples)
{
    HRESULT hr = NextPacketSize();
    while (SUCCEEDED(hr) && m_packetLength != 0) {
        // Packets still waiting at a stop are not written.
        if (g_stopRecording)
            return {};
        hr = m_pCaptureClient->GetBuffer(&m_pData, &m_numFramesAvailable, &m_flags, nullptr, nullptr);
        // A failure, or a success code that brings no packet after all
        // (AUDCLNT_S_BUFFER_EMPTY), leaves nothing to read or release.
        if (hr != S_OK)
            break;
        const bool written = EncodePacket(encoder, samples);
        m_pCaptureClient->ReleaseBuffer(m_numFramesAvailable);
        if (!written)
            return {S_OK, true};
        hr = NextPacketSize();
    }
    // Wine's GetNextPacketSize answers S_OK on a stream whose endpoint has
    // gone, often with no packet, for ever; the audio client's padding
    // reports the loss there as on Windows. An endpoint that delivers nothing
    // because nothing plays answers S_OK to both.
    if (SUCCEEDED(hr)) {
        UINT32 padding = 0;
        hr = m_pAudioClient->GetCurrentPadding(&padding);
    }
    return {FAILED(hr) ? hr : S_OK, false};
}

HRESULT AudioCapture::NextPacketSize()
{
    const HRESULT hr = m_pCaptureClient->GetNextPacketSize(&m_packetLength);
    // A failed call leaves no packet size worth reading.
    if (FAILED(hr))
        m_packetLength = 0;
    return hr;
}

bool AudioCapture::EncodePacket(FLAC__StreamEncoder* encoder, FLAC__int32* samples)
{
    const UINT32 channels = m_pwfx->nChannels;
    const UINT32 capacity = m_pwfx->nSamplesPerSec;
    // A silent packet's bytes carry no meaning: it is written as silence.
    const bool silent = (m_flags & AUDCLNT_BUFFERFLAGS_SILENT) != 0;
    for (UINT32 done = 0; done < m_numFramesAvailable;) {
        const UINT32 frames = std::min(m_numFramesAvailable - done, capacity);
        const size_t count = size_t(frames) * channels;
        if (silent)
            std::fill_n(samples, count, 0);
        else
            WidenSamples(m_pData + size_t(done) * channels * kBytesPerSample, count, samples);
        // False once the encoder has stopped: its file took no more, or its
        // own check of what it wrote failed.
        if (!FLAC__stream_encoder_process_interleaved(encoder, samples, frames))
            return false;
        done += frames;
    }
    return true;
}
