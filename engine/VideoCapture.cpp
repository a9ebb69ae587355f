#include "VideoCapture.h"

#include "FileFailureMessage.h"
#include "Globals.h"
#include "PictureCopy.h"
#include "PointerDrawing.h"
#include "ScreenshotFile.h"
#include "SystemHooks.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fstream>

using Microsoft::WRL::ComPtr;

namespace {

bool SameDesc(const D3D11_TEXTURE2D_DESC& a, const D3D11_TEXTURE2D_DESC& b)
{
    return a.Width == b.Width && a.Height == b.Height && a.MipLevels == b.MipLevels && a.ArraySize == b.ArraySize &&
           a.Format == b.Format && a.SampleDesc.Count == b.SampleDesc.Count &&
           a.SampleDesc.Quality == b.SampleDesc.Quality && a.Usage == b.Usage && a.BindFlags == b.BindFlags &&
           a.CPUAccessFlags == b.CPUAccessFlags && a.MiscFlags == b.MiscFlags;
}

bool IsDrawableShape(UINT type)
{
    return type == DXGI_OUTDUPL_POINTER_SHAPE_TYPE_MONOCHROME || type == DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR ||
           type == DXGI_OUTDUPL_POINTER_SHAPE_TYPE_MASKED_COLOR;
}

} // namespace

// Keeps the result of a construction step; true when it failed, which ends the
// construction with that result in m_hr.
bool VideoCapture::Failed(HRESULT hr)
{
    m_hr = hr;
    return FAILED(hr);
}

VideoCapture::VideoCapture(UINT outputIndex)
{
    if (Failed(Hooks().createDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, nullptr, 0, D3D11_SDK_VERSION,
                                  m_pDevice.GetAddressOf(), &m_featureLevel, m_pContext.GetAddressOf())) ||
        Failed(m_pDevice.As(&m_pDxgiDevice)) ||
        Failed(m_pDxgiDevice->SetGPUThreadPriority(7)) ||
        Failed(m_pDxgiDevice->GetAdapter(m_pAdapter.GetAddressOf())) ||
        Failed(m_pAdapter->EnumOutputs(outputIndex, m_pOutput.GetAddressOf())) ||
        Failed(m_pOutput.As(&m_pOutput1)) ||
        Failed(m_pOutput1->DuplicateOutput(m_pDxgiDevice.Get(), m_pDuplication.GetAddressOf())))
        return;
    m_hr = 0;  // positive success codes count as success
}

VideoCapture::~VideoCapture()
{
    UnmapPicture();
    m_pStagingSurface.Reset();
    m_pStaging.Reset();
    m_pPointerInfo.reset();
    m_pDevice.Reset();
    m_pContext.Reset();
    m_pDxgiDevice.Reset();
    m_pAdapter.Reset();
    m_pOutput.Reset();
    m_pOutput1.Reset();
    m_pDuplication.Reset();
}

void VideoCapture::UnmapPicture()
{
    if (m_mapped) {
        m_pStagingSurface->Unmap();
        m_mapped = false;
    }
}

// Copies the frame into the CPU-readable staging texture, made anew only when the
// frame's description changes.
HRESULT VideoCapture::CopyToStaging(ID3D11Texture2D* frame)
{
    D3D11_TEXTURE2D_DESC desc{};
    frame->GetDesc(&desc);
    desc.Usage = D3D11_USAGE_STAGING;
    desc.BindFlags = 0;
    // Written as well as read: the pointer is drawn into the mapped picture.
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ | D3D11_CPU_ACCESS_WRITE;
    desc.MiscFlags = 0;
    if (!m_pStaging || !SameDesc(desc, m_stagingDesc)) {
        m_pStagingSurface.Reset();
        m_pStaging.Reset();
        HRESULT hr = m_pDevice->CreateTexture2D(&desc, nullptr, m_pStaging.GetAddressOf());
        if (FAILED(hr))
            return hr;
        m_pStaging->SetEvictionPriority(DXGI_RESOURCE_PRIORITY_MAXIMUM);
        hr = m_pStaging.As(&m_pStagingSurface);
        if (FAILED(hr)) {
            m_pStaging.Reset();
            return hr;
        }
        m_stagingDesc = desc;
    }
    m_pContext->CopyResource(m_pStaging.Get(), frame);
    m_underPointerArea = {};
    return S_OK;
}

HRESULT VideoCapture::MapPicture(BYTE** pixels)
{
    DXGI_MAPPED_RECT mapped{};
    if (FAILED(m_pStagingSurface->Map(&mapped, DXGI_MAP_READ | DXGI_MAP_WRITE)))
        return 1;
    m_mapped = true;
    *pixels = mapped.pBits;
    m_framePitch = mapped.Pitch;
    m_frameWidth = static_cast<int>(m_stagingDesc.Width);
    m_frameHeight = static_cast<int>(m_stagingDesc.Height);
    return 0;
}

HRESULT VideoCapture::LastPicture(BYTE** pixels)
{
    UnmapPicture();
    if (!m_pStaging)
        return 1;
    DXGI_OUTPUT_DESC output{};
    m_pOutput1->GetDesc(&output);
    if (!PictureFitsOutput(static_cast<int>(m_stagingDesc.Width), static_cast<int>(m_stagingDesc.Height), output))
        return 1;
    BYTE* picture = nullptr;
    if (MapPicture(&picture) != 0)
        return 1;
    RestoreUnderPointer(picture);
    *pixels = picture;
    return 0;
}

void VideoCapture::RestoreUnderPointer(BYTE* picture)
{
    const RECT area = m_underPointerArea;
    const size_t rowBytes = static_cast<size_t>(area.right - area.left) * 4;
    const size_t pitch = static_cast<size_t>(m_framePitch / 4 * 4);
    for (LONG y = area.top; y < area.bottom; ++y)
        std::memcpy(picture + y * pitch + area.left * 4, m_underPointer.data() + (y - area.top) * rowBytes, rowBytes);
    m_underPointerArea = {};
}

HRESULT VideoCapture::AcquireFrame(BYTE** pixels, bool drawCursor, UINT timeoutMs)
{
    UnmapPicture();

    DXGI_OUTDUPL_FRAME_INFO frameInfo{};
    ComPtr<IDXGIResource> resource;
    HRESULT hr = m_pDuplication->AcquireNextFrame(timeoutMs, &frameInfo, resource.GetAddressOf());
    if (hr != 0)
        return hr;

    ComPtr<ID3D11Texture2D> frame;
    hr = resource.As(&frame);
    resource.Reset();
    if (SUCCEEDED(hr))
        hr = CopyToStaging(frame.Get());
    frame.Reset();
    if (FAILED(hr)) {
        m_pDuplication->ReleaseFrame();
        return hr;
    }

    if (MapPicture(pixels) != 0) {
        m_pStagingSurface.Reset();
        m_pStaging.Reset();
        m_pDuplication->ReleaseFrame();
        return 1;
    }

    UpdatePointer(frameInfo, drawCursor);
    m_pDuplication->ReleaseFrame();
    return 0;
}

void VideoCapture::UpdatePointer(const DXGI_OUTDUPL_FRAME_INFO& frameInfo, bool drawCursor)
{
    if (!frameInfo.PointerPosition.Visible || !drawCursor) {
        // A frame that reports mouse activity without a visible pointer hides it;
        // a frame of desktop changes only keeps the last shape and place.
        if (m_pPointerInfo && frameInfo.LastMouseUpdateTime.QuadPart > 0)
            m_pPointerInfo->frameInfo.PointerPosition.Position.x = -1;
        return;
    }

    m_shapeScratch.resize(frameInfo.PointerShapeBufferSize);
    DXGI_OUTDUPL_POINTER_SHAPE_INFO shape{};
    UINT required = 0;
    HRESULT hr = m_pDuplication->GetFramePointerShape(static_cast<UINT>(m_shapeScratch.size()),
                                                      m_shapeScratch.data(), &required, &shape);
    if (hr == DXGI_ERROR_MORE_DATA) {
        m_shapeScratch.resize(required);
        shape = {};
        hr = m_pDuplication->GetFramePointerShape(static_cast<UINT>(m_shapeScratch.size()), m_shapeScratch.data(),
                                                  &required, &shape);
    }
    if (hr != 0)
        return;  // the pointer keeps its last shape and place

    if (IsDrawableShape(shape.Type)) {
        if (!m_pPointerInfo)
            m_pPointerInfo = std::make_unique<PointerInfo>();
        m_pPointerInfo->shapeBuffer.swap(m_shapeScratch);
        m_pPointerInfo->shapeBufferSize = required;
        m_pPointerInfo->shapeInfo = shape;
        m_pPointerInfo->frameInfo = frameInfo;
    }
    if (m_pPointerInfo) {
        DXGI_OUTPUT_DESC desc{};
        m_pOutput1->GetDesc(&desc);
        POINT& position = m_pPointerInfo->frameInfo.PointerPosition.Position;
        position.x = frameInfo.PointerPosition.Position.x + desc.DesktopCoordinates.left;
        position.y = frameInfo.PointerPosition.Position.y + desc.DesktopCoordinates.top;
    }
}

void VideoCapture::DrawCursor(BYTE** pixels, const RECT* outputDesktopRect)
{
    const PointerInfo* pointer = m_pPointerInfo.get();
    if (!pointer || !pixels || !*pixels)
        return;
    const POINT position = pointer->frameInfo.PointerPosition.Position;
    if (position.x == -1 || position.y == -1)
        return;
    // Clipped to the picture as delivered too: on a turned output the desktop
    // rectangle is turned and the picture is not.
    const int width = std::min<int>(outputDesktopRect->right - outputDesktopRect->left, m_frameWidth);
    const int height = std::min<int>(outputDesktopRect->bottom - outputDesktopRect->top, m_frameHeight);
    const size_t shapeSize = std::min<size_t>(pointer->shapeBuffer.size(), pointer->shapeBufferSize);
    const int left = position.x - outputDesktopRect->left;
    const int top = position.y - outputDesktopRect->top;
    const int pitch = m_framePitch / 4 * 4;
    RestoreUnderPointer(*pixels);
    // Kept, so the picture can be handed out again without this pointer.
    const RECT area = PointerShapeArea(width, height, left, top, pointer->shapeInfo);
    const size_t rowBytes = static_cast<size_t>(area.right - area.left) * 4;
    m_underPointer.resize(rowBytes * static_cast<size_t>(area.bottom - area.top));
    for (LONG y = area.top; y < area.bottom; ++y)
        std::memcpy(m_underPointer.data() + (y - area.top) * rowBytes, *pixels + y * pitch + area.left * 4, rowBytes);
    m_underPointerArea = area;
    DrawPointerShape(*pixels, pitch, width, height, left, top, pointer->shapeInfo, pointer->shapeBuffer.data(),
                     shapeSize);
}

namespace {

// The screenshot's name: the time of the save, numbered when a screenshot of
// that second exists, so that none replaces another.
std::wstring FreeScreenshotName()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    std::wstring name = ScreenshotFileName(g_outputDir, local);
    for (int copy = 2; GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES && copy < 10000; ++copy)
        name = ScreenshotFileName(g_outputDir, local, copy);
    return name;
}

// False when the file cannot be opened or written; a file written in part is
// removed, so that nothing passes for a picture that is not one.
bool WriteBmpFile(const std::wstring& name, const BYTE* pixels, int width, int height)
{
    std::fstream file(name.c_str(), std::ios::out | std::ios::binary);
    if (!file.is_open())
        return false;
    const auto header = BmpHeader(width, height);
    file.write(reinterpret_cast<const char*>(header.data()), header.size());
    file.write(reinterpret_cast<const char*>(pixels),
               static_cast<std::streamsize>(width) * static_cast<std::streamsize>(height) * 4);
    file.close();
    if (file.fail()) {
        DeleteFileW(name.c_str());
        return false;
    }
    return true;
}

} // namespace

bool VideoCapture::SaveScreenshot(const BYTE* pixels, int width, int height)
{
    if (!pixels)
        return false;
    const std::wstring name = FreeScreenshotName();
    const bool saved = WriteBmpFile(name, pixels, width, height);
    // The hotkey takes the next request at once, whatever became of this one.
    g_screenshotReady = true;
    if (!saved)
        ShowFileFailure(ScreenshotFailureText(name));
    return saved;
}
