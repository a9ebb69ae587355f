#include "ToolDialog.h"

#include "FileExists.h"
#include "LaunchConverter.h"
#include "ToolCommands.h"
#include "resource.h"

void OpenToolWindow(CDialogEx& dialog, CXPButton& browseFirst, CXPButton& browseSecond, CXPButton& start,
                    bool hasRateList)
{
    browseFirst.ApplyStandardSetup(IDC_TOOL_BROWSE_FIRST, &dialog);
    browseSecond.ApplyStandardSetup(IDC_TOOL_BROWSE_SECOND, &dialog);
    start.ApplyStandardSetup(IDOK, &dialog);
    if (hasRateList)
        dialog.SendDlgItemMessage(IDC_TOOL_RATE, CB_SETCURSEL, 0);
}

void BrowseAndPair(CWnd& dialog, int ownField, int otherField,
                   const std::function<std::vector<CString>(const CString&)>& companions)
{
    CFileDialog picker(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr, 0, TRUE);
    if (picker.DoModal() == IDOK)
        dialog.SetDlgItemText(ownField, picker.GetPathName());
    for (const CString& candidate : companions(picker.GetPathName())) {
        if (FileExists(candidate)) {
            dialog.SetDlgItemText(otherField, candidate);
            return;
        }
    }
}

std::optional<CString> ChosenRate(const CWnd& dialog)
{
    if (dialog.SendDlgItemMessage(IDC_TOOL_RATE, CB_GETCURSEL) == 0)
        return std::nullopt;
    return FieldText(dialog, IDC_TOOL_RATE);
}

CString FieldText(const CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}

void StartVideoTool(CWnd& dialog, VideoToolTail tail, LPCWSTR refusal)
{
    const std::optional<CString> video = GivenPath(FieldText(dialog, IDC_TOOL_FIRST_PATH));
    const std::optional<CString> audio = GivenPath(FieldText(dialog, IDC_TOOL_SECOND_PATH));
    const std::optional<CString> rate = ChosenRate(dialog);
    if (!video && !audio) {
        dialog.MessageBox(refusal, L"错误", MB_OK);
        return;
    }
    if (!LaunchConverter(tail(video, audio, rate)))
        dialog.MessageBox(L"你是不是没有把ffmpeg.exe跟本软件放在一起啊", L"失败", MB_OK);
}

void BrowseVideoToolField(CWnd& dialog, bool pickedVideo)
{
    const int own = pickedVideo ? IDC_TOOL_FIRST_PATH : IDC_TOOL_SECOND_PATH;
    const int other = pickedVideo ? IDC_TOOL_SECOND_PATH : IDC_TOOL_FIRST_PATH;
    BrowseAndPair(dialog, own, other,
                  [pickedVideo](const CString& picked) { return VideoToolCompanions(picked, pickedVideo); });
}
