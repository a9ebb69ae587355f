#include "FlacFileSink.h"

#include <io.h>

#include <algorithm>

FlacFileSink::~FlacFileSink()
{
    Close();
}

bool FlacFileSink::Open(const std::wstring& path)
{
    Close();
    m_wholeLength = 0;
    m_writeFailed = false;
    m_file = _wfopen(path.c_str(), L"w+b");
    if (!m_file)
        return false;
    // No buffer of our own: a write that returns has handed its bytes to the system.
    setvbuf(m_file, nullptr, _IONBF, 0);
    return true;
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

bool FlacFileSink::WriteWhole(const unsigned char* data, size_t size)
{
    if (fwrite(data, 1, size, m_file) == size) {
        // The encoder also writes back over STREAMINFO at the end: the file's
        // length is the furthest any whole write reached.
        m_wholeLength = std::max<int64_t>(m_wholeLength, _ftelli64(m_file));
        return true;
    }
    // Whatever part of the write went through ends in the middle of a frame;
    // cutting a file shorter works on a full disk too.
    _chsize_s(_fileno(m_file), m_wholeLength);
    m_writeFailed = true;
    return false;
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
    return sink->WriteWhole(data, size) ? FLAC__STREAM_ENCODER_WRITE_STATUS_OK
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
