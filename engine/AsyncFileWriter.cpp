#include "AsyncFileWriter.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

AsyncFileWriter::AsyncFileWriter(std::wstring path) : m_path(std::move(path))
{
    // Default sharing: other programs may read the file while it is recorded.
    m_file.open(m_path.c_str(), std::ios::out | std::ios::binary);
    if (!m_file.is_open())
        m_failed = true;
    m_capacity = kBufferSize;
    for (int i = 0; i < 2; ++i) {
        m_buffers[i].reset(new (std::nothrow) unsigned char[m_capacity]);
        m_blockEnds[i].reset(new (std::nothrow) uint32_t[kMaxBlockEnds]);
    }
    // Without both buffers every block is written through (see Write).
    if (!m_buffers[0] || !m_buffers[1] || !m_blockEnds[0] || !m_blockEnds[1])
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
    const int index = m_current;
    const int64_t start = m_handedOff;
    const std::streamsize count = m_fill;
    m_writeThread = std::thread([this, index, start, count] {
        m_file.write(reinterpret_cast<const char*>(m_buffers[index].get()), count);
        if (!m_file)
            NoteFailure(start, m_blockEnds[index].get(), m_blockEndCount[index]);
    });
    m_handedOff += m_fill;
    m_fill = 0;
    m_current = 1 - m_current;
    m_blockEndCount[m_current] = 0;
}

void AsyncFileWriter::NoteBlockEnd()
{
    int& count = m_blockEndCount[m_current];
    if (count == kMaxBlockEnds)
        --count;
    m_blockEnds[m_current][count++] = static_cast<uint32_t>(m_fill);
}

// On the thread whose write failed. Only the first failure counts: the stream
// writes nothing after it.
void AsyncFileWriter::NoteFailure(int64_t start, const uint32_t* ends, int count)
{
    if (m_failed)
        return;
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::path(m_path), error);
    if (!error)
        m_cutAt = LastWholeBlockEnd(start, ends, count, static_cast<int64_t>(size));
    m_failed = true;
}

void AsyncFileWriter::Write(const unsigned char* data, int64_t size)
{
    if (size <= 0 || m_failed)
        return;
    if (m_fill + size > m_capacity) {
        JoinWrite();  // the other buffer is free once its write has finished
        if (m_failed)
            return;
        if (m_fill > 0)
            HandOff();
    }
    if (size > m_capacity) {
        // Too large to buffer: written through, after what was handed off before it.
        JoinWrite();
        if (m_failed)
            return;
        m_file.write(reinterpret_cast<const char*>(data), size);
        if (!m_file)
            NoteFailure(m_handedOff, nullptr, 0);
        m_handedOff += size;
        return;
    }
    std::memcpy(m_buffers[m_current].get() + m_fill, data, static_cast<size_t>(size));
    m_fill += size;
    NoteBlockEnd();
}

void AsyncFileWriter::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    JoinWrite();
    if (m_fill > 0 && !m_failed)
        HandOff();
    JoinWrite();
    if (m_file.is_open()) {
        m_file.flush();
        m_file.close();
        if (!m_file)
            m_failed = true;
    }
    if (m_cutAt >= 0) {
        std::error_code error;
        std::filesystem::resize_file(std::filesystem::path(m_path), static_cast<uintmax_t>(m_cutAt), error);
    }
    m_buffers[0].reset();
    m_buffers[1].reset();
    m_blockEnds[0].reset();
    m_blockEnds[1].reset();
    m_fill = 0;
}

int64_t LastWholeBlockEnd(int64_t start, const uint32_t* ends, int count, int64_t size)
{
    if (start > size)
        return -1;
    // The first end beyond what reached the file; the one before it is the answer.
    const uint32_t* beyond = std::upper_bound(ends, ends + count, size - start,
                                              [](int64_t value, uint32_t end) { return value < int64_t{end}; });
    return beyond == ends ? start : start + *(beyond - 1);
}
