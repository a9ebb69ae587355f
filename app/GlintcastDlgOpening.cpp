// The main window's opening: the system menu, the tray data, the version test,
// the monitor and device lists with their engines, the hotkeys and the about box.
#include "GlintcastDlg.h"

#include "AboutDlg.h"
#include "AudioCapture.h"
#include "Globals.h"
#include "RecorderGlobals.h"
#include "SystemHooks.h"
#include "VideoCapture.h"

#include <shlwapi.h>
#include <wrl/client.h>

// The property key is defined here: no import library carries it.
#include <initguid.h>
#include <functiondiscoverykeys_devpkey.h>
#include <propsys.h>

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kSystemTooOld[] =
    L"很抱歉，因所使用的技术过于先进，\r\n\r\n视频录制仅能支持Windows8及以上系统！\r\n音频录制仅支持Windows7以上系统！\r\n"
    L"你为何不升级成更先进的Winodws10呢？";
constexpr wchar_t kSystemTooOldCaption[] = L"系统过于落后";
constexpr wchar_t kInitFailedCaption[] = L"初始化失败";
constexpr UINT kMaxOutputs = 8;

// An elevated program gets no message from the user's Explorer unless it lets it
// through. The call exists from Windows 7 on: it is looked up, so that an older
// system still loads the program and reads why it cannot run.
void AllowTaskbarMessage(HWND window, UINT message)
{
    using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto allow = reinterpret_cast<Filter>(
        reinterpret_cast<void (*)()>(user32 ? GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr));
    if (allow && message)
        allow(window, message, MSGFLT_ALLOW, nullptr);
}

} // namespace

// Messages of engines that fail; the selection handlers show them too.
const wchar_t kScreenEngineFailed[] =
    L"屏幕数据获取引擎初始化失败，你将无法录制图像！这可能是因为不兼容你的设备，或不支持你当前的桌面模式或场景，"
    L"如果你是双显卡笔记本，请试着切换模式。！\r\n错误代码：%ld";
const wchar_t kSystemAudioEngineFailed[] =
    L"输出声音数据获取引擎初始化失败，你将无法录制系统输出声音！\r\n错误代码：%ld";
const wchar_t kMicEngineFailed[] =
    L"输出声音数据获取引擎初始化失败，你将无法录制系统输入（麦克风）声音！\r\n错误代码：%ld";

bool IsWindowsVersionOrGreater(WORD wMajorVersion, WORD wMinorVersion, WORD wServicePackMajor)
{
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwMajorVersion = wMajorVersion;
    version.dwMinorVersion = wMinorVersion;
    version.wServicePackMajor = wServicePackMajor;
    DWORDLONG mask = 0;
    mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return Hooks().verifyVersionInfo(&version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) !=
           FALSE;
}

DWORD WINAPI DeviceEnumeratorThread(LPVOID)
{
    CoInitialize(nullptr);
    ComPtr<IMMDeviceEnumerator> enumerator;
    Hooks().coCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                             &enumerator);
    enumerator.Reset();
    CoUninitialize();
    return 1;
}

BOOL CGlintcastDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    BuildSystemMenu();
    SetIcon(m_hIconLarge, TRUE);
    SetIcon(m_hIconSmall, FALSE);
    PrepareTrayData();
    SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    CoInitialize(nullptr);

    if (!IsWindowsVersionOrGreater(6, 1, 0)) {
        MessageBox(kSystemTooOld, kSystemTooOldCaption, MB_OK);
        DestroyWindow();
        return FALSE;
    }
    const bool canRecordVideo = IsWindowsVersionOrGreater(6, 2, 0);
    if (!canRecordVideo)
        MessageBox(kSystemTooOld, kSystemTooOldCaption, MB_OK);
    SetDlgItemText(IDC_TIME_DISPLAY, L"00:00:00");

    if (canRecordVideo) {
        if (!ListMonitors())
            return FALSE;
    } else {
        for (int id : {IDC_FRAME_RATE, IDC_RECORD_SCREEN, IDC_DRAW_CURSOR, IDC_SELECT_REGION})
            GetDlgItem(id)->EnableWindow(FALSE);
    }
    ListEndpoints(eRender);
    ListEndpoints(eCapture);
    RegisterHotKeys();

    CAboutDlg about;
    about.SetBackgroundColor(RGB(255, 255, 255), TRUE);
    about.DoModal();

    SetBackgroundColor(RGB(255, 255, 255), TRUE);
    SetDlgItemText(IDC_OUTPUT_DIR, L".\\Glintcast_Output");
    SendDlgItemMessage(IDC_FRAME_RATE, CB_SETCURSEL, 0);
    SetUpButtons();

    // Nothing waits for it; its handle is not needed.
    if (HANDLE thread = CreateThread(nullptr, 0, DeviceEnumeratorThread, nullptr, 0, nullptr))
        CloseHandle(thread);
    return TRUE;
}

void CGlintcastDlg::BuildSystemMenu()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (!pSysMenu)
        return;
    CString about;
    about.LoadString(IDS_ABOUTBOX);
    if (about.IsEmpty())
        return;
    pSysMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
    pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
    pSysMenu->DeleteMenu(SC_SIZE, MF_BYCOMMAND);
    pSysMenu->AppendMenu(MF_SEPARATOR);
    pSysMenu->AppendMenu(MF_STRING, IDD_AUDIOMUX, L"混音");
    pSysMenu->AppendMenu(MF_STRING, IDD_MKVMUX, L"封装");
    pSysMenu->AppendMenu(MF_STRING, IDD_RGBTOYUV420P, L"转码");
    pSysMenu->AppendMenu(MF_SEPARATOR);
    pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
}

void CGlintcastDlg::PrepareTrayData()
{
    m_nid = NOTIFYICONDATAW{};
    m_nid.cbSize = sizeof(NOTIFYICONDATAW);
    m_nid.hWnd = m_hWnd;
    m_nid.uID = IDR_MAINFRAME;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYNOTIFY;
    m_nid.hIcon = m_hIconSmall;
    StrCpyW(m_nid.szTip, L"Glintcast - 免费的超级轻量级无损桌面录制软件");

    // A restarted Explorer has lost the icon; it says so with this message.
    m_nTaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    AllowTaskbarMessage(m_hWnd, m_nTaskbarCreatedMessage);
}

bool CGlintcastDlg::ListMonitors()
{
    ComPtr<ID3D11Device> device;
    D3D_FEATURE_LEVEL level = D3D_FEATURE_LEVEL_11_0;
    ComPtr<IDXGIDevice> dxgiDevice;
    ComPtr<IDXGIAdapter> adapter;
    HRESULT hr = Hooks().createDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, nullptr, 0, D3D11_SDK_VERSION,
                                      &device, &level, nullptr);
    LPCWSTR failure = L"创建D3D11设备失败！\r\n错误代码：%ld";
    if (SUCCEEDED(hr)) {
        hr = device.As(&dxgiDevice);
        failure = L"创建DXGI设备失败！\r\n错误代码：%ld";
    }
    if (SUCCEEDED(hr)) {
        hr = dxgiDevice->GetAdapter(&adapter);
        failure = L"获取DXGI适配器失败！\r\n错误代码：%ld";
    }
    if (FAILED(hr)) {
        MessageBox(MessageWithCode(failure, hr), kInitFailedCaption, MB_ICONQUESTION);
        DestroyWindow();
        return false;
    }

    for (UINT i = 0; i < kMaxOutputs; ++i) {
        ComPtr<IDXGIOutput> output;
        if (adapter->EnumOutputs(i, &output) != S_OK)
            continue;
        CString item;
        item.Format(L"%u", i);
        SendDlgItemMessage(IDC_SCREEN_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
        if (i != 0)
            continue;
        g_videoCapture = new VideoCapture(0);
        if (g_videoCapture->m_hr != 0) {
            for (int id : {IDC_FRAME_RATE, IDC_SELECT_REGION, IDC_RECORD_SCREEN, IDC_DRAW_CURSOR})
                GetDlgItem(id)->EnableWindow(FALSE);
            MessageBox(MessageWithCode(kScreenEngineFailed, g_videoCapture->m_hr), kInitFailedCaption, MB_ICONQUESTION);
        } else {
            CheckDlgButton(IDC_RECORD_SCREEN, BST_CHECKED);
            CheckDlgButton(IDC_DRAW_CURSOR, BST_CHECKED);
        }
    }
    SendDlgItemMessage(IDC_SCREEN_LIST, CB_SETCURSEL, 0);
    m_nScreenSelection = static_cast<int>(SendDlgItemMessage(IDC_SCREEN_LIST, CB_GETCURSEL));
    return true;
}

namespace {

// What a device list shows for an endpoint: its friendly name, or, when that
// cannot be read, a name made from its place in the enumeration.
CString EndpointName(IMMDevice* device, UINT index)
{
    CString name;
    ComPtr<IPropertyStore> properties;
    PROPVARIANT value;
    PropVariantInit(&value);
    if (SUCCEEDED(device->OpenPropertyStore(STGM_READ, &properties)) &&
        SUCCEEDED(properties->GetValue(PKEY_Device_FriendlyName, &value)) && value.vt == VT_LPWSTR &&
        value.pwszVal && *value.pwszVal)
        name = value.pwszVal;
    else
        name.Format(L"未知设备 %u", index + 1);
    PropVariantClear(&value);
    return name;
}

// The id of a direction's default endpoint; empty when there is none.
std::wstring DefaultEndpointId(IMMDeviceEnumerator* enumerator, EDataFlow flow)
{
    ComPtr<IMMDevice> device;
    LPWSTR id = nullptr;
    if (FAILED(enumerator->GetDefaultAudioEndpoint(flow, eConsole, &device)) || FAILED(device->GetId(&id)) || !id)
        return {};
    std::wstring result = id;
    CoTaskMemFree(id);
    return result;
}

} // namespace

void CGlintcastDlg::ListEndpoints(EDataFlow flow)
{
    const bool capture = flow == eCapture;
    const int listId = capture ? IDC_INPUT_DEVICE_LIST : IDC_OUTPUT_DEVICE_LIST;
    const int optionId = capture ? IDC_RECORD_MIC : IDC_RECORD_SYSTEM_AUDIO;
    std::vector<std::wstring>& ids = capture ? g_captureDeviceIds : g_renderDeviceIds;
    AudioCapture*& engine = capture ? g_micCapture : g_systemAudioCapture;
    int& accepted = capture ? m_nInputDeviceSelection : m_nOutputDeviceSelection;
    // The order in which a direction's controls are disabled.
    const int disableOrder[2] = {capture ? optionId : listId, capture ? listId : optionId};
    auto disable = [&] {
        for (int id : disableOrder)
            GetDlgItem(id)->EnableWindow(FALSE);
    };

    ids.clear();
    accepted = CB_ERR;
    ComPtr<IMMDeviceEnumerator> enumerator;
    ComPtr<IMMDeviceCollection> devices;
    UINT count = 0;
    if (FAILED(Hooks().coCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                        __uuidof(IMMDeviceEnumerator), &enumerator)) ||
        FAILED(enumerator->EnumAudioEndpoints(flow, DEVICE_STATE_ACTIVE, &devices)) ||
        FAILED(devices->GetCount(&count)) || count == 0) {
        disable();
        return;
    }
    ids.resize(count);
    const std::wstring defaultId = DefaultEndpointId(enumerator.Get(), flow);

    int defaultIndex = -1;
    for (UINT i = 0; i < count; ++i) {
        ComPtr<IMMDevice> device;
        LPWSTR id = nullptr;
        if (FAILED(devices->Item(i, &device)))
            continue;
        if (SUCCEEDED(device->GetId(&id)) && id) {
            ids[i] = id;
            CoTaskMemFree(id);
        }
        const CString name = EndpointName(device.Get(), i);
        const LRESULT position = SendDlgItemMessage(listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
        SendDlgItemMessage(listId, CB_SETITEMDATA, static_cast<WPARAM>(position), i);
        if (defaultId.empty() || lstrcmpW(ids[i].c_str(), defaultId.c_str()) != 0)
            continue;
        defaultIndex = static_cast<int>(i);
        engine = new AudioCapture(capture, ids[i]);
        if (engine->m_hr != 0) {
            disable();
            MessageBox(MessageWithCode(capture ? kMicEngineFailed : kSystemAudioEngineFailed, engine->m_hr),
                       kInitFailedCaption, MB_ICONQUESTION);
        } else if (!capture) {
            CheckDlgButton(optionId, BST_CHECKED);
        }
    }

    // Later names may have sorted in before the default's item: find it by its data.
    const int items = static_cast<int>(SendDlgItemMessage(listId, CB_GETCOUNT));
    for (int item = 0; defaultIndex >= 0 && item < items; ++item) {
        if (static_cast<int>(SendDlgItemMessage(listId, CB_GETITEMDATA, static_cast<WPARAM>(item))) == defaultIndex) {
            SendDlgItemMessage(listId, CB_SETCURSEL, static_cast<WPARAM>(item));
            accepted = item;
        }
    }
}

void CGlintcastDlg::RegisterHotKeys()
{
    if (!Hooks().registerHotKey(m_hWnd, m_nRecordHotKeyId, MOD_CONTROL, VK_F10))
        MessageBox(L"快捷键注册失败，原因是快捷键被其他软件占用了，你将无法使用录制快捷键！", nullptr, MB_OK);
    if (!Hooks().registerHotKey(m_hWnd, m_nScreenshotHotKeyId, MOD_CONTROL, VK_F11))
        MessageBox(L"快捷键注册失败，原因是快捷键被其他软件占用了，你将无法使用截图快捷键！", nullptr, MB_OK);
}

void CGlintcastDlg::SetUpButtons()
{
    m_btnStartStop.ApplyStandardSetup(IDC_START_STOP, this);
    m_btnBrowseOutput.ApplyStandardSetup(IDC_BROWSE_OUTPUT, this);
    m_btnSelectRegion.ApplyStandardSetup(IDC_SELECT_REGION, this);
    m_btnSetTime.ApplyStandardSetup(IDC_SET_TIME, this);
}
