// The sound record loop over the fake Core Audio layer: what reaches the FLAC
// file (checked with the machine's own flac and metaflac), when it stops, and
// how it fails.
#include "AudioCapture.h"

#include "AudioRecordingFixture.h"
#include "FakeAudioMallocSpy.h"
#include "FileFailureMessage.h"
#include "FlacCommentRewriter.h"
#include "FlacEncoderProbe.h"
#include "FlacSamples.h"
#include "Globals.h"
#include "MessageBoxWatcher.h"
#include "NamedCase.h"
#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

const std::wstring kInitFailureText = L"音频编码器初始化失败,重启软件应该可以解决\n错误代码：";

class AudioRecordLoopTest : public AudioRecordingFixture
{
protected:
    void SetUp() override
    {
        AudioRecordingFixture::SetUp();
        FlacEncoderProbe::Reset();
    }
};

TEST_F(AudioRecordLoopTest, FileDecodesToTheDeliveredSamplesOneProcessCallPerPacket)
{
    const Samples first = Join({{int16_t(0x8000), 0x7FFF, -1, 1}, Ramp(956, 0x7F00, 37)});  // 480 frames
    const Samples second = Ramp(960, -20000, 41);
    const Samples odd = Ramp(882, 12345, -97);  // 441 frames
    const Samples noise = Ramp(200, 1000, 3);   // bytes of a packet flagged silent
    capture.AddPass(Pass({Packet(first), Packet(second)}));
    capture.AddPass(Pass({Packet(odd)}));
    capture.AddPass(Pass({Packet(noise, AUDCLNT_BUFFERFLAGS_SILENT)}));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    EXPECT_EQ(FlacEncoderProbe::ProcessedFrames(), (std::vector<uint32_t>{480, 480, 441, 100}));
    // A silent packet is silence, whatever its bytes.
    EXPECT_EQ(DecodeFlacSamples(path), Join({first, second, odd, Samples(200, 0)}));
    EXPECT_EQ(audio.Log().Misuses(), std::vector<std::string>());
    EXPECT_FALSE(client.Started());
}

TEST_F(AudioRecordLoopTest, FileHoldsStreamInfoThenOnlyOurVorbisComment)
{
    capture.AddPass(Pass({Packet(Ramp(9600, -30000, 7)), Packet(Ramp(9600, 5, 11))}));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    const auto bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 65u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 8),
              (std::vector<unsigned char>{'f', 'L', 'a', 'C', 0x00, 0x00, 0x00, 34}));
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 42, bytes.begin() + 63), GlintcastCommentBlock(true));
    EXPECT_EQ(bytes[63], 0xFF);  // the first frame follows at once
    EXPECT_EQ(bytes[64] & 0xFE, 0xF8);

    const std::string file = ShellQuote(UnixPath(path));
    const NativeResult test = RunNative("flac -t -s " + file);
    EXPECT_EQ(test.exitCode, 0) << test.output;
    const NativeResult totals = RunNative("metaflac --show-total-samples --show-md5sum " + file);
    EXPECT_EQ(totals.output.substr(0, totals.output.find('\n')), "9600");
    EXPECT_EQ(totals.output.find("00000000000000000000000000000000"), std::string::npos) << totals.output;
    const NativeResult list = RunNative("metaflac --list " + file + " | grep -E '^METADATA|is last|length|vendor|comments'");
    EXPECT_EQ(list.output,
              "METADATA block #0\n  is last: false\n  length: 34\n"
              "METADATA block #1\n  is last: true\n  length: 17\n  vendor string: Glintcast\n  comments: 0\n");
}

// STREAMINFO describes the endpoint's own channels and rate, in 16-bit samples:
// the format the engine opened its stream with.
struct EndpointFormat : NamedCase
{
    WORD channels;
    DWORD rate;
    DWORD channelMask;
};

class AudioStreamInfoTest : public AudioRecordLoopTest, public testing::WithParamInterface<EndpointFormat>
{
};

TEST_P(AudioStreamInfoTest, StreamInfoCarriesTheEndpointFormatIn16Bits)
{
    const EndpointFormat& format = GetParam();
    client.mixFormat = ExtensibleFloatMixFormat(format.channels, format.rate, format.channelMask);
    client.bufferFrames = format.rate / 50;  // 20 ms: 10 ms polls
    const size_t frames = format.rate / 100;
    const Samples first = Ramp(frames * format.channels, -30000, 7);
    const Samples second = Ramp(frames * format.channels, 1234, -3);
    capture.AddPass(Pass({Packet(first), Packet(second)}));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    const WAVEFORMATEX* stream = client.StreamFormat();
    ASSERT_NE(stream, nullptr);
    FlacStreamInfo info;
    ASSERT_TRUE(ReadFlacStreamInfo(ReadFileBytes(path), &info));
    EXPECT_EQ(info.sampleRate, format.rate);
    EXPECT_EQ(info.channels, format.channels);
    EXPECT_EQ(info.bitsPerSample, 16);
    EXPECT_EQ(info.sampleRate, stream->nSamplesPerSec);
    EXPECT_EQ(info.channels, stream->nChannels);
    EXPECT_EQ(info.bitsPerSample, stream->wBitsPerSample);
    EXPECT_EQ(info.totalSamples, 2 * frames);
    EXPECT_EQ(DecodeFlacSamples(path), Join({first, second}));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, AudioStreamInfoTest,
    testing::Values(EndpointFormat{{"mono_44100"}, 1, 44100, SPEAKER_FRONT_CENTER},
                    EndpointFormat{{"stereo_48000"}, 2, 48000, SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT},
                    EndpointFormat{{"stereo_96000"}, 2, 96000, SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT},
                    EndpointFormat{{"surround_6_channels_48000"}, 6, 48000, KSAUDIO_SPEAKER_5POINT1}),
    CaseName());

TEST_F(AudioRecordLoopTest, StopDuringTheSleepDropsThePacketsWaiting)
{
    capture.AddPass(Pass({Packet(Ramp(960, 100, 1))}));
    FakeAudioPass stopped = Pass({Packet(Ramp(960, 200, 1)), Packet(Ramp(960, 300, 1))});
    stopped.stopDuringSleep = true;
    capture.AddPass(std::move(stopped));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    EXPECT_EQ(FlacEncoderProbe::ProcessedFrames(), std::vector<uint32_t>{480});
    EXPECT_EQ(capture.DeliveredPackets(), 1u);
    EXPECT_EQ(DecodeFlacSamples(path), Ramp(960, 100, 1));
    EXPECT_EQ(audio.Log().Calls().back(), "Client.Reset");
    EXPECT_FALSE(client.Started());
}

TEST_F(AudioRecordLoopTest, SecondRecordingOnTheSameEngineHoldsOnlyItsOwnSound)
{
    auto engine = Engine();
    capture.AddPass(Pass({Packet(Ramp(960, 1, 1))}));
    FakeAudioPass stopped = Pass({Packet(Ramp(960, 2000, 1))});  // left in the endpoint buffer
    stopped.stopDuringSleep = true;
    capture.AddPass(std::move(stopped));
    const std::wstring firstPath = dir.File(L"first.flac");
    engine->RecordToFlac(firstPath);

    g_stopRecording = false;
    capture.AddPass(Pass({Packet(Ramp(1920, -5000, 3))}));
    const std::wstring secondPath = dir.File(L"second.flac");
    engine->RecordToFlac(secondPath);

    EXPECT_EQ(DecodeFlacSamples(firstPath), Ramp(960, 1, 1));
    EXPECT_EQ(DecodeFlacSamples(secondPath), Ramp(1920, -5000, 3));
    EXPECT_EQ(CallCount("Client.Start"), 2u);
    EXPECT_EQ(CallCount("Client.Stop"), 2u);
    EXPECT_EQ(audio.Log().Misuses(), std::vector<std::string>());
}

TEST_F(AudioRecordLoopTest, PacketLongerThanTheConversionBufferIsEncodedInPieces)
{
    // A buffer of 1.25 s at 192 kHz: the one-second conversion buffer (1.5 MB,
    // guarded against overruns) is shorter than its one packet.
    client.mixFormat = ExtensibleFloatMixFormat(2, 192000, 0x3);
    client.bufferFrames = 240000;
    const Samples packet = Ramp(480000, -32768, 13);
    capture.AddPass(Pass({Packet(packet)}));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    EXPECT_EQ(FlacEncoderProbe::ProcessedFrames(), (std::vector<uint32_t>{192000, 48000}));
    EXPECT_EQ(DecodeFlacSamples(path), packet);
}

// A capture client that fails (an endpoint removed, a driver reset, a buffer
// it cannot give): the recording stops with the device box within the pass
// that meets the failure, nothing is read or released after it, and the file
// keeps what came before.
struct CaptureFailure : NamedCase
{
    HRESULT packetSizeResult;
    HRESULT bufferResult;
    bool packetWaiting;  // the failing pass brings a packet
    bool endpointGone;   // for good: a later start fails too
    const wchar_t* code;
};

class AudioCaptureFailureTest : public AudioRecordLoopTest, public testing::WithParamInterface<CaptureFailure>
{
protected:
    FakeAudioPass FailingPass(Samples packet)
    {
        FakeAudioPass failing;
        if (GetParam().packetWaiting)
            failing.packets.push_back(Packet(std::move(packet)));
        failing.packetSizeResult = GetParam().packetSizeResult;
        failing.bufferResult = GetParam().bufferResult;
        failing.endpointGone = GetParam().endpointGone;
        return failing;
    }

    void ExpectDeviceBox(const MessageBoxRecord& box)
    {
        EXPECT_EQ(box.text, SoundDeviceLostText(GetParam().bufferResult == S_OK ? GetParam().packetSizeResult
                                                                                : GetParam().bufferResult));
        EXPECT_NE(box.text.find(std::wstring(L"\n错误代码：") + GetParam().code), std::wstring::npos) << Utf8(box.text);
        EXPECT_EQ(box.caption, L"错误");
        EXPECT_TRUE(box.IsPlainOk());
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.threadId, RecordThreadId());
    }
};

TEST_P(AudioCaptureFailureTest, StopsWithTheDeviceBoxAndKeepsWhatCameBefore)
{
    MessageBoxWatcher watcher;
    const Samples a = Ramp(960, 10, 1), b = Ramp(960, 20, 1), c = Ramp(960, 30, 1);
    capture.SetStopWhenScriptEnds(false);
    capture.AddPass(Pass({Packet(a), Packet(b)}));
    capture.AddPass(FailingPass(c));
    capture.AddPass(Pass({Packet(Ramp(960, 40, 1))}));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    ASSERT_TRUE(RecordEndsByItself(*engine, path));

    EXPECT_TRUE(g_stopRecording);
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    ExpectDeviceBox(boxes[0]);
    EXPECT_EQ(capture.Passes(), 2u) << "the failure was told only at a later poll";
    EXPECT_EQ(capture.DeliveredPackets(), 2u);
    EXPECT_EQ(audio.Log().Misuses(), std::vector<std::string>());
    EXPECT_FALSE(client.Started());
    EXPECT_EQ(audio.Log().Calls().back(), "Client.Reset");
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(UnixPath(path)));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    EXPECT_EQ(DecodeFlacSamples(path), Join({a, b}));
}

// The next recording on the same engine: an endpoint gone for good says so
// again at once, its file holds no sound but is a FLAC file all the same; a
// client that failed once records again.
TEST_P(AudioCaptureFailureTest, NextRecordingOnTheSameEngineSaysSoAgainOnlyWhileTheEndpointIsGone)
{
    MessageBoxWatcher watcher;
    capture.SetStopWhenScriptEnds(false);
    capture.AddPass(FailingPass(Ramp(960, 20, 1)));
    auto engine = Engine();
    ASSERT_TRUE(RecordEndsByItself(*engine, dir.File(L"first.flac")));
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(capture.Passes(), 1u) << "the failure was told only after the first poll";

    g_stopRecording = false;
    const Samples later = Ramp(1920, -5000, 3);
    capture.SetStopWhenScriptEnds(true);
    capture.AddPass(Pass({Packet(later)}));
    const std::wstring second = dir.File(L"second.flac");
    ASSERT_TRUE(RecordEndsByItself(*engine, second));

    const auto boxes = watcher.Boxes();
    EXPECT_EQ(audio.Log().Misuses(), std::vector<std::string>());
    EXPECT_FALSE(client.Started());
    EXPECT_EQ(CallCount("Client.Start"), 2u);
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(UnixPath(second)));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    if (GetParam().endpointGone) {
        EXPECT_TRUE(g_stopRecording);
        ASSERT_EQ(boxes.size(), 2u);
        ExpectDeviceBox(boxes[1]);
        EXPECT_TRUE(DecodeFlacSamples(second).empty());
    } else {
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(DecodeFlacSamples(second), later);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, AudioCaptureFailureTest,
    testing::Values(
        // Removed while the loop slept: the packet size already tells.
        CaptureFailure{{"endpoint_removed_packet_size_fails"}, AUDCLNT_E_DEVICE_INVALIDATED, S_OK, true, true,
                       L"-2004287484"},
        // Removed between a packet's report and its GetBuffer (Wine's client
        // of a removed endpoint that held a packet answers so for ever).
        CaptureFailure{{"endpoint_removed_buffer_fails"}, S_OK, AUDCLNT_E_DEVICE_INVALIDATED, true, true,
                       L"-2004287484"},
        // Removed right after GetNextPacketSize found no packet: only the audio
        // client's padding tells (Wine's client of a removed endpoint that held
        // none answers 0 frames for ever).
        CaptureFailure{{"endpoint_removed_no_packet_waiting"}, S_OK, AUDCLNT_E_DEVICE_INVALIDATED, false, true,
                       L"-2004287484"},
        CaptureFailure{{"service_stopped"}, AUDCLNT_E_SERVICE_NOT_RUNNING, AUDCLNT_E_SERVICE_NOT_RUNNING, true, true,
                       L"-2004287472"},
        CaptureFailure{{"buffer_refused_once"}, S_OK, AUDCLNT_E_BUFFER_ERROR, true, false, L"-2004287464"}),
    CaseName());

// What the platform reports as a success is a passing glitch: the recording
// goes on, no box, every packet given out is written and the others wait.
struct CaptureGlitch : NamedCase
{
    HRESULT bufferResult;
    DWORD flags;
};

class AudioCaptureGlitchTest : public AudioRecordLoopTest, public testing::WithParamInterface<CaptureGlitch>
{
};

TEST_P(AudioCaptureGlitchTest, ChangesNothing)
{
    MessageBoxWatcher watcher;
    const Samples a = Ramp(960, 10, 1), b = Ramp(960, 20, 1), c = Ramp(960, 30, 1);
    capture.AddPass(Pass({Packet(a)}));
    FakeAudioPass glitch = Pass({Packet(b, GetParam().flags)});
    glitch.bufferResult = GetParam().bufferResult;
    capture.AddPass(std::move(glitch));
    capture.AddPass(Pass({Packet(c)}));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(audio.Log().Misuses(), std::vector<std::string>());
    EXPECT_EQ(capture.DeliveredPackets(), 3u);
    EXPECT_EQ(DecodeFlacSamples(path), Join({a, b, c}));
}

INSTANTIATE_TEST_SUITE_P(
    Glitches, AudioCaptureGlitchTest,
    testing::Values(CaptureGlitch{{"buffer_empty_after_all"}, AUDCLNT_S_BUFFER_EMPTY, 0},
                    CaptureGlitch{{"data_discontinuity"}, S_OK, AUDCLNT_BUFFERFLAGS_DATA_DISCONTINUITY},
                    CaptureGlitch{{"timestamp_error"}, S_OK, AUDCLNT_BUFFERFLAGS_TIMESTAMP_ERROR}),
    CaseName());

// An endpoint through which nothing plays delivers no packet and answers S_OK
// all along (Windows's loopback while the computer is silent): silence, not a
// loss. The recording goes on through it and ends at the stop.
TEST_F(AudioRecordLoopTest, PassesWithoutAPacketAreSilenceNotALostDevice)
{
    MessageBoxWatcher watcher;
    const Samples a = Ramp(960, 10, 1), b = Ramp(960, 20, 1);
    capture.AddPass(Pass({Packet(a)}));
    for (int i = 0; i < 8; ++i)
        capture.AddPass(Pass({}));
    capture.AddPass(Pass({Packet(b)}));
    for (int i = 0; i < 2; ++i)
        capture.AddPass(Pass({}));
    FakeAudioPass stopped;
    stopped.stopDuringSleep = true;
    capture.AddPass(std::move(stopped));
    auto engine = Engine();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(capture.Passes(), 13u);
    EXPECT_EQ(audio.Log().Misuses(), std::vector<std::string>());
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(UnixPath(path)));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    EXPECT_EQ(DecodeFlacSamples(path), Join({a, b}));
}

// An encoder that cannot be set up: the stop flag, a message, and the stream
// started and stopped again. A file that cannot be created gets the file's
// message naming it; any other failure the encoder's, with both libFLAC codes.
struct InitFailure : NamedCase
{
    std::function<std::wstring(const TempDir&)> path;
    WORD channels;
    const wchar_t* codes;  // null: the file's message
};

class AudioInitFailureTest : public AudioRecordLoopTest, public testing::WithParamInterface<InitFailure>
{
};

TEST_P(AudioInitFailureTest, StopsAndSaysWhy)
{
    MessageBoxWatcher watcher;
    client.mixFormat = ExtensibleFloatMixFormat(GetParam().channels, 48000, 0);
    capture.AddPass(Pass({Packet(Ramp(960 * GetParam().channels / 2, 0, 1))}));
    auto engine = Engine();
    const std::wstring path = GetParam().path(dir);
    engine->RecordToFlac(path);

    EXPECT_TRUE(g_stopRecording);
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              GetParam().codes ? kInitFailureText + GetParam().codes : RecordingFileFailureText(path));
    EXPECT_EQ(boxes[0].caption, L"错误");
    EXPECT_TRUE(boxes[0].IsPlainOk());
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].threadId, GetCurrentThreadId());
    EXPECT_EQ(CallCount("Client.Start"), 1u);
    EXPECT_EQ(CallCount("Client.Stop"), 1u);
    EXPECT_FALSE(client.Started());
    EXPECT_TRUE(FlacEncoderProbe::ProcessedFrames().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, AudioInitFailureTest,
    testing::Values(InitFailure{{"missing_folder"}, [](const TempDir& d) { return d.File(L"missing\\sound.flac"); }, 2,
                                nullptr},
                    InitFailure{{"folder_in_the_way"},
                                [](const TempDir& d) {
                                    CreateDirectoryW(d.File(L"sound.flac").c_str(), nullptr);
                                    return d.File(L"sound.flac");
                                },
                                2, nullptr},
                    InitFailure{{"invalid_name"}, [](const TempDir& d) { return d.File(L"sound?.flac"); }, 2, nullptr},
                    InitFailure{{"too_many_channels"}, [](const TempDir& d) { return d.File(L"sound.flac"); }, 10,
                                L"4-1"}),
    CaseName());

TEST_F(AudioRecordLoopTest, NoEncoderStopsWithTheGbkMessageBeforeStarting)
{
    MessageBoxWatcher watcher;
    auto engine = Engine();
    FlacEncoderProbe::FailNextNew();
    const std::wstring path = dir.File(L"sound.flac");
    engine->RecordToFlac(path);

    EXPECT_TRUE(g_stopRecording);
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"音频编码器分配内存失败");  // GBK bytes read in code page 936
    EXPECT_EQ(boxes[0].caption, L"");
    EXPECT_TRUE(boxes[0].IsPlainOk());
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(CallCount("Client.Start"), 0u);
    EXPECT_FALSE(PathExists(path));
}

TEST_F(AudioRecordLoopTest, NonAsciiPathGivesAFileUnderThatVeryName)
{
    // Chinese and Cyrillic, and Korean and Hungarian letters that the ANSI
    // code page of a Chinese system (936) cannot hold.
    const std::wstring folder = dir.File(L"录音 Папка 녹음");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring name = L"系统声音 Запись ő 소리.flac";
    const Samples samples = Ramp(1920, -7, 5);
    capture.AddPass(Pass({Packet(samples)}));
    auto engine = Engine();
    engine->RecordToFlac(folder + L"\\" + name);

    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if (found.cFileName != std::wstring(L".") && found.cFileName != std::wstring(L".."))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(names, std::vector<std::wstring>{name});
    EXPECT_EQ(DecodeFlacSamples(folder + L"\\" + name), samples);
}

TEST_F(AudioRecordLoopTest, DeletingTheEngineReleasesEverythingAndFreesOnlyTheFormat)
{
    FakeAudioMallocSpy& spy = FakeAudioMallocSpy::Instance();
    ASSERT_TRUE(spy.Registered());
    capture.AddPass(Pass({Packet(Ramp(960, 0, 1)), Packet(Ramp(960, 0, 2))}));
    spy.ClearFrees();
    auto engine = Engine();
    engine->RecordToFlac(dir.File(L"sound.flac"));
    const void* format = client.HandedOutMixFormat();
    const std::vector<const void*> packets = capture.HandedOutMemory();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_FALSE(spy.WasFreed(format));

    engine.reset();
    EXPECT_TRUE(spy.WasFreed(format));
    for (const void* packet : packets)
        EXPECT_FALSE(spy.WasFreed(packet));
    EXPECT_EQ(audio.Log().Unreleased(), std::vector<std::string>());
}

} // namespace
