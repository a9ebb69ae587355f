#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

// Appends the encoded video stream to its file without making the video loop
// wait for the disk: blocks are collected in one of two buffers, and a full
// buffer is written by a background thread while the caller fills the other.
// All calls come from one thread; nothing is reported to the caller.
class AsyncFileWriter
{
public:
    static constexpr int64_t kBufferSize = 0x1400000;  // 20 MiB per buffer

    explicit AsyncFileWriter(std::wstring path);
    ~AsyncFileWriter();

    AsyncFileWriter(const AsyncFileWriter&) = delete;
    AsyncFileWriter& operator=(const AsyncFileWriter&) = delete;

    // Copies the block before it returns; the caller may reuse its memory at once.
    void Write(const unsigned char* data, int64_t size);
    // Writes what is buffered, waits for every write and closes the file.
    void Close();

private:
    void HandOff();
    void JoinWrite();

    std::fstream m_file;
    std::thread m_writeThread;
    std::unique_ptr<unsigned char[]> m_buffers[2];
    int64_t m_capacity = 0;
    int64_t m_fill = 0;
    int m_current = 0;
    bool m_closed = false;
};
