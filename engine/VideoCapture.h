#pragma once

#include "PointerInfo.h"

#include <windows.h>
#include <d3d11.h>
#include <dxgi1_2.h>
#include <wrl/client.h>

#include <memory>
#include <vector>

// The screen-capture engine for one monitor: duplicates one output of the default
// adapter and hands each new desktop frame out as a mapped 32-bit BGRA picture,
// tracking the mouse pointer and drawing it into a picture on request.
class VideoCapture
{
public:
    // Builds the engine for output outputIndex of the default adapter; m_hr tells
    // whether that worked.
    explicit VideoCapture(UINT outputIndex);
    ~VideoCapture();

    VideoCapture(const VideoCapture&) = delete;
    VideoCapture& operator=(const VideoCapture&) = delete;

    // Waits up to timeoutMs for a new desktop frame. 0: *pixels points to it,
    // readable and writable until the next call or the engine's end;
    // DXGI_ERROR_WAIT_TIMEOUT, DXGI_ERROR_ACCESS_LOST or another failure of the
    // duplication; 1: the picture could not be mapped. *pixels changes only on 0.
    HRESULT AcquireFrame(BYTE** pixels, bool drawCursor, UINT timeoutMs);

    // The last picture handed out, once more and without the pointer drawn into
    // it, when it has the size of the output's pictures now: what a recording that
    // starts on an unchanged screen shows. 0 with *pixels set, readable and
    // writable as after AcquireFrame; 1 when there is no such picture.
    HRESULT LastPicture(BYTE** pixels);

    // Draws the pointer into the picture that AcquireFrame handed out;
    // outputDesktopRect is the output's DesktopCoordinates as read in this slot.
    // The pixels it covers are kept, so drawing again draws one pointer.
    void DrawCursor(BYTE** pixels, const RECT* outputDesktopRect);

    // Saves a bottom-up picture of width x height pixels as a BMP file in
    // g_outputDir, then sets g_screenshotReady; false when there is nothing to
    // save, or when the file cannot be written, which a box (no owner) says
    // before it returns.
    bool SaveScreenshot(const BYTE* pixels, int width, int height);

    HRESULT m_hr = 0;  // the first failed step of the construction; 0: usable
    Microsoft::WRL::ComPtr<ID3D11Device> m_pDevice;
    Microsoft::WRL::ComPtr<ID3D11DeviceContext> m_pContext;
    Microsoft::WRL::ComPtr<IDXGIDevice> m_pDxgiDevice;
    Microsoft::WRL::ComPtr<IDXGIAdapter> m_pAdapter;
    Microsoft::WRL::ComPtr<IDXGIOutput> m_pOutput;
    Microsoft::WRL::ComPtr<IDXGIOutput1> m_pOutput1;
    Microsoft::WRL::ComPtr<IDXGIOutputDuplication> m_pDuplication;
    D3D_FEATURE_LEVEL m_featureLevel{};
    std::unique_ptr<PointerInfo> m_pPointerInfo;
    int m_framePitch = 0;   // row pitch in bytes of the last picture handed out
    int m_frameWidth = 0;   // its size in pixels: the duplication's, which on a
    int m_frameHeight = 0;  // turned output differs from the desktop rectangle

private:
    bool Failed(HRESULT hr);
    void UnmapPicture();
    HRESULT CopyToStaging(ID3D11Texture2D* frame);
    HRESULT MapPicture(BYTE** pixels);
    void RestoreUnderPointer(BYTE* picture);
    void UpdatePointer(const DXGI_OUTDUPL_FRAME_INFO& frameInfo, bool drawCursor);

    // The CPU copy of the last frame, kept and reused while frames keep their
    // description; mapped from a successful AcquireFrame to the next call.
    Microsoft::WRL::ComPtr<ID3D11Texture2D> m_pStaging;
    Microsoft::WRL::ComPtr<IDXGISurface1> m_pStagingSurface;
    D3D11_TEXTURE2D_DESC m_stagingDesc{};
    bool m_mapped = false;
    // The staging picture's pixels under the pointer DrawCursor drew, row by row.
    std::vector<BYTE> m_underPointer;
    RECT m_underPointerArea{};  // empty: the picture holds no pointer
    // Receives each pointer shape; swapped into the record when a shape is kept.
    std::vector<BYTE> m_shapeScratch;
};
