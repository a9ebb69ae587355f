#pragma once

#include <windows.h>
#include <audioclient.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <FLAC/stream_encoder.h>

#include <string>

// The sound-capture engine of one Core Audio endpoint: a playback endpoint
// recorded through loopback, or a recording endpoint (the microphone). It opens
// the endpoint once, in shared mode with a one-second buffer and a 16-bit PCM
// stream, and keeps the audio client for its whole life; RecordToFlac records
// it into a FLAC file until g_stopRecording is set.
class AudioCapture
{
public:
    // Construct on a thread on which COM is initialised; m_hr tells the outcome.
    AudioCapture(bool isCaptureDevice, std::wstring endpointId);
    ~AudioCapture();
    AudioCapture(const AudioCapture&) = delete;
    AudioCapture& operator=(const AudioCapture&) = delete;

    // Records into the FLAC file at path until g_stopRecording is set. Only on an
    // engine whose m_hr is 0, one call at a time, COM initialised on the thread.
    // A file that cannot be created or written, or an endpoint that stops
    // delivering sound, sets g_stopRecording and says so in a box on this thread.
    void RecordToFlac(std::wstring path);

    // 0 = usable; otherwise the first non-zero result of the construction.
    HRESULT m_hr = 0;
    // Duration of the endpoint buffer actually allocated, in 100-ns units.
    REFERENCE_TIME m_hnsBufferDuration = 0;
    UINT32 m_bufferFrameCount = 0;
    UINT32 m_numFramesAvailable = 0;
    Microsoft::WRL::ComPtr<IMMDeviceEnumerator> m_pEnumerator;
    Microsoft::WRL::ComPtr<IMMDevice> m_pDevice;
    Microsoft::WRL::ComPtr<IAudioClient> m_pAudioClient;
    Microsoft::WRL::ComPtr<IAudioCaptureClient> m_pCaptureClient;
    // The stream format, from the COM task allocator.
    WAVEFORMATEX* m_pwfx = nullptr;
    UINT32 m_packetLength = 0;
    // The packet being read; the audio client owns this memory.
    BYTE* m_pData = nullptr;
    DWORD m_flags = 0;

private:
    // How a drain ended: captureResult is the failure of a capture call, or
    // of the audio client's padding asked at the end of a drain that met none
    // (its endpoint gone); fileFailed, a file that took no more.
    struct DrainEnd
    {
        HRESULT captureResult = S_OK;
        bool fileFailed = false;
    };

    // Polls until g_stopRecording; true when a failure stopped the recording
    // and said so.
    bool CaptureUntilStop(FLAC__StreamEncoder* encoder, FLAC__int32* samples, const std::wstring& path);
    DrainEnd DrainPackets(FLAC__StreamEncoder* encoder, FLAC__int32* samples);
    bool EncodePacket(FLAC__StreamEncoder* encoder, FLAC__int32* samples);
    HRESULT NextPacketSize();
};

// What the user reads when the endpoint stops delivering sound (removed,
// disabled, its driver reset): the recording has stopped, pick the device
// again; the code in signed decimal.
std::wstring SoundDeviceLostText(HRESULT code);

// Rewrites an endpoint's mix format, in place, into the 16-bit PCM stream the
// record loop reads. Float and integer PCM, plain or extensible, become 16-bit
// PCM (tag, channels, rate, cbSize and channel mask kept); any other format is
// refused with AUDCLNT_E_UNSUPPORTED_FORMAT, since the loop could not read it.
HRESULT RewriteMixFormat(WAVEFORMATEX* format);

// Duration of an endpoint buffer of frames at rate, in 100-ns units, truncated.
REFERENCE_TIME BufferDuration(UINT32 frames, DWORD rate);

// The record loop's sleep between drains: half the buffer duration, in ms.
DWORD PollInterval(REFERENCE_TIME bufferDuration);

// Widens count 16-bit little-endian samples to 32 bits, sign-extended.
void WidenSamples(const BYTE* data, size_t count, FLAC__int32* out);
