#pragma once

#include "ComStubs.h"
#include "FakeObject.h"

#include <cstdint>
#include <memory>

namespace fakes {

struct Picture;

// ID3D11Resource and IDXGIResource both have SetEvictionPriority(UINT), with other
// return types; this face takes the Direct3D one.
class Texture2DFace : public StubD3D11Texture2D
{
public:
    void STDMETHODCALLTYPE SetEvictionPriority(UINT priority) override { OnEvictionPriority(priority); }

protected:
    virtual void OnEvictionPriority(UINT priority) = 0;
};

// A 2D texture with its DXGI faces, one object as on Windows: either the desktop
// image that the duplication hands out, or a staging texture that the engine
// made. A staging texture's memory ends right before a page that faults when
// touched, so a read past the picture's last pixel crashes the test; while the
// texture is not mapped its memory faults too, and while it is mapped for
// reading only it cannot be written.
class FakeTexture final : public Texture2DFace, public StubDXGIResource, public StubDXGISurface1, public FakeObject
{
public:
    // The desktop image.
    explicit FakeTexture(FakeSystem& system);
    // A staging texture.
    FakeTexture(FakeSystem& system, const D3D11_TEXTURE2D_DESC& desc);
    ~FakeTexture() override;
    FAKE_COM_REFCOUNT

    // ID3D11Texture2D
    void STDMETHODCALLTYPE GetDesc(D3D11_TEXTURE2D_DESC* desc) override;
    // IDXGISurface1
    HRESULT STDMETHODCALLTYPE Map(DXGI_MAPPED_RECT* rect, UINT flags) override;
    HRESULT STDMETHODCALLTYPE Unmap() override;

    // The desktop image shows this picture from now on.
    void Show(std::shared_ptr<const Picture> picture);
    // CopyResource into this staging texture.
    void CopyFrom(const FakeTexture& source);

private:
    void OnEvictionPriority(UINT priority) override;
    void Protect(DWORD protection);

    bool m_staging;
    D3D11_TEXTURE2D_DESC m_desc{};
    std::shared_ptr<const Picture> m_picture;
    uint8_t* m_reserved = nullptr;  // the whole allocation, guard page included
    uint8_t* m_bits = nullptr;      // the first pixel
    size_t m_committed = 0;
    int m_pitch = 0;
    bool m_mapped = false;
};

} // namespace fakes
