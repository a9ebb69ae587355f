#include "AsyncFileWriter.h"

#include "FileOnDisk.h"

#include <cstring>
#include <new>

AsyncFileWriter::AsyncFileWriter(std::wstring path) : m_path(std::move(path))
{
    // Default sharing: other programs may read the file while it is recorded.
    m_file.open(m_path.c_str(), std::ios::out | std::ios::binary);
    if (!m_file.is_open())
        m_failed = true;
    m_capacity = kBufferSize;
    for (int i = 0; i < 2; ++i) {
        m_buffers[i].reset(new (std::nothrow) unsigned char[m_capacity]);
        m_blockEnds[i].reset(new (std::nothrow) BlockEnds(m_capacity));
    }
    // Without both buffers every block is written through (see Write).
    for (int i = 0; i < 2; ++i)
        if (!m_buffers[i] || !m_blockEnds[i] || !m_blockEnds[i]->Ready())
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
    m_writeThread = std::thread(
        [this, index, start, count] { WriteOut(m_buffers[index].get(), count, start, m_blockEnds[index].get()); });
    m_handedOff += m_fill;
    m_fill = 0;
    m_current = 1 - m_current;
    m_blockEnds[m_current]->Clear();
}

// Writes bytes that begin at stream offset start and notes a failure. The flush
// matters: bytes the stream keeps in its own buffer would otherwise fail only at
// the close, with no cut, and leave a torn last block.
void AsyncFileWriter::WriteOut(const unsigned char* data, int64_t size, int64_t start, const BlockEnds* ends)
{
    m_file.write(reinterpret_cast<const char*>(data), size);
    m_file.flush();
    if (!m_file)
        NoteFailure(start, ends);
}

// On the thread whose write failed. Only the first failure counts: the stream
// writes nothing after it. What reached the file is asked of the file itself:
// its folder's entry can lag behind a file held open for writing. A size that
// cannot be read leaves the file as it is.
void AsyncFileWriter::NoteFailure(int64_t start, const BlockEnds* ends)
{
    if (m_failed)
        return;
    int64_t size = 0;
    if (FileSizeOnDisk(m_path, &size))
        m_cutAt = LastWholeBlockEnd(start, ends, size);
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
        WriteOut(data, size, m_handedOff, nullptr);
        m_handedOff += size;
        return;
    }
    std::memcpy(m_buffers[m_current].get() + m_fill, data, static_cast<size_t>(size));
    m_fill += size;
    m_blockEnds[m_current]->Mark(m_fill);
}

void AsyncFileWriter::Flush()
{
    if (m_closed)
        return;
    JoinWrite();
    if (m_fill > 0 && !m_failed)
        HandOff();
    JoinWrite();
}

void AsyncFileWriter::Close()
{
    if (m_closed)
        return;
    Flush();
    m_closed = true;
    if (m_file.is_open()) {
        m_file.flush();
        m_file.close();
        if (!m_file)
            m_failed = true;
    }
    if (m_cutAt >= 0)
        CutFileOnDisk(m_path, m_cutAt);
    m_buffers[0].reset();
    m_buffers[1].reset();
    m_blockEnds[0].reset();
    m_blockEnds[1].reset();
    m_fill = 0;
}

int64_t LastWholeBlockEnd(int64_t start, const BlockEnds* ends, int64_t size)
{
    if (start > size)
        return -1;
    return start + (ends ? ends->LastWithin(size - start) : 0);
}
