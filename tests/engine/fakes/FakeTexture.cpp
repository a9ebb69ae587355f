#include "FakeTexture.h"

#include "FakeDuplication.h"
#include "FakeSystem.h"

#include <cstring>

namespace fakes {

namespace {
constexpr size_t kPage = 4096;
}

FakeTexture::FakeTexture(FakeSystem& system) : FakeObject(system, "desktop image"), m_staging(false)
{
    m_desc.MipLevels = 1;
    m_desc.ArraySize = 1;
    m_desc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
    m_desc.SampleDesc.Count = 1;
    m_desc.Usage = D3D11_USAGE_DEFAULT;
    m_desc.BindFlags = D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE;
    m_desc.MiscFlags = D3D11_RESOURCE_MISC_GDI_COMPATIBLE;
}

FakeTexture::FakeTexture(FakeSystem& system, const D3D11_TEXTURE2D_DESC& desc)
    : FakeObject(system, "staging texture"), m_staging(true), m_desc(desc)
{
    m_pitch = static_cast<int>(desc.Width * 4 + system.stagingPitchPadding);
    const size_t size = desc.Height ? static_cast<size_t>(desc.Height - 1) * m_pitch + desc.Width * 4 : 0;
    m_committed = (size + kPage - 1) / kPage * kPage;
    m_reserved = static_cast<uint8_t*>(VirtualAlloc(nullptr, m_committed + kPage, MEM_RESERVE, PAGE_NOACCESS));
    if (m_committed)
        VirtualAlloc(m_reserved, m_committed, MEM_COMMIT, PAGE_READWRITE);
    m_bits = m_reserved + (m_committed - size);
    // Row padding that shows up in a picture gives itself away.
    std::memset(m_reserved, 0xCD, m_committed);
    Protect(system.protectUnmapped ? PAGE_NOACCESS : PAGE_READWRITE);
}

FakeTexture::~FakeTexture()
{
    if (m_reserved)
        VirtualFree(m_reserved, 0, MEM_RELEASE);
}

void FakeTexture::Protect(DWORD protection)
{
    DWORD old;
    if (m_committed)
        VirtualProtect(m_reserved, m_committed, protection, &old);
}

HRESULT FakeTexture::QueryInterface(REFIID iid, void** out)
{
    FakeSystem& system = System();
    if (iid == __uuidof(ID3D11Texture2D) || iid == __uuidof(ID3D11Resource) || iid == __uuidof(ID3D11DeviceChild) ||
        iid == __uuidof(IUnknown)) {
        const bool failing = !m_staging && iid == __uuidof(ID3D11Texture2D);
        return HandUnless(failing ? system.queryFrameTextureResult : S_OK, static_cast<ID3D11Texture2D*>(this), out);
    }
    if (iid == __uuidof(IDXGIResource))
        return Hand(static_cast<IDXGIResource*>(this), out);
    if (iid == __uuidof(IDXGISurface) || iid == __uuidof(IDXGISurface1)) {
        if (!m_staging)
            return Hand(nullptr, out);
        return HandUnless(system.queryStagingSurfaceResult, static_cast<IDXGISurface1*>(this), out);
    }
    return Hand(nullptr, out);
}

void FakeTexture::GetDesc(D3D11_TEXTURE2D_DESC* desc) { *desc = m_desc; }

void FakeTexture::OnEvictionPriority(UINT priority)
{
    System().Log("SetEvictionPriority");
    System().UpdateStats([=](FakeStats& stats) { stats.lastEvictionPriority = priority; });
}

HRESULT FakeTexture::Map(DXGI_MAPPED_RECT* rect, UINT flags)
{
    FakeSystem& system = System();
    system.Log("Map");
    if (!m_staging || m_mapped) {
        system.Problem(m_mapped ? "Map of a texture that is mapped already" : "Map of the desktop image");
        return DXGI_ERROR_INVALID_CALL;
    }
    if (system.Duplication()->MapFails())
        return E_OUTOFMEMORY;
    const bool read = flags & DXGI_MAP_READ;
    const bool write = flags & DXGI_MAP_WRITE;
    if ((read && !(m_desc.CPUAccessFlags & D3D11_CPU_ACCESS_READ)) ||
        (write && !(m_desc.CPUAccessFlags & D3D11_CPU_ACCESS_WRITE)) || (!read && !write))
        return E_INVALIDARG;
    Protect(write ? PAGE_READWRITE : PAGE_READONLY);
    m_mapped = true;
    rect->Pitch = m_pitch;
    rect->pBits = m_bits;
    return S_OK;
}

HRESULT FakeTexture::Unmap()
{
    System().Log("Unmap");
    if (!m_mapped) {
        System().Problem("Unmap of a texture that is not mapped");
        return DXGI_ERROR_INVALID_CALL;
    }
    m_mapped = false;
    Protect(System().protectUnmapped ? PAGE_NOACCESS : PAGE_READWRITE);
    return S_OK;
}

void FakeTexture::Show(std::shared_ptr<const Picture> picture)
{
    m_picture = std::move(picture);
    m_desc.Width = static_cast<UINT>(m_picture->width);
    m_desc.Height = static_cast<UINT>(m_picture->height);
}

void FakeTexture::CopyFrom(const FakeTexture& source)
{
    FakeSystem& system = System();
    if (!m_staging || source.m_staging || !source.m_picture) {
        system.Problem("CopyResource other than from the desktop image to a staging texture");
        return;
    }
    if (m_mapped)
        system.Problem("CopyResource into a mapped texture");
    if (source.m_desc.Width != m_desc.Width || source.m_desc.Height != m_desc.Height ||
        source.m_desc.Format != m_desc.Format) {
        system.Problem("CopyResource between textures of different size or format");
        return;
    }
    Protect(PAGE_READWRITE);
    const Picture& picture = *source.m_picture;
    for (UINT y = 0; y < m_desc.Height; ++y)
        std::memcpy(m_bits + static_cast<size_t>(y) * m_pitch, &picture.pixels[static_cast<size_t>(y) * picture.width],
                    static_cast<size_t>(m_desc.Width) * 4);
    if (!m_mapped)
        Protect(system.protectUnmapped ? PAGE_NOACCESS : PAGE_READWRITE);
}

} // namespace fakes
