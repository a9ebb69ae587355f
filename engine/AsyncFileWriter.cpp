#include "AsyncFileWriter.h"

#include <cstring>
#include <new>

AsyncFileWriter::AsyncFileWriter(std::wstring path)
{
    // Default sharing: other programs may read the file while it is recorded.
    m_file.open(path.c_str(), std::ios::out | std::ios::binary);
    m_capacity = kBufferSize;
    for (auto& buffer : m_buffers)
        buffer.reset(new (std::nothrow) unsigned char[m_capacity]);
    // Without both buffers every block is written through (see Write).
    if (!m_buffers[0] || !m_buffers[1])
        m_capacity = 0;
}

AsyncFileWriter::~AsyncFileWriter()
{
    // A writer dropped without Close must still not lose its bytes or leave
    // a joinable thread behind.
    if (!m_closed)
        Close();
}

void AsyncFileWriter::JoinWrite()
{
    if (m_writeThread.joinable())
        m_writeThread.join();
}

// Gives the current buffer to a new write thread and switches to the other one.
// The previous write thread must have been joined.
void AsyncFileWriter::HandOff()
{
    const char* bytes = reinterpret_cast<const char*>(m_buffers[m_current].get());
    const std::streamsize count = m_fill;
    m_writeThread = std::thread([this, bytes, count] { m_file.write(bytes, count); });
    m_fill = 0;
    m_current = 1 - m_current;
}

void AsyncFileWriter::Write(const unsigned char* data, int64_t size)
{
    if (size <= 0)
        return;
    if (m_fill + size > m_capacity) {
        JoinWrite();  // the other buffer is free once its write has finished
        if (m_fill > 0)
            HandOff();
    }
    if (size > m_capacity) {
        // Too large to buffer: written through, after what was handed off before it.
        JoinWrite();
        m_file.write(reinterpret_cast<const char*>(data), size);
        return;
    }
    std::memcpy(m_buffers[m_current].get() + m_fill, data, static_cast<size_t>(size));
    m_fill += size;
}

void AsyncFileWriter::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_fill > 0) {
        JoinWrite();
        HandOff();
    }
    JoinWrite();
    if (m_file.is_open()) {
        m_file.flush();
        m_file.close();
    }
    m_buffers[0].reset();
    m_buffers[1].reset();
    m_fill = 0;
}
