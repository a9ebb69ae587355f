// The encode-failure stop paths. This program is linked with the encoder's
// encode call wrapped (FailingEncoder), so that a chosen call fails as a broken
// encoder would; the record loop itself is the real one.
#include "FailingEncoder.h"
#include "Globals.h"
#include "H264Stream.h"
#include "RecordingFixture.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

namespace {

using fakes::AcquireStep;
using fakes::NewFrame;
using fakes::TimedOut;

struct EncodeCase
{
    const char* name;
    std::vector<AcquireStep> (*script)(int64_t slot);
    int failingCall;
    std::wstring text;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

AcquireStep Frame(int seed) { return NewFrame(Blocks(64, 48, seed)); }

class EncodeFailureTest : public RecordingFixture, public testing::WithParamInterface<EncodeCase>
{
protected:
    FailingEncoder encoder{GetParam().failingCall};
};

// The encoder failing stops the recording with the message of the branch that
// called it; the file keeps the pictures coded before.
TEST_P(EncodeFailureTest, StopsWithTheMessageOfItsBranch)
{
    const EncodeCase& c = GetParam();
    system->Push(c.script(Slot(30)));
    Record(30);
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, c.text);
    EXPECT_EQ(shown[0].caption, L"错误");
    EXPECT_TRUE(shown[0].IsPlainOk());
    EXPECT_TRUE(g_stopRecording);
    EXPECT_EQ(encoder.Calls(), c.failingCall + 1) << "no encode after the failure";
    EXPECT_EQ(CheckRecordedStream(Stream(), 30, 64, 48), c.failingCall);
}

INSTANTIATE_TEST_SUITE_P(
    Branches, EncodeFailureTest,
    testing::Values(
        EncodeCase{"fresh_picture_in_slot",
                   [](int64_t) { return std::vector<AcquireStep>{Frame(9), Frame(0), Frame(1), Frame(2)}; }, 2,
                   L"视频编码失败，原因未知\n"},
        EncodeCase{"repeat_after_a_time_out",
                   [](int64_t) { return std::vector<AcquireStep>{Frame(9), Frame(0), TimedOut(), Frame(2)}; }, 1,
                   L"视频编码失败，原因未知\n"},
        EncodeCase{"repeat_when_late",
                   [](int64_t slot) {
                       AcquireStep slow = Frame(1);
                       slow.waitTicks = slot * 5 / 2;
                       return std::vector<AcquireStep>{Frame(9), Frame(0), slow, Frame(2)};
                   },
                   2, L"编码失败，原因未知，请联系作者。\n"}),
    CaseName());

} // namespace
