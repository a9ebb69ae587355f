#include "FlacFileSink.h"

FlacFileSink::~FlacFileSink()
{
    Close();
}

bool FlacFileSink::Open(const std::wstring& path)
{
    Close();
    m_file = _wfopen(path.c_str(), L"w+b");
    return m_file != nullptr;
}

FLAC__StreamEncoderInitStatus FlacFileSink::InitEncoder(FLAC__StreamEncoder* encoder)
{
    return FLAC__stream_encoder_init_stream(encoder, &FlacFileSink::Write, &FlacFileSink::Seek, &FlacFileSink::Tell,
                                            nullptr, this);
}

void FlacFileSink::Close()
{
    if (m_file) {
        fclose(m_file);
        m_file = nullptr;
    }
}

FLAC__StreamEncoderWriteStatus FlacFileSink::Write(const FLAC__StreamEncoder*, const FLAC__byte buffer[],
                                                   size_t bytes, uint32_t, uint32_t, void* client)
{
    auto* sink = static_cast<FlacFileSink*>(client);
    const unsigned char* data = buffer;
    size_t size = bytes;
    if (!sink->m_rewriter.PassingThrough()) {
        sink->m_rewritten.clear();
        sink->m_rewriter.Rewrite(buffer, bytes, sink->m_rewritten);
        data = sink->m_rewritten.data();
        size = sink->m_rewritten.size();
    }
    return fwrite(data, 1, size, sink->m_file) == size ? FLAC__STREAM_ENCODER_WRITE_STATUS_OK
                                                        : FLAC__STREAM_ENCODER_WRITE_STATUS_FATAL_ERROR;
}

FLAC__StreamEncoderSeekStatus FlacFileSink::Seek(const FLAC__StreamEncoder*, FLAC__uint64 offset, void* client)
{
    auto* sink = static_cast<FlacFileSink*>(client);
    return _fseeki64(sink->m_file, static_cast<__int64>(offset), SEEK_SET) == 0 ? FLAC__STREAM_ENCODER_SEEK_STATUS_OK
                                                                                 : FLAC__STREAM_ENCODER_SEEK_STATUS_ERROR;
}

// The file's own position: the offsets libFLAC keeps from it (STREAMINFO's, the
// first frame's) are then those of the rewritten file, shorter block and all.
FLAC__StreamEncoderTellStatus FlacFileSink::Tell(const FLAC__StreamEncoder*, FLAC__uint64* offset, void* client)
{
    auto* sink = static_cast<FlacFileSink*>(client);
    const __int64 position = _ftelli64(sink->m_file);
    if (position < 0)
        return FLAC__STREAM_ENCODER_TELL_STATUS_ERROR;
    *offset = static_cast<FLAC__uint64>(position);
    return FLAC__STREAM_ENCODER_TELL_STATUS_OK;
}
