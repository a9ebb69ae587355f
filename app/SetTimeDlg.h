#pragma once

#include "Framework.h"
#include "XPButton.h"
#include "resource.h"

// The recording-time dialog: the user types hours:minutes:seconds. DoModal
// returns the time in seconds after OK or Enter, IDCANCEL (2) after Esc or the
// close box, and -1 when the dialog cannot be created; since a confirmed
// 00:00:02 also gives 2, IsConfirmed tells whether OK ended the latest run.
class SetTimeDlg : public CDialogEx
{
    DECLARE_DYNAMIC(SetTimeDlg)

public:
    SetTimeDlg();
    ~SetTimeDlg() override;

    enum { IDD = IDD_SETTIME };

    BOOL IsConfirmed() const { return m_bConfirmed; }

    // Seconds of an entry in the ANSI code page, read like "%d:%d:%d": a leading
    // number is hours, then minutes, then seconds, each field a signed decimal
    // after optional white space, each separator one colon; the reading stops at
    // the first text that does not fit and the fields not read are 0. A total
    // below 0 gives 0 (no limit); one above INT_MAX gives INT_MAX.
    static int ParseSeconds(const char* text);

    CXPButton m_btnOk;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnBnClickedOk();

    BOOL m_bConfirmed = FALSE;

    DECLARE_MESSAGE_MAP()
};
