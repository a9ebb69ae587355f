#include "AsyncFileWriter.h"

#include "FileOnDisk.h"
#include "FullVolume.h"
#include "LaggingListing.h"
#include "NamedCase.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr int64_t kCap = AsyncFileWriter::kBufferSize;

// The byte at a position of the stream; distinct enough that a block in the
// wrong place or a lost block shows up in the comparison.
unsigned char PatternByte(int64_t pos)
{
    uint64_t x = static_cast<uint64_t>(pos) * 0x9E3779B97F4A7C15ull;
    return static_cast<unsigned char>((x >> 56) ^ (x >> 29) ^ pos);
}

class StreamSource
{
public:
    // The next size bytes of the stream, in a buffer reused for every block so that
    // a writer that kept the caller's memory instead of copying it would write garbage.
    const unsigned char* Next(int64_t size)
    {
        m_block.resize(static_cast<size_t>(size));
        for (int64_t i = 0; i < size; ++i)
            m_block[i] = PatternByte(m_pos + i);
        m_pos += size;
        return m_block.data();
    }
    int64_t Position() const { return m_pos; }

private:
    std::vector<unsigned char> m_block;
    int64_t m_pos = 0;
};

// Index of the first byte that differs from the pattern, or -1.
int64_t FirstMismatch(const std::vector<unsigned char>& bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != PatternByte(static_cast<int64_t>(i)))
            return static_cast<int64_t>(i);
    return -1;
}

// Waits until the file on disk has the wanted size; returns the size it has.
int64_t WaitForSize(const std::wstring& path, int64_t wanted, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    int64_t size = FileSize(path);
    while (size != wanted && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        size = FileSize(path);
    }
    return size;
}

// Sizes no background write reaches within the given time: a buffer handed off
// too early would be on disk by then.
void ExpectSizeStays(const std::wstring& path, int64_t size, std::chrono::milliseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        ASSERT_EQ(FileSize(path), size);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

class AsyncFileWriterTest : public testing::Test
{
protected:
    void ExpectStreamFile(int64_t size)
    {
        const auto bytes = ReadFileBytes(m_path);
        ASSERT_EQ(static_cast<int64_t>(bytes.size()), size);
        EXPECT_EQ(FirstMismatch(bytes), -1);
    }

    TempDir m_dir;
    std::wstring m_path = m_dir.File(L"stream.264");
    StreamSource m_source;
};

TEST_F(AsyncFileWriterTest, BufferThatFillsExactlyIsHandedOffOnlyByTheNextBlock)
{
    AsyncFileWriter writer(m_path);
    writer.Write(m_source.Next(kCap - 1), kCap - 1);
    writer.Write(m_source.Next(1), 1);  // fills the buffer exactly: still fits
    ASSERT_EQ(FileSize(m_path), 0);
    ExpectSizeStays(m_path, 0, std::chrono::milliseconds(300));

    writer.Write(m_source.Next(1), 1);  // the first hand-off: 20 MiB, the new byte stays buffered
    EXPECT_EQ(WaitForSize(m_path, kCap, std::chrono::seconds(20)), kCap);
    ExpectSizeStays(m_path, kCap, std::chrono::milliseconds(100));

    writer.Close();
    ExpectStreamFile(kCap + 1);
}

TEST_F(AsyncFileWriterTest, BlockOneByteTooLargeForTheRestGoesToTheOtherBuffer)
{
    AsyncFileWriter writer(m_path);
    writer.Write(m_source.Next(kCap - 1), kCap - 1);
    writer.Write(m_source.Next(2), 2);
    EXPECT_EQ(WaitForSize(m_path, kCap - 1, std::chrono::seconds(20)), kCap - 1);
    writer.Close();
    ExpectStreamFile(kCap + 1);
}

TEST_F(AsyncFileWriterTest, BlockLargerThanABufferKeepsItsPlaceInTheStream)
{
    AsyncFileWriter writer(m_path);
    writer.Write(m_source.Next(1000), 1000);
    const int64_t large = 2 * kCap + 3;
    writer.Write(m_source.Next(large), large);
    // Written through before the call returned, after the block before it.
    EXPECT_GE(FileSize(m_path), 1000 + large);
    writer.Write(m_source.Next(17), 17);
    writer.Write(m_source.Next(kCap + 1), kCap + 1);  // another, right after a small one
    writer.Write(m_source.Next(5), 5);
    writer.Close();
    ExpectStreamFile(m_source.Position());
}

TEST_F(AsyncFileWriterTest, CloseWithoutWritesLeavesAnEmptyFile)
{
    AsyncFileWriter writer(m_path);
    writer.Close();
    EXPECT_TRUE(PathExists(m_path));
    EXPECT_EQ(FileSize(m_path), 0);
}

TEST_F(AsyncFileWriterTest, CloseWithAnEmptyCurrentBufferWaitsForTheLastWrite)
{
    AsyncFileWriter writer(m_path);
    writer.Write(m_source.Next(kCap), kCap);
    writer.Write(m_source.Next(kCap + 10), kCap + 10);  // hands off, then writes through
    writer.Close();
    ExpectStreamFile(2 * kCap + 10);
}

TEST_F(AsyncFileWriterTest, ExistingFileIsCutToTheNewStream)
{
    WriteFileBytes(m_path, std::vector<unsigned char>(5000, 0xAB));
    AsyncFileWriter writer(m_path);
    EXPECT_EQ(FileSize(m_path), 0);
    writer.Write(m_source.Next(100), 100);
    writer.Close();
    ExpectStreamFile(100);
}

TEST_F(AsyncFileWriterTest, LongStreamOfOddSizedBlocksArrivesInOrder)
{
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    AsyncFileWriter writer(m_path);
    for (int i = 0; i < 240; ++i) {
        uint32_t r = next();
        int64_t size;
        switch (r % 8) {
        case 0: size = 1 + (r >> 8) % 7; break;                    // a few bytes
        case 1: size = kCap + 1 + (r >> 8) % 4097; break;          // larger than a buffer
        default: size = 1 + (r >> 8) % (512 * 1024 - 1); break;   // odd sizes up to 512 KiB
        }
        writer.Write(m_source.Next(size), size);
    }
    writer.Close();
    ExpectStreamFile(m_source.Position());
}

TEST_F(AsyncFileWriterTest, NonAsciiNameIsKept)
{
    const std::wstring path = m_dir.File(L"录制 - Запись.264");
    AsyncFileWriter writer(path);
    writer.Write(m_source.Next(64), 64);
    writer.Close();
    EXPECT_EQ(FileSize(path), 64);
}

struct FlushCase : NamedCase
{
    std::vector<int64_t> before;  // written before the flush
    std::vector<int64_t> after;   // and after it
};

class AsyncFileWriterFlushTest : public AsyncFileWriterTest, public testing::WithParamInterface<FlushCase>
{
};

// When a flush returns, the file holds every block written before it, the partly
// filled buffer and a write still in flight included; the writer goes on, and
// the blocks after it follow in order.
TEST_P(AsyncFileWriterFlushTest, FileHoldsEveryBlockWhenItReturns)
{
    const FlushCase& c = GetParam();
    AsyncFileWriter writer(m_path);
    for (int64_t size : c.before)
        writer.Write(m_source.Next(size), size);
    writer.Flush();
    ExpectStreamFile(m_source.Position());
    for (int64_t size : c.after)
        writer.Write(m_source.Next(size), size);
    writer.Close();
    EXPECT_FALSE(writer.Failed());
    ExpectStreamFile(m_source.Position());
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, AsyncFileWriterFlushTest,
    testing::Values(FlushCase{{"partly_filled"}, {1000, 300, 7}, {5, kCap, 9}},
                    // The full buffer is still being written when the flush comes.
                    FlushCase{{"handed_off_just_before"}, {kCap - 1, 2}, {kCap - 1, 2}},
                    FlushCase{{"exactly_full"}, {kCap}, {3}},
                    FlushCase{{"written_through_just_before"}, {300, kCap + 1}, {7}},
                    FlushCase{{"nothing_written"}, {}, {11}}),
    CaseName());

struct UnopenablePath
{
    const char* name;
    std::wstring (*make)(const TempDir&);
    int entriesAfter;  // what the test folder holds afterwards
};

void PrintTo(const UnopenablePath& p, std::ostream* os) { *os << p.name; }

class AsyncFileWriterUnopenableTest : public testing::TestWithParam<UnopenablePath>
{
};

TEST_P(AsyncFileWriterUnopenableTest, NothingIsWrittenAndTheFailureIsKept)
{
    TempDir dir;
    const std::wstring path = GetParam().make(dir);
    StreamSource source;
    {
        AsyncFileWriter writer(path);
        EXPECT_TRUE(writer.Failed()) << "known from the start";
        writer.Write(source.Next(kCap - 5), kCap - 5);
        writer.Write(source.Next(kCap + 7), kCap + 7);
        writer.Write(source.Next(9), 9);
        writer.Close();
        EXPECT_TRUE(writer.Failed());
    }
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir.Path() + L"*").c_str(), &data);
    int entries = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
                ++entries;
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    EXPECT_EQ(entries, GetParam().entriesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AsyncFileWriterUnopenableTest,
    testing::Values(
        UnopenablePath{"missing folder", [](const TempDir& d) { return d.File(L"missing\\stream.264"); }, 0},
        UnopenablePath{"existing folder",
                       [](const TempDir& d) {
                           CreateDirectoryW(d.File(L"folder").c_str(), nullptr);
                           return d.File(L"folder");
                       },
                       1},
        UnopenablePath{"invalid name", [](const TempDir& d) { return d.File(L"a<b>|?.264"); }, 0}),
    [](const testing::TestParamInfo<UnopenablePath>& info) {
        std::string n = info.param.name;
        for (auto& c : n)
            if (c == ' ')
                c = '_';
        return n;
    });


// ---- a volume that fills up ------------------------------------------------

constexpr int64_t kMiB = 1 << 20;

struct FillCase : NamedCase
{
    std::vector<int64_t> blocks;  // written in this order
    int64_t room;                 // what the volume still takes
    bool failsBeforeClose;        // a write handed off before the close fails
    int64_t kept;                 // the file after the close: whole blocks only
    bool longPath = false;        // the writer is given the file's \\?\ name
};

std::wstring LongPathOf(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

// Waits until the writer has learnt of a failed write on its own; false on time-out.
bool WaitForFailure(const AsyncFileWriter& writer)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!writer.Failed() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return writer.Failed();
}

class AsyncFileWriterFullVolumeTest : public AsyncFileWriterTest, public testing::WithParamInterface<FillCase>
{
};

// The writer learns of the first failed write on its own, without the caller
// waiting for it, ignores the blocks that follow, and cuts the file back to the
// last block it holds whole, so that what reached the disk stays readable. The
// folder listing lags behind the file being written, as on NTFS, so only a size
// asked of the file itself shows what reached it.
TEST_P(AsyncFileWriterFullVolumeTest, KeepsWholeBlocksAndRemembersTheFailure)
{
    const FillCase& c = GetParam();
    const LaggingListing listing(m_path);
    FullVolume volume(c.room);
    AsyncFileWriter writer(c.longPath ? LongPathOf(m_path) : m_path);
    for (int64_t size : c.blocks)
        writer.Write(m_source.Next(size), size);
    if (c.failsBeforeClose) {
        EXPECT_TRUE(WaitForFailure(writer)) << "the failed hand-off is known before the close";
        writer.Write(m_source.Next(kMiB), kMiB);  // does nothing now
    } else {
        EXPECT_FALSE(writer.Failed());
    }
    writer.Close();
    EXPECT_EQ(writer.Failed(), c.kept < m_source.Position());
    ExpectStreamFile(c.kept);
    EXPECT_EQ(volume.RefusedCalls() > 0, c.kept < m_source.Position());
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, AsyncFileWriterFullVolumeTest,
    testing::Values(
        // 21 blocks of 1 MiB hand the first 20 off; the disk takes 7.5 MiB of them.
        FillCase{{"hand_off"}, std::vector<int64_t>(21, kMiB), 15 * kMiB / 2, true, 7 * kMiB},
        FillCase{{"close"}, {kMiB, kMiB, kMiB, kMiB / 2}, 2 * kMiB + kMiB / 3, false, 2 * kMiB},
        FillCase{{"written_through"}, {kMiB, kCap + kMiB, kMiB}, 10 * kMiB, true, kMiB},
        FillCase{{"exactly_full"}, {kMiB, kMiB, kMiB}, 2 * kMiB, false, 2 * kMiB},
        FillCase{{"full_from_the_start"}, {kMiB, kMiB}, 0, false, 0},
        FillCase{{"room_enough"}, {kMiB, kMiB, kMiB}, 3 * kMiB, false, 3 * kMiB},
        // A still screen's pictures are about a hundred bytes: far more blocks than
        // any small table of ends holds, and the failure lies past the 65,536th.
        FillCase{{"many_small_blocks"}, std::vector<int64_t>(100000, 100), 9000050, false, 9000000},
        // A hand-off small enough for the stream's own buffer fails only when it
        // is flushed: still cut back to the last whole block.
        FillCase{{"small_last_block"}, {300, 300, 300}, 700, false, 600},
        // The small buffer is handed off by the block too large for any buffer,
        // and fails before that block is written through.
        FillCase{{"small_hand_off_then_written_through"}, {300, 300, kCap + 1}, 450, true, 300},
        FillCase{{"long_path_hand_off"}, std::vector<int64_t>(21, kMiB), 15 * kMiB / 2, true, 7 * kMiB, true},
        FillCase{{"long_path_close"}, {300, 300, 300}, 700, false, 600, true}),
    CaseName());

struct FlushFailureCase : NamedCase
{
    std::vector<int64_t> blocks;
    int64_t room;
    bool failedBefore;  // a hand-off fails before the flush
    int64_t kept;       // the file after the close
};

class AsyncFileWriterFlushFailureTest : public AsyncFileWriterTest,
                                        public testing::WithParamInterface<FlushFailureCase>
{
};

// A writer that has failed writes nothing more at a flush, and one whose flush
// fails knows it when the flush returns. Either way the close still cuts the
// file back to the last block it holds whole.
TEST_P(AsyncFileWriterFlushFailureTest, FailureIsKnownAndTheCloseStillCuts)
{
    const FlushFailureCase& c = GetParam();
    const LaggingListing listing(m_path);
    FullVolume volume(c.room);
    AsyncFileWriter writer(m_path);
    for (int64_t size : c.blocks)
        writer.Write(m_source.Next(size), size);
    if (c.failedBefore) {
        ASSERT_TRUE(WaitForFailure(writer));
    }
    const std::vector<unsigned char> beforeFlush = ReadFileBytes(m_path);
    const int refusedBeforeFlush = volume.RefusedCalls();
    writer.Flush();
    EXPECT_TRUE(writer.Failed()) << "known when the flush returns";
    if (c.failedBefore) {
        EXPECT_EQ(ReadFileBytes(m_path), beforeFlush) << "nothing more is written";
        EXPECT_EQ(volume.RefusedCalls(), refusedBeforeFlush);
    }
    writer.Close();
    ExpectStreamFile(c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, AsyncFileWriterFlushFailureTest,
    testing::Values(FlushFailureCase{{"failed_before"}, std::vector<int64_t>(21, kMiB), 15 * kMiB / 2, true, 7 * kMiB},
                    FlushFailureCase{{"fails_in_the_flush"}, {kMiB, kMiB, kMiB / 2}, 2 * kMiB + kMiB / 3, false,
                                     2 * kMiB},
                    // The hand-off before it reaches the disk whole.
                    FlushFailureCase{{"fails_in_the_flush_after_a_hand_off"}, std::vector<int64_t>(22, kMiB),
                                     20 * kMiB + kMiB / 2, false, 20 * kMiB}),
    CaseName());

// What the writer's tests stand on: under the stand-in, std::filesystem sees
// the folder's stale entry, and no long-path name at all.
TEST(LaggingListingTest, StatSeesTheFoldersEntryNotTheFile)
{
    TempDir dir;
    const std::wstring path = dir.File(L"open.264");
    const LaggingListing listing(path);
    std::ofstream file(path.c_str(), std::ios::binary);
    file << std::string(1000, 'x') << std::flush;
    std::error_code error;
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(path), error), 0u);
    EXPECT_FALSE(error);
    std::filesystem::file_size(std::filesystem::path(LongPathOf(path)), error);
    EXPECT_TRUE(error);
    EXPECT_EQ(FileSize(path), 1000) << "the file itself holds what was written";
}

// The file's own size and its cut, through a handle: every path form, a file
// that another stream holds open for writing, and a file that is not there.
class FileOnDiskTest : public testing::TestWithParam<bool>
{
protected:
    std::wstring Name(const std::wstring& path) const { return GetParam() ? LongPathOf(path) : path; }

    TempDir m_dir;
    std::wstring m_path = m_dir.File(L"stream.264");
};

TEST_P(FileOnDiskTest, SizeIsWhatReachedTheOpenFile)
{
    const LaggingListing listing(m_path);
    std::ofstream file(m_path.c_str(), std::ios::binary);
    file << std::string(1234, 'x') << std::flush;
    int64_t size = -1;
    ASSERT_TRUE(FileSizeOnDisk(Name(m_path), &size));
    EXPECT_EQ(size, 1234);
}

TEST_P(FileOnDiskTest, CutKeepsTheFirstBytesAndNeverLengthens)
{
    WriteFileBytes(m_path, std::vector<unsigned char>(5000, 0xAB));
    EXPECT_TRUE(CutFileOnDisk(Name(m_path), 1700));
    EXPECT_EQ(ReadFileBytes(m_path), std::vector<unsigned char>(1700, 0xAB));
    EXPECT_TRUE(CutFileOnDisk(Name(m_path), 9000));
    EXPECT_EQ(FileSize(m_path), 1700);
}

TEST_P(FileOnDiskTest, AMissingFileHasNoSizeAndNoCut)
{
    int64_t size = 77;
    EXPECT_FALSE(FileSizeOnDisk(Name(m_dir.File(L"missing.264")), &size));
    EXPECT_EQ(size, 77);
    EXPECT_FALSE(CutFileOnDisk(Name(m_dir.File(L"missing.264")), 0));
    EXPECT_FALSE(PathExists(m_dir.File(L"missing.264")));
}

INSTANTIATE_TEST_SUITE_P(PathForms, FileOnDiskTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "long_path" : "plain_path");
                         });

struct CutCase : NamedCase
{
    int64_t start;
    std::vector<int64_t> ends;
    int64_t size;
    int64_t cut;
};

class LastWholeBlockEndTest : public testing::TestWithParam<CutCase>
{
};

TEST_P(LastWholeBlockEndTest, FindsTheLastBlockWithin)
{
    const CutCase& c = GetParam();
    BlockEnds ends(1000);
    ASSERT_TRUE(ends.Ready());
    for (int64_t end : c.ends)
        ends.Mark(end);
    EXPECT_EQ(LastWholeBlockEnd(c.start, &ends, c.size), c.cut);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LastWholeBlockEndTest,
                         testing::Values(CutCase{{"inside_the_first_block"}, 100, {10, 20, 30}, 105, 100},
                                         CutCase{{"on_a_block_end"}, 100, {10, 20, 30}, 120, 120},
                                         CutCase{{"between_ends"}, 100, {10, 20, 30}, 125, 120},
                                         CutCase{{"all_of_it"}, 100, {10, 20, 30}, 130, 130},
                                         CutCase{{"beyond_the_buffer"}, 100, {10, 20, 30}, 200, 130},
                                         CutCase{{"no_blocks"}, 100, {}, 150, 100},
                                         CutCase{{"nothing_of_the_buffer"}, 100, {10}, 100, 100},
                                         CutCase{{"less_than_before_it"}, 100, {10}, 50, -1},
                                         // Ends on either side of where one word of marks meets the next.
                                         CutCase{{"last_bit_of_a_word"}, 0, {1, 63, 64, 65}, 63, 63},
                                         CutCase{{"first_bit_of_a_word"}, 0, {1, 63, 64, 65}, 64, 64},
                                         CutCase{{"back_across_words"}, 0, {5, 200}, 199, 5},
                                         CutCase{{"the_very_last_byte"}, 0, {500, 1000}, 1000, 1000},
                                         CutCase{{"one_byte_blocks"}, 0, {1, 2, 3, 4}, 3, 3}),
                         CaseName());

struct ClearCase : NamedCase
{
    int64_t capacity;
    std::vector<int64_t> before;  // marked, then cleared
    int64_t after;                // marked after the clear, past every end before it
};

class BlockEndsClearTest : public testing::TestWithParam<ClearCase>
{
};

// A buffer filled again starts with no ends, however far the last fill reached:
// an end of the last fill must not show up once a new end lies past it.
TEST_P(BlockEndsClearTest, ClearForgetsEveryEnd)
{
    const ClearCase& c = GetParam();
    BlockEnds ends(c.capacity);
    ASSERT_TRUE(ends.Ready());
    for (int64_t end : c.before)
        ends.Mark(end);
    ends.Clear();
    EXPECT_EQ(ends.LastWithin(c.capacity), 0);
    ends.Mark(10);
    EXPECT_EQ(ends.LastWithin(c.capacity), 10);
    EXPECT_EQ(ends.LastWithin(9), 0);
    ends.Mark(c.after);
    EXPECT_EQ(ends.LastWithin(c.after - 1), 10);
    EXPECT_EQ(ends.LastWithin(c.capacity), c.after);
}

INSTANTIATE_TEST_SUITE_P(Capacities, BlockEndsClearTest,
                         testing::Values(ClearCase{{"odd_capacity"}, 1000, {7, 300, 999}, 1000},
                                         // Multiples of 64: the last end is the first bit of a word.
                                         ClearCase{{"word_multiple"}, 1024, {1000}, 1024},
                                         ClearCase{{"one_word"}, 64, {63}, 64},
                                         ClearCase{{"write_buffer"}, kCap, {kCap - 1}, kCap}),
                         CaseName());

} // namespace
