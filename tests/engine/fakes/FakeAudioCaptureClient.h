#pragma once

#include "FakeMMUnknown.h"

#include <audioclient.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class FakeAudioClient;

// One packet of the capture stream: interleaved 16-bit samples.
struct FakeAudioPacket
{
    std::vector<int16_t> samples;
    DWORD flags = 0;
};

// What one pass of a record loop meets: the loop sleeps, then drains. A pass
// starts with the first GetNextPacketSize that does not follow a ReleaseBuffer.
struct FakeAudioPass
{
    std::vector<FakeAudioPacket> packets;  // arrived while the loop slept
    bool stopDuringSleep = false;          // g_stopRecording was set while it slept
    HRESULT packetSizeResult = S_OK;       // of every GetNextPacketSize in the pass
    // Of every GetBuffer in the pass; a success code other than S_OK (such as
    // AUDCLNT_S_BUFFER_EMPTY) hands out no packet, as a failure does.
    HRESULT bufferResult = S_OK;
    // The endpoint goes away during this pass, for good; the first failing
    // result above is its loss (a pass that loses its endpoint names one).
    // Within the pass the results above are what the client answers around
    // the moment of the loss, each a moment that Windows's client may meet:
    // - GetNextPacketSize failing: the loss came during the sleep, and
    //   GetNextPacketSize already reports it;
    // - GetNextPacketSize S_OK with packets waiting: a packet is reported and
    //   the loss comes before its GetBuffer;
    // - GetNextPacketSize S_OK with no packet (0 frames): the loss comes right
    //   after that answer, before the client's next call.
    // (Wine's client of a removed endpoint goes on answering GetNextPacketSize
    // as in one of the last two, whichever it met, for ever.) GetCurrentPadding
    // fails with the loss from this pass on. In every later pass
    // GetNextPacketSize, GetBuffer and GetCurrentPadding all fail with it and
    // no packet arrives, and every later Start of the audio client fails with
    // it, as Windows documents for a removed endpoint.
    bool endpointGone = false;
};

// The capture service of a FakeAudioClient, delivering scripted passes (or a
// generated live stream), only while the client is started. Breaches of the
// GetBuffer/ReleaseBuffer protocol go to the log's misuses.
class FakeAudioCaptureClient : public FakeMMUnknown<IAudioCaptureClient>
{
public:
    using SampleSource = std::function<int16_t(uint64_t frame, unsigned channel)>;

    FakeAudioCaptureClient(FakeAudioLog& log, std::string name, FakeAudioClient& client);

    void AddPass(FakeAudioPass pass);
    // Once every scripted pass is drained, g_stopRecording is set (the default),
    // so that a recording ends by itself.
    void SetStopWhenScriptEnds(bool stop) { m_stopWhenScriptEnds = stop; }
    // A live stream in place of the script: packets of packetFrames frames
    // arrive at the stream's rate in real time from Start on.
    void StreamLive(SampleSource source, UINT32 packetFrames);

    // Packets and frames released so far; a test may wait on them from another
    // thread while a record loop runs.
    size_t DeliveredPackets() const { return m_deliveredPackets; }
    uint64_t DeliveredFrames() const { return m_deliveredFrames; }
    size_t WaitingPackets() const { return m_queue.size(); }
    // Passes begun so far (each with a GetNextPacketSize after a sleep).
    size_t Passes() const { return m_passes; }
    // Every packet memory block handed out by GetBuffer.
    const std::vector<const void*>& HandedOutMemory() const { return m_handedOut; }

    // Called by the audio client.
    void OnStart();
    void Flush();
    // IAudioClient::GetCurrentPadding: on a shared capture stream the frames
    // of the next packet, as GetNextPacketSize reports them.
    HRESULT CurrentPadding(UINT32* frames);

    HRESULT STDMETHODCALLTYPE GetBuffer(BYTE** data, UINT32* frames, DWORD* flags, UINT64* devicePosition,
                                        UINT64* qpcPosition) override;
    HRESULT STDMETHODCALLTYPE ReleaseBuffer(UINT32 frames) override;
    HRESULT STDMETHODCALLTYPE GetNextPacketSize(UINT32* frames) override;

private:
    UINT32 FramesOf(const FakeAudioPacket& packet) const;
    UINT32 NextPacketFrames() const;
    void LoseEndpoint();
    void BeginPass();
    void GenerateLive();

    FakeAudioClient& m_client;
    std::deque<FakeAudioPass> m_script;
    std::deque<FakeAudioPacket> m_queue;
    FakeAudioPass m_pass;  // results of the pass in progress
    bool m_gone = false;
    HRESULT m_loss = S_OK;  // what a gone endpoint's calls answer
    std::atomic<size_t> m_passes{0};
    bool m_afterRelease = false;
    bool m_outstanding = false;
    bool m_stopWhenScriptEnds = true;
    SampleSource m_live;
    UINT32 m_livePacketFrames = 0;
    LARGE_INTEGER m_startTime = {};
    uint64_t m_generatedFrames = 0;
    std::atomic<size_t> m_deliveredPackets{0};
    std::atomic<uint64_t> m_deliveredFrames{0};
    std::vector<const void*> m_handedOut;
};
