#include "SetTimeDlg.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Beyond this a field cannot make a total that fits an int anyway; holding it
// here keeps the arithmetic exact.
constexpr long long kFieldLimit = 1'000'000'000'000LL;

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// One "%d" field at p: white space, a sign, at least one digit. Returns false,
// leaving p as it was, when no number stands there.
bool ReadField(const char*& p, long long& value)
{
    const char* q = p;
    while (IsSpace(*q))
        ++q;
    const bool negative = *q == '-';
    if (*q == '-' || *q == '+')
        ++q;
    if (*q < '0' || *q > '9')
        return false;
    long long magnitude = 0;
    for (; *q >= '0' && *q <= '9'; ++q)
        magnitude = std::min(magnitude * 10 + (*q - '0'), kFieldLimit);
    value = negative ? -magnitude : magnitude;
    p = q;
    return true;
}

} // namespace

IMPLEMENT_DYNAMIC(SetTimeDlg, CDialogEx)

BEGIN_MESSAGE_MAP(SetTimeDlg, CDialogEx)
    ON_BN_CLICKED(IDOK, &SetTimeDlg::OnBnClickedOk)
END_MESSAGE_MAP()

SetTimeDlg::SetTimeDlg() : CDialogEx(IDD_SETTIME)
{
    SetBackgroundColor(RGB(255, 255, 255), TRUE);
}

SetTimeDlg::~SetTimeDlg() = default;

int SetTimeDlg::ParseSeconds(const char* text)
{
    long long fields[3] = {0, 0, 0};
    const char* p = text ? text : "";
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (*p != ':')
                break;
            ++p;
        }
        if (!ReadField(p, fields[i]))
            break;
    }
    const long long total = (fields[0] * 60 + fields[1]) * 60 + fields[2];
    return static_cast<int>(std::clamp<long long>(total, 0, INT_MAX));
}

BOOL SetTimeDlg::OnInitDialog()
{
    m_bConfirmed = FALSE;
    m_btnOk.ApplyStandardSetup(IDOK, this);
    SetDlgItemText(IDC_TIME_EDIT, L"00:00:00");
    return TRUE;
}

void SetTimeDlg::OnBnClickedOk()
{
    CString entry;
    GetDlgItem(IDC_TIME_EDIT)->GetWindowText(entry);
    // Read as the ANSI text the entry becomes: characters the code page lacks are
    // its default character, so a full-width colon is no separator.
    const int size = WideCharToMultiByte(CP_ACP, 0, entry, -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> ansi(static_cast<size_t>(std::max(size, 0)) + 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, entry, -1, ansi.data(), size, nullptr, nullptr);
    m_bConfirmed = TRUE;
    EndDialog(ParseSeconds(ansi.data()));
}
