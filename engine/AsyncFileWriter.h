#pragma once

#include "BlockEnds.h"

#include <atomic>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

// Appends the encoded video stream to its file without making the video loop
// wait for the disk: blocks are collected in one of two buffers, and a full
// buffer is written by a background thread while the caller fills the other.
// All calls come from one thread. A file that cannot be opened or written is
// remembered (Failed), and the file is cut back to its last whole block.
class AsyncFileWriter
{
public:
    static constexpr int64_t kBufferSize = 0x1400000;  // 20 MiB per buffer

    explicit AsyncFileWriter(std::wstring path);
    ~AsyncFileWriter();

    AsyncFileWriter(const AsyncFileWriter&) = delete;
    AsyncFileWriter& operator=(const AsyncFileWriter&) = delete;

    // Copies the block before it returns; the caller may reuse its memory at once.
    // Does nothing once the writer has failed.
    void Write(const unsigned char* data, int64_t size);
    // Hands what is buffered to the file and waits until every write has reached
    // it, so that the file holds every block written so far; later blocks are
    // buffered as before. Writes nothing once the writer has failed.
    void Flush();
    // Writes what is buffered, waits for every write and closes the file; after a
    // failed write the file is cut back to the end of the last block it holds whole.
    void Close();

    // Whether the file could not be opened or a write or the close failed. Cheap,
    // and never waits for a write in flight.
    bool Failed() const { return m_failed; }

private:
    void HandOff();
    void JoinWrite();
    void WriteOut(const unsigned char* data, int64_t size, int64_t start, const BlockEnds* ends);
    void NoteFailure(int64_t start, const BlockEnds* ends);

    std::fstream m_file;
    std::thread m_writeThread;
    std::unique_ptr<unsigned char[]> m_buffers[2];
    int64_t m_capacity = 0;
    int64_t m_fill = 0;
    int m_current = 0;
    bool m_closed = false;

    std::wstring m_path;
    std::atomic<bool> m_failed{false};
    // Stream offset of the current buffer's first byte: what was handed off before it.
    int64_t m_handedOff = 0;
    // The end of each block in each buffer, as an offset within it.
    std::unique_ptr<BlockEnds> m_blockEnds[2];
    // Where the first failed write leaves the file whole; -1: not known.
    int64_t m_cutAt = -1;
};

// The largest block end start + e (e one of ends, which may be null) that lies
// within size bytes, or start when none does; -1 when even start lies beyond size.
int64_t LastWholeBlockEnd(int64_t start, const BlockEnds* ends, int64_t size);
