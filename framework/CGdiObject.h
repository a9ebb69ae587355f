#pragma once

#include "CObject.h"
#include "TemporaryMap.h"

// Owner of one GDI object: the destructor deletes it.
class CGdiObject : public CObject
{
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of hObject; FALSE (and nothing taken) when the object
    // already holds one or hObject is null.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

protected:
    // Creation helper: owns the new handle, or deletes it when it cannot.
    BOOL AttachNew(HGDIOBJ hObject);

    template <class T>
    static T* TemporaryOf(HGDIOBJ hObject)
    {
        thread_local TemporaryMap<HGDIOBJ, T> map([](T& wrapper, HGDIOBJ h) { wrapper.m_hObject = h; },
                                                  [](HGDIOBJ h) { return GetObjectType(h) != 0; });
        return map.Get(hObject);
    }
};

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
    {
        return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
    }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN hPen) { return TemporaryOf<CPen>(hPen); }
};

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor) { return AttachNew(::CreateSolidBrush(crColor)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH hBrush) { return TemporaryOf<CBrush>(hBrush); }
};

class CFont : public CGdiObject
{
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont) { return TemporaryOf<CFont>(hFont); }
};

class CRgn : public CGdiObject
{
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return AttachNew(::CreateRectRgn(x1, y1, x2, y2)); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};
