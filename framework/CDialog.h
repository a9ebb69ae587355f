#pragma once

#include "CWnd.h"

// A dialog from a template of the program's resources, modal (DoModal) or
// modeless (Create). Enter and Esc reach OnOK and OnCancel, which end it with
// IDOK or IDCANCEL; ending a modeless dialog hides its window and keeps it.
// With no parent given, the main window owns the dialog.
class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog until it ends and returns the value it ended with; -1 when
    // it cannot be created. The owner is disabled meanwhile.
    virtual INT_PTR DoModal();
    // Creates the modeless window; a window the object still has is destroyed first.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL RouteCommand(UINT message, UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Runs the template's initial data (RT_DLGINIT): the items it adds to the
    // template's list and combo boxes, in their order.
    BOOL ExecuteDlgInit(LPCWSTR lpszResourceName);

protected:
    virtual void OnOK();
    virtual void OnCancel();

    LPCWSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    HWND CreateFromTemplate(HWND hWndOwner);
    HWND ModalOwner() const;
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
