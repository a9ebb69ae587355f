#pragma once

#include "Framework.h"
#include "FrameworkTestResources.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// A dialog that records which of its handlers ran, for the layer's tests.
class ProbeDlg : public CDialogEx
{
    DECLARE_DYNAMIC(ProbeDlg)

public:
    static constexpr UINT kProbeMessage = WM_APP + 1;
    static constexpr UINT kMenuCommand = 0x8001;
    static constexpr UINT kProbeNotification = static_cast<UINT>(-900);

    explicit ProbeDlg(UINT nIDTemplate = IDD_PROBE, CWnd* pParent = nullptr) : CDialogEx(nIDTemplate, pParent) {}

    std::vector<std::wstring> calls;
    // WM_TIMER messages handled, readable from another thread while a modal
    // loop runs.
    std::atomic<int> timerCalls{0};
    // Whether OnInitDialog runs the base's (which fills the lists from the template).
    bool callBaseInit = true;
    // Runs at the end of OnInitDialog.
    std::function<void(ProbeDlg&)> onInit;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnBnClickedClick();
    afx_msg void OnBnClickedEndSeven();
    afx_msg void OnCbnSelchangeRates();
    afx_msg void OnMenuCommand();
    afx_msg LRESULT OnProbe(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnProbeNotify(NMHDR* pNMHDR, LRESULT* pResult);
    // These record their arguments; OnSysCommand and OnClose then call the base's.
    afx_msg void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnClose();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnEndSession(BOOL bEnding);

    DECLARE_MESSAGE_MAP()
};

// Replaces one handler of its base's map and keeps the others; declares no
// run-time class of its own.
class DerivedProbeDlg : public ProbeDlg
{
protected:
    afx_msg void OnBnClickedClickAgain();

    DECLARE_MESSAGE_MAP()
};
