#include "FakeAudioCaptureClient.h"

#include "FakeAudioClient.h"
#include "Globals.h"

FakeAudioCaptureClient::FakeAudioCaptureClient(FakeAudioLog& log, std::string name, FakeAudioClient& client)
    : FakeMMUnknown(log, std::move(name)), m_client(client)
{
}

void FakeAudioCaptureClient::AddPass(FakeAudioPass pass)
{
    m_script.push_back(std::move(pass));
}

void FakeAudioCaptureClient::StreamLive(SampleSource source, UINT32 packetFrames)
{
    m_live = std::move(source);
    m_livePacketFrames = packetFrames;
    m_stopWhenScriptEnds = false;
}

void FakeAudioCaptureClient::OnStart()
{
    QueryPerformanceCounter(&m_startTime);
    m_generatedFrames = 0;
}

void FakeAudioCaptureClient::Flush()
{
    if (m_outstanding)
        m_log.Misuse("Reset while a packet is held");
    m_queue.clear();
    m_outstanding = false;
}

UINT32 FakeAudioCaptureClient::FramesOf(const FakeAudioPacket& packet) const
{
    return static_cast<UINT32>(packet.samples.size() / m_client.StreamFormat()->nChannels);
}

UINT32 FakeAudioCaptureClient::NextPacketFrames() const
{
    return m_queue.empty() ? 0 : FramesOf(m_queue.front());
}

void FakeAudioCaptureClient::BeginPass()
{
    ++m_passes;
    if (m_gone) {
        // After the pass of the loss nothing arrives, and every call reports it.
        m_pass = FakeAudioPass();
        m_pass.packetSizeResult = m_loss;
        m_pass.bufferResult = m_loss;
        return;
    }
    m_pass = FakeAudioPass();
    if (m_script.empty())
        return;
    m_pass = std::move(m_script.front());
    m_script.pop_front();
    for (auto& packet : m_pass.packets)
        m_queue.push_back(std::move(packet));
    m_pass.packets.clear();
    if (m_pass.stopDuringSleep)
        g_stopRecording = true;
    if (m_pass.endpointGone)
        LoseEndpoint();
}

void FakeAudioCaptureClient::LoseEndpoint()
{
    m_gone = true;
    m_loss = FAILED(m_pass.packetSizeResult) ? m_pass.packetSizeResult : m_pass.bufferResult;
    if (SUCCEEDED(m_loss))
        m_log.Misuse("a pass loses its endpoint without a failing result");
    m_client.startResult = m_loss;
}

void FakeAudioCaptureClient::GenerateLive()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const WAVEFORMATEX* format = m_client.StreamFormat();
    const uint64_t due = static_cast<uint64_t>(now.QuadPart - m_startTime.QuadPart) * format->nSamplesPerSec /
                         static_cast<uint64_t>(frequency.QuadPart);
    while (m_generatedFrames + m_livePacketFrames <= due) {
        FakeAudioPacket packet;
        packet.samples.resize(size_t(m_livePacketFrames) * format->nChannels);
        for (UINT32 frame = 0; frame < m_livePacketFrames; ++frame)
            for (unsigned channel = 0; channel < format->nChannels; ++channel)
                packet.samples[size_t(frame) * format->nChannels + channel] =
                    m_live(m_generatedFrames + frame, channel);
        m_generatedFrames += m_livePacketFrames;
        m_queue.push_back(std::move(packet));
    }
}

HRESULT FakeAudioCaptureClient::GetNextPacketSize(UINT32* frames)
{
    if (!m_client.Started()) {
        m_log.Misuse("GetNextPacketSize on a stream that is not started");
        *frames = 0;
        return S_OK;
    }
    if (!m_afterRelease)
        BeginPass();
    m_afterRelease = false;
    if (m_live)
        GenerateLive();
    if (FAILED(m_pass.packetSizeResult)) {
        *frames = 0xDEAD;  // what a careless reader would take for a packet
        return m_pass.packetSizeResult;
    }
    // An endpoint lost in this pass does not end the recording by itself.
    if (!m_gone && m_queue.empty() && m_script.empty() && m_stopWhenScriptEnds)
        g_stopRecording = true;
    *frames = NextPacketFrames();
    return S_OK;
}

HRESULT FakeAudioCaptureClient::CurrentPadding(UINT32* frames)
{
    if (m_gone) {
        *frames = 0xDEAD;  // what a careless reader would take for a packet
        return m_loss;
    }
    if (m_live && m_client.Started())
        GenerateLive();
    *frames = NextPacketFrames();
    return S_OK;
}

HRESULT FakeAudioCaptureClient::GetBuffer(BYTE** data, UINT32* frames, DWORD* flags, UINT64* devicePosition,
                                          UINT64* qpcPosition)
{
    if (FAILED(m_pass.bufferResult)) {
        *data = nullptr;
        *frames = 4800;  // what a careless reader would take for a packet
        return m_pass.bufferResult;
    }
    if (m_pass.bufferResult != S_OK) {
        *data = nullptr;
        *frames = 0;
        *flags = 0;
        return m_pass.bufferResult;
    }
    if (m_outstanding) {
        m_log.Misuse("GetBuffer while a packet is held");
        return AUDCLNT_E_OUT_OF_ORDER;
    }
    if (!m_client.Started() || m_queue.empty()) {
        *data = nullptr;
        *frames = 0;
        *flags = 0;
        return AUDCLNT_S_BUFFER_EMPTY;
    }
    FakeAudioPacket& packet = m_queue.front();
    *data = reinterpret_cast<BYTE*>(packet.samples.data());
    *frames = FramesOf(packet);
    *flags = packet.flags;
    if (devicePosition)
        *devicePosition = m_deliveredFrames;
    if (qpcPosition)
        *qpcPosition = 0;
    m_outstanding = true;
    m_handedOut.push_back(packet.samples.data());
    return S_OK;
}

HRESULT FakeAudioCaptureClient::ReleaseBuffer(UINT32 frames)
{
    if (!m_outstanding) {
        m_log.Misuse("ReleaseBuffer without a packet");
        return AUDCLNT_E_OUT_OF_ORDER;
    }
    const UINT32 packetFrames = FramesOf(m_queue.front());
    if (frames != packetFrames) {
        m_log.Misuse("ReleaseBuffer of " + std::to_string(frames) + " frames from a packet of " +
                     std::to_string(packetFrames));
        return AUDCLNT_E_INVALID_SIZE;
    }
    m_queue.pop_front();
    m_outstanding = false;
    m_afterRelease = true;
    ++m_deliveredPackets;
    m_deliveredFrames += frames;
    return S_OK;
}
