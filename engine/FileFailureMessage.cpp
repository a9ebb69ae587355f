#include "FileFailureMessage.h"

#include <windows.h>

namespace {

constexpr wchar_t kLikelyCause[] = L"\n\n可能是磁盘已满，或者输出文件夹已不存在。";

} // namespace

std::wstring RecordingFileFailureText(const std::wstring& path)
{
    return L"录制文件无法写入，录制已停止：\n" + path + kLikelyCause;
}

std::wstring ScreenshotFailureText(const std::wstring& path)
{
    return L"截图无法保存：\n" + path + kLikelyCause + L"录制仍在继续。";
}

void ShowFileFailure(const std::wstring& text)
{
    MessageBoxW(nullptr, text.c_str(), L"错误", MB_OK);
}
