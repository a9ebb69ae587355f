#pragma once

#include <windows.h>

// Message maps: each class lists the messages, commands and notifications it
// handles; a message that a class does not list goes to its base class's map.
//
// An entry matches a window message by nMessage alone; WM_COMMAND and WM_NOTIFY
// entries also match the notification code and a range of control ids.
class CCmdTarget;

using AFX_PMSGHANDLER = BOOL (*)(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_PMSGHANDLER pfn;  // null ends the map
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define afx_msg

// Code of a menu or accelerator command (WM_COMMAND without a control).
#define CN_COMMAND 0
// The key under which every WM_CTLCOLOR* message is mapped.
#define WM_CTLCOLOR 0x0019

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr}}; \
        static_assert(sizeof(ThisClass) >= sizeof(TheBaseClass), "a map's class derives from its base"); \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
        return &messageMap; \
    }

// The handler of an entry: a function that unpacks the message for the member.
#define AFX_MSG_HANDLER(call) \
    +[](CCmdTarget* target_, UINT message_, WPARAM wParam_, LPARAM lParam_, LRESULT* result_) -> BOOL { \
        ThisClass* self_ = static_cast<ThisClass*>(target_); \
        (void)self_; (void)message_; (void)wParam_; (void)lParam_; (void)result_; \
        call; \
        return TRUE; \
    }

#define AFX_POINT_FROM_LPARAM(lParam) \
    CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))

// Window messages, each with the handler name and arguments of its kind.
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AFX_MSG_HANDLER(self_->OnPaint())},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AFX_MSG_HANDLER(self_->OnClose())},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AFX_MSG_HANDLER(self_->OnDestroy())},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AFX_MSG_HANDLER(self_->OnTimer(static_cast<UINT_PTR>(wParam_)))},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, 0, AFX_MSG_HANDLER(self_->OnSysCommand(static_cast<UINT>(wParam_), lParam_))},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, 0, AFX_MSG_HANDLER(*result_ = reinterpret_cast<LRESULT>(self_->OnQueryDragIcon()))},
#define ON_WM_HOTKEY() \
    {WM_HOTKEY, 0, 0, 0, \
     AFX_MSG_HANDLER(self_->OnHotKey(static_cast<UINT>(wParam_), LOWORD(lParam_), HIWORD(lParam_)))},
#define ON_WM_ENDSESSION() \
    {WM_ENDSESSION, 0, 0, 0, AFX_MSG_HANDLER(self_->OnEndSession(static_cast<BOOL>(wParam_)))},
#define ON_WM_SIZE() \
    {WM_SIZE, 0, 0, 0, AFX_MSG_HANDLER(self_->OnSize(static_cast<UINT>(wParam_), LOWORD(lParam_), HIWORD(lParam_)))},
#define ON_WM_MOVE() \
    {WM_MOVE, 0, 0, 0, \
     AFX_MSG_HANDLER(self_->OnMove(static_cast<short>(LOWORD(lParam_)), static_cast<short>(HIWORD(lParam_))))},
#define ON_WM_GETMINMAXINFO() \
    {WM_GETMINMAXINFO, 0, 0, 0, AFX_MSG_HANDLER(self_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam_)))},
#define ON_WM_LBUTTONUP() \
    {WM_LBUTTONUP, 0, 0, 0, \
     AFX_MSG_HANDLER(self_->OnLButtonUp(static_cast<UINT>(wParam_), AFX_POINT_FROM_LPARAM(lParam_)))},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, 0, \
     AFX_MSG_HANDLER(self_->OnLButtonDown(static_cast<UINT>(wParam_), AFX_POINT_FROM_LPARAM(lParam_)))},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, \
     AFX_MSG_HANDLER(*result_ = self_->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam_))))},
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLOR, 0, 0, 0, \
     AFX_MSG_HANDLER(*result_ = reinterpret_cast<LRESULT>(self_->OnCtlColor( \
                         CDC::FromHandle(reinterpret_cast<HDC>(wParam_)), \
                         CWnd::FromHandle(reinterpret_cast<HWND>(lParam_)), message_ - WM_CTLCOLORMSGBOX)))},
#define ON_WM_DRAWITEM() \
    {WM_DRAWITEM, 0, 0, 0, \
     AFX_MSG_HANDLER(self_->OnDrawItem(static_cast<int>(wParam_), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam_)); \
                     *result_ = TRUE)},

// A message of the program's own, handled as LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    {static_cast<UINT>(message), 0, 0, 0, AFX_MSG_HANDLER(*result_ = (self_->*(memberFxn))(wParam_, lParam_))},

// Commands (menus, accelerators, and a click of a button with that id).
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AFX_MSG_HANDLER((self_->*(memberFxn))())},

// Control notifications through WM_COMMAND.
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     AFX_MSG_HANDLER((self_->*(memberFxn))())},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)

// Control notifications through WM_NOTIFY: void handler(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn) \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     AFX_MSG_HANDLER((self_->*(memberFxn))(reinterpret_cast<NMHDR*>(lParam_), result_))},
