// The real Glintcast.exe under Wine, started in a folder of its own and driven
// from outside as a user would drive it. Wine has no desktop duplication and no
// loopback capture, so the screen and system-sound engines fail at the opening
// and only the microphone records: here, the monitor of the session's null sink.
#include "GlintcastOpening.h"
#include "NativeTool.h"
#include "ProgramProcess.h"
#include "ProgramUnderWine.h"
#include "RemoteWindow.h"
#include "TempDir.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <initguid.h>
#include <audioclient.h>
#include <functiondiscoverykeys_devpkey.h>
#include <mmdeviceapi.h>

#include <cstdlib>
#include <memory>
#include <regex>

namespace {

const std::wstring kScreenEngineFailed =
    L"屏幕数据获取引擎初始化失败，你将无法录制图像！这可能是因为不兼容你的设备，或不支持你当前的桌面模式或场景，"
    L"如果你是双显卡笔记本，请试着切换模式。！\r\n错误代码：";
const std::wstring kSystemSoundEngineFailed =
    L"输出声音数据获取引擎初始化失败，你将无法录制系统输出声音！\r\n错误代码：";
const std::wstring kInitFailedCaption = L"初始化失败";

std::wstring WithCode(const std::wstring& text, HRESULT hr)
{
    return text + std::to_wstring(static_cast<long>(hr));
}

// The friendly name of the default endpoint of flow, as Core Audio tells it to
// any program of the session.
std::wstring DefaultEndpointName(EDataFlow flow)
{
    std::wstring name;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IMMDeviceEnumerator* enumerator = nullptr;
    IMMDevice* device = nullptr;
    IPropertyStore* properties = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_MMDeviceEnumerator, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&enumerator))) &&
        SUCCEEDED(enumerator->GetDefaultAudioEndpoint(flow, eConsole, &device)) &&
        SUCCEEDED(device->OpenPropertyStore(STGM_READ, &properties))) {
        PROPVARIANT value;
        PropVariantInit(&value);
        if (SUCCEEDED(properties->GetValue(PKEY_Device_FriendlyName, &value)) && value.vt == VT_LPWSTR)
            name = value.pwszVal;
        PropVariantClear(&value);
    }
    if (properties)
        properties->Release();
    if (device)
        device->Release();
    if (enumerator)
        enumerator->Release();
    CoUninitialize();
    return name;
}

// The output name that a start at the local time now would give the microphone.
std::wstring MicFileNameAt(const SYSTEMTIME& now)
{
    wchar_t name[64];
    swprintf(name, 64, L"Glintcast_Record - %04u_%02u_%02u_%02u_%02u_%02u.MIC.flac", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond);
    return name;
}

std::wstring LocalNowMicFileName()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return MicFileNameAt(now);
}

// The largest sample of a sound file, 0 to 1, as sox measures it; -1 when sox fails.
double MaximumAmplitude(const std::string& file)
{
    const NativeResult stat = RunNative("sox " + ShellQuote(file) + " -n stat");
    const auto at = stat.output.find("Maximum amplitude:");
    if (stat.exitCode != 0 || at == std::string::npos)
        return -1;
    return atof(stat.output.c_str() + at + sizeof "Maximum amplitude:" - 1);
}

TEST_F(ProgramUnderWine, OpensWithBothEngineMessagesThenTheAboutBoxThenTheMainWindow)
{
    const GlintcastOpening opening = GoThroughOpening(*m_program);

    ASSERT_EQ(opening.boxes.size(), 2u);
    EXPECT_EQ(opening.boxes[0].caption, kInitFailedCaption);
    EXPECT_EQ(opening.boxes[0].text, WithCode(kScreenEngineFailed, E_NOTIMPL));
    EXPECT_EQ(opening.boxes[1].caption, kInitFailedCaption);
    EXPECT_EQ(opening.boxes[1].text, WithCode(kSystemSoundEngineFailed, AUDCLNT_E_WRONG_ENDPOINT_TYPE));
    for (const ShownBox& box : opening.boxes)
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK}) << Utf8(box.text);
    EXPECT_TRUE(opening.aboutShown);
    EXPECT_EQ(opening.boxesBeforeAbout, 2u);
    ASSERT_NE(opening.mainWindow, nullptr);

    const RemoteWindow main(opening.mainWindow);
    const struct
    {
        int id;
        const char* name;
        bool enabled;
        bool checked;
    } controls[] = {
        {IDC_RECORD_SCREEN, "record screen", false, false},
        {IDC_DRAW_CURSOR, "draw pointer", false, false},
        {IDC_FRAME_RATE, "frame rate", false, false},
        {IDC_SELECT_REGION, "select region", false, false},
        {IDC_OUTPUT_DEVICE_LIST, "playback list", false, false},
        {IDC_RECORD_SYSTEM_AUDIO, "record system sound", false, false},
        {IDC_INPUT_DEVICE_LIST, "recording list", true, false},
        {IDC_RECORD_MIC, "record microphone", true, false},
        {IDC_START_STOP, "start", true, false},
        {IDC_BROWSE_OUTPUT, "browse", true, false},
        {IDC_SET_TIME, "set time", true, false},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.name);
        EXPECT_EQ(main.IsEnabled(control.id), control.enabled);
        EXPECT_EQ(main.IsChecked(control.id), control.checked);
    }
    EXPECT_EQ(main.Text(IDC_OUTPUT_DIR), L".\\Glintcast_Output");
    EXPECT_EQ(main.Text(IDC_TIME_DISPLAY), L"00:00:00");
    EXPECT_EQ(main.SelectedItem(IDC_FRAME_RATE), L"30");
    EXPECT_EQ(main.Text(IDC_START_STOP), L"开始录制");
    const std::wstring microphone = DefaultEndpointName(eCapture);
    ASSERT_FALSE(microphone.empty());
    EXPECT_EQ(main.SelectedItem(IDC_INPUT_DEVICE_LIST), microphone);
    EXPECT_EQ(main.SelectedItem(IDC_OUTPUT_DEVICE_LIST), DefaultEndpointName(eRender));

    CloseAndExpectCleanEnd(main);
}

TEST_F(ProgramUnderWine, RecordsTheMicrophoneFromTheStartButtonIntoAFlacFileWithTheTonePlayed)
{
    const RemoteWindow main = OpenMainWindow();
    ASSERT_TRUE(main.IsOpen());
    ASSERT_TRUE(main.SetCheck(IDC_RECORD_MIC, true));

    const std::wstring earliest = LocalNowMicFileName();
    main.Click(IDC_START_STOP);
    ASSERT_TRUE(WaitUntil([&] { return main.Text(IDC_START_STOP) == L"停止录制"; }));
    const std::wstring latest = LocalNowMicFileName();

    // The sink's monitor is the session's default recording endpoint: what plays
    // into the sink is what the microphone records.
    const std::string tone = UnixPath(m_scratch.File(L"tone.wav"));
    const NativeResult played = RunNative("sox -n -r 48000 -c 2 -b 16 " + ShellQuote(tone) +
                                          " synth 3 sine 440 vol 0.5 && paplay -d glintcast " + ShellQuote(tone));
    ASSERT_EQ(played.exitCode, 0) << played.output;

    main.Click(IDC_START_STOP);
    ASSERT_TRUE(WaitUntil([&] { return main.Text(IDC_START_STOP) == L"开始录制"; }));
    EXPECT_EQ(main.Text(IDC_TIME_DISPLAY), L"00:00:00");

    const std::wstring output = m_folder.File(L"Glintcast_Output\\");
    const std::vector<std::wstring> files = FilesIn(output);
    ASSERT_EQ(files.size(), 1u);
    const std::wstring& name = files[0];
    EXPECT_TRUE(std::regex_match(Utf8(name), std::regex(R"(Glintcast_Record - \d{4}(_\d{2}){5}\.MIC\.flac)")))
        << Utf8(name);
    // The stamp is the local time of the start: fixed-width fields sort as times do.
    EXPECT_GE(name, earliest);
    EXPECT_LE(name, latest);

    const std::string file = UnixPath(output + name);
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(file));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    EXPECT_GT(MaximumAmplitude(file), 0.3);

    CloseAndExpectCleanEnd(main);
}

} // namespace
