#pragma once

// Base classes for the fake Direct3D 11 and DXGI objects: every method of each
// interface, IUnknown excepted, reports an unexpected call and fails. A fake
// derives from these and overrides only what the engine is meant to call, so a
// call the engine should not make shows up as a problem of the fake system.
#include <d3d11.h>
#include <dxgi1_2.h>

namespace fakes {

// Records a call of a method that no fake implements.
void UnexpectedCall(const char* method);

// The methods that interfaces share through their bases, for any interface
// derived from those bases.
template <class Interface>
class StubD3D11DeviceChild : public Interface
{
public:
    void STDMETHODCALLTYPE GetDevice(ID3D11Device** /*ppDevice*/) override { UnexpectedCall("ID3D11DeviceChild::GetDevice"); }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID /*guid*/, UINT* /*pDataSize*/, void* /*pData*/) override { return UnexpectedCall("ID3D11DeviceChild::GetPrivateData"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID /*guid*/, UINT /*DataSize*/, const void* /*pData*/) override { return UnexpectedCall("ID3D11DeviceChild::SetPrivateData"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateDataInterface(REFGUID /*guid*/, const IUnknown* /*pData*/) override { return UnexpectedCall("ID3D11DeviceChild::SetPrivateDataInterface"), E_NOTIMPL; }
};

template <class Interface>
class StubDxgiObject : public Interface
{
public:
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID /*guid*/, UINT /*data_size*/, const void* /*data*/) override { return UnexpectedCall("IDXGIObject::SetPrivateData"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateDataInterface(REFGUID /*guid*/, const IUnknown* /*object*/) override { return UnexpectedCall("IDXGIObject::SetPrivateDataInterface"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID /*guid*/, UINT* /*data_size*/, void* /*data*/) override { return UnexpectedCall("IDXGIObject::GetPrivateData"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetParent(REFIID /*riid*/, void** /*parent*/) override { return UnexpectedCall("IDXGIObject::GetParent"), E_NOTIMPL; }
};

template <class Interface>
class StubDxgiDeviceSubObject : public StubDxgiObject<Interface>
{
public:
    HRESULT STDMETHODCALLTYPE GetDevice(REFIID /*riid*/, void** /*device*/) override { return UnexpectedCall("IDXGIDeviceSubObject::GetDevice"), E_NOTIMPL; }
};

class StubD3D11Texture2D : public StubD3D11DeviceChild<ID3D11Texture2D>
{
public:
    // ID3D11Resource
    void STDMETHODCALLTYPE GetType(D3D11_RESOURCE_DIMENSION* /*pResourceDimension*/) override { UnexpectedCall("ID3D11Resource::GetType"); }
    void STDMETHODCALLTYPE SetEvictionPriority(UINT /*EvictionPriority*/) override { UnexpectedCall("ID3D11Resource::SetEvictionPriority"); }
    UINT STDMETHODCALLTYPE GetEvictionPriority() override { return UnexpectedCall("ID3D11Resource::GetEvictionPriority"), UINT(); }
    // ID3D11Texture2D
    void STDMETHODCALLTYPE GetDesc(D3D11_TEXTURE2D_DESC* /*pDesc*/) override { UnexpectedCall("ID3D11Texture2D::GetDesc"); }
};

class StubD3D11Device : public ID3D11Device
{
public:
    // ID3D11Device
    HRESULT STDMETHODCALLTYPE CreateBuffer(const D3D11_BUFFER_DESC* /*pDesc*/, const D3D11_SUBRESOURCE_DATA* /*pInitialData*/, ID3D11Buffer** /*ppBuffer*/) override { return UnexpectedCall("ID3D11Device::CreateBuffer"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateTexture1D(const D3D11_TEXTURE1D_DESC* /*pDesc*/, const D3D11_SUBRESOURCE_DATA* /*pInitialData*/, ID3D11Texture1D** /*ppTexture1D*/) override { return UnexpectedCall("ID3D11Device::CreateTexture1D"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateTexture2D(const D3D11_TEXTURE2D_DESC* /*pDesc*/, const D3D11_SUBRESOURCE_DATA* /*pInitialData*/, ID3D11Texture2D** /*ppTexture2D*/) override { return UnexpectedCall("ID3D11Device::CreateTexture2D"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateTexture3D(const D3D11_TEXTURE3D_DESC* /*pDesc*/, const D3D11_SUBRESOURCE_DATA* /*pInitialData*/, ID3D11Texture3D** /*ppTexture3D*/) override { return UnexpectedCall("ID3D11Device::CreateTexture3D"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateShaderResourceView(ID3D11Resource* /*pResource*/, const D3D11_SHADER_RESOURCE_VIEW_DESC* /*pDesc*/, ID3D11ShaderResourceView** /*ppSRView*/) override { return UnexpectedCall("ID3D11Device::CreateShaderResourceView"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateUnorderedAccessView(ID3D11Resource* /*pResource*/, const D3D11_UNORDERED_ACCESS_VIEW_DESC* /*pDesc*/, ID3D11UnorderedAccessView** /*ppUAView*/) override { return UnexpectedCall("ID3D11Device::CreateUnorderedAccessView"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateRenderTargetView(ID3D11Resource* /*pResource*/, const D3D11_RENDER_TARGET_VIEW_DESC* /*pDesc*/, ID3D11RenderTargetView** /*ppRTView*/) override { return UnexpectedCall("ID3D11Device::CreateRenderTargetView"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilView(ID3D11Resource* /*pResource*/, const D3D11_DEPTH_STENCIL_VIEW_DESC* /*pDesc*/, ID3D11DepthStencilView** /*ppDepthStencilView*/) override { return UnexpectedCall("ID3D11Device::CreateDepthStencilView"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateInputLayout(const D3D11_INPUT_ELEMENT_DESC* /*pInputElementDescs*/, UINT /*NumElements*/, const void* /*pShaderBytecodeWithInputSignature*/, SIZE_T /*BytecodeLength*/, ID3D11InputLayout** /*ppInputLayout*/) override { return UnexpectedCall("ID3D11Device::CreateInputLayout"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const void* /*pShaderBytecode*/, SIZE_T /*BytecodeLength*/, ID3D11ClassLinkage* /*pClassLinkage*/, ID3D11VertexShader** /*ppVertexShader*/) override { return UnexpectedCall("ID3D11Device::CreateVertexShader"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateGeometryShader(const void* /*pShaderBytecode*/, SIZE_T /*BytecodeLength*/, ID3D11ClassLinkage* /*pClassLinkage*/, ID3D11GeometryShader** /*ppGeometryShader*/) override { return UnexpectedCall("ID3D11Device::CreateGeometryShader"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateGeometryShaderWithStreamOutput(const void* /*pShaderBytecode*/, SIZE_T /*BytecodeLength*/, const D3D11_SO_DECLARATION_ENTRY* /*pSODeclaration*/, UINT /*NumEntries*/, const UINT* /*pBufferStrides*/, UINT /*NumStrides*/, UINT /*RasterizedStream*/, ID3D11ClassLinkage* /*pClassLinkage*/, ID3D11GeometryShader** /*ppGeometryShader*/) override { return UnexpectedCall("ID3D11Device::CreateGeometryShaderWithStreamOutput"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const void* /*pShaderBytecode*/, SIZE_T /*BytecodeLength*/, ID3D11ClassLinkage* /*pClassLinkage*/, ID3D11PixelShader** /*ppPixelShader*/) override { return UnexpectedCall("ID3D11Device::CreatePixelShader"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateHullShader(const void* /*pShaderBytecode*/, SIZE_T /*BytecodeLength*/, ID3D11ClassLinkage* /*pClassLinkage*/, ID3D11HullShader** /*ppHullShader*/) override { return UnexpectedCall("ID3D11Device::CreateHullShader"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateDomainShader(const void* /*pShaderBytecode*/, SIZE_T /*BytecodeLength*/, ID3D11ClassLinkage* /*pClassLinkage*/, ID3D11DomainShader** /*ppDomainShader*/) override { return UnexpectedCall("ID3D11Device::CreateDomainShader"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateComputeShader(const void* /*pShaderBytecode*/, SIZE_T /*BytecodeLength*/, ID3D11ClassLinkage* /*pClassLinkage*/, ID3D11ComputeShader** /*ppComputeShader*/) override { return UnexpectedCall("ID3D11Device::CreateComputeShader"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateClassLinkage(ID3D11ClassLinkage** /*ppLinkage*/) override { return UnexpectedCall("ID3D11Device::CreateClassLinkage"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateBlendState(const D3D11_BLEND_DESC* /*pBlendStateDesc*/, ID3D11BlendState** /*ppBlendState*/) override { return UnexpectedCall("ID3D11Device::CreateBlendState"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilState(const D3D11_DEPTH_STENCIL_DESC* /*pDepthStencilDesc*/, ID3D11DepthStencilState** /*ppDepthStencilState*/) override { return UnexpectedCall("ID3D11Device::CreateDepthStencilState"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateRasterizerState(const D3D11_RASTERIZER_DESC* /*pRasterizerDesc*/, ID3D11RasterizerState** /*ppRasterizerState*/) override { return UnexpectedCall("ID3D11Device::CreateRasterizerState"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateSamplerState(const D3D11_SAMPLER_DESC* /*pSamplerDesc*/, ID3D11SamplerState** /*ppSamplerState*/) override { return UnexpectedCall("ID3D11Device::CreateSamplerState"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateQuery(const D3D11_QUERY_DESC* /*pQueryDesc*/, ID3D11Query** /*ppQuery*/) override { return UnexpectedCall("ID3D11Device::CreateQuery"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreatePredicate(const D3D11_QUERY_DESC* /*pPredicateDesc*/, ID3D11Predicate** /*ppPredicate*/) override { return UnexpectedCall("ID3D11Device::CreatePredicate"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateCounter(const D3D11_COUNTER_DESC* /*pCounterDesc*/, ID3D11Counter** /*ppCounter*/) override { return UnexpectedCall("ID3D11Device::CreateCounter"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateDeferredContext(UINT /*ContextFlags*/, ID3D11DeviceContext** /*ppDeferredContext*/) override { return UnexpectedCall("ID3D11Device::CreateDeferredContext"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OpenSharedResource(HANDLE /*hResource*/, REFIID /*ReturnedInterface*/, void** /*ppResource*/) override { return UnexpectedCall("ID3D11Device::OpenSharedResource"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CheckFormatSupport(DXGI_FORMAT /*Format*/, UINT* /*pFormatSupport*/) override { return UnexpectedCall("ID3D11Device::CheckFormatSupport"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CheckMultisampleQualityLevels(DXGI_FORMAT /*Format*/, UINT /*SampleCount*/, UINT* /*pNumQualityLevels*/) override { return UnexpectedCall("ID3D11Device::CheckMultisampleQualityLevels"), E_NOTIMPL; }
    void STDMETHODCALLTYPE CheckCounterInfo(D3D11_COUNTER_INFO* /*pCounterInfo*/) override { UnexpectedCall("ID3D11Device::CheckCounterInfo"); }
    HRESULT STDMETHODCALLTYPE CheckCounter(const D3D11_COUNTER_DESC* /*pDesc*/, D3D11_COUNTER_TYPE* /*pType*/, UINT* /*pActiveCounters*/, LPSTR /*szName*/, UINT* /*pNameLength*/, LPSTR /*szUnits*/, UINT* /*pUnitsLength*/, LPSTR /*szDescription*/, UINT* /*pDescriptionLength*/) override { return UnexpectedCall("ID3D11Device::CheckCounter"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CheckFeatureSupport(D3D11_FEATURE /*Feature*/, void* /*pFeatureSupportData*/, UINT /*FeatureSupportDataSize*/) override { return UnexpectedCall("ID3D11Device::CheckFeatureSupport"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID /*guid*/, UINT* /*pDataSize*/, void* /*pData*/) override { return UnexpectedCall("ID3D11Device::GetPrivateData"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID /*guid*/, UINT /*DataSize*/, const void* /*pData*/) override { return UnexpectedCall("ID3D11Device::SetPrivateData"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPrivateDataInterface(REFGUID /*guid*/, const IUnknown* /*pData*/) override { return UnexpectedCall("ID3D11Device::SetPrivateDataInterface"), E_NOTIMPL; }
    D3D_FEATURE_LEVEL STDMETHODCALLTYPE GetFeatureLevel() override { return UnexpectedCall("ID3D11Device::GetFeatureLevel"), D3D_FEATURE_LEVEL(); }
    UINT STDMETHODCALLTYPE GetCreationFlags() override { return UnexpectedCall("ID3D11Device::GetCreationFlags"), UINT(); }
    HRESULT STDMETHODCALLTYPE GetDeviceRemovedReason() override { return UnexpectedCall("ID3D11Device::GetDeviceRemovedReason"), E_NOTIMPL; }
    void STDMETHODCALLTYPE GetImmediateContext(ID3D11DeviceContext** /*ppImmediateContext*/) override { UnexpectedCall("ID3D11Device::GetImmediateContext"); }
    HRESULT STDMETHODCALLTYPE SetExceptionMode(UINT /*RaiseFlags*/) override { return UnexpectedCall("ID3D11Device::SetExceptionMode"), E_NOTIMPL; }
    UINT STDMETHODCALLTYPE GetExceptionMode() override { return UnexpectedCall("ID3D11Device::GetExceptionMode"), UINT(); }
};

class StubD3D11DeviceContext : public StubD3D11DeviceChild<ID3D11DeviceContext>
{
public:
    // ID3D11DeviceContext
    void STDMETHODCALLTYPE VSSetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::VSSetConstantBuffers"); }
    void STDMETHODCALLTYPE PSSetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView* const* /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::PSSetShaderResources"); }
    void STDMETHODCALLTYPE PSSetShader(ID3D11PixelShader* /*pPixelShader*/, ID3D11ClassInstance* const* /*ppClassInstances*/, UINT /*NumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::PSSetShader"); }
    void STDMETHODCALLTYPE PSSetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState* const* /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::PSSetSamplers"); }
    void STDMETHODCALLTYPE VSSetShader(ID3D11VertexShader* /*pVertexShader*/, ID3D11ClassInstance* const* /*ppClassInstances*/, UINT /*NumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::VSSetShader"); }
    void STDMETHODCALLTYPE DrawIndexed(UINT /*IndexCount*/, UINT /*StartIndexLocation*/, INT /*BaseVertexLocation*/) override { UnexpectedCall("ID3D11DeviceContext::DrawIndexed"); }
    void STDMETHODCALLTYPE Draw(UINT /*VertexCount*/, UINT /*StartVertexLocation*/) override { UnexpectedCall("ID3D11DeviceContext::Draw"); }
    HRESULT STDMETHODCALLTYPE Map(ID3D11Resource* /*pResource*/, UINT /*Subresource*/, D3D11_MAP /*MapType*/, UINT /*MapFlags*/, D3D11_MAPPED_SUBRESOURCE* /*pMappedResource*/) override { return UnexpectedCall("ID3D11DeviceContext::Map"), E_NOTIMPL; }
    void STDMETHODCALLTYPE Unmap(ID3D11Resource* /*pResource*/, UINT /*Subresource*/) override { UnexpectedCall("ID3D11DeviceContext::Unmap"); }
    void STDMETHODCALLTYPE PSSetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::PSSetConstantBuffers"); }
    void STDMETHODCALLTYPE IASetInputLayout(ID3D11InputLayout* /*pInputLayout*/) override { UnexpectedCall("ID3D11DeviceContext::IASetInputLayout"); }
    void STDMETHODCALLTYPE IASetVertexBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppVertexBuffers*/, const UINT* /*pStrides*/, const UINT* /*pOffsets*/) override { UnexpectedCall("ID3D11DeviceContext::IASetVertexBuffers"); }
    void STDMETHODCALLTYPE IASetIndexBuffer(ID3D11Buffer* /*pIndexBuffer*/, DXGI_FORMAT /*Format*/, UINT /*Offset*/) override { UnexpectedCall("ID3D11DeviceContext::IASetIndexBuffer"); }
    void STDMETHODCALLTYPE DrawIndexedInstanced(UINT /*IndexCountPerInstance*/, UINT /*InstanceCount*/, UINT /*StartIndexLocation*/, INT /*BaseVertexLocation*/, UINT /*StartInstanceLocation*/) override { UnexpectedCall("ID3D11DeviceContext::DrawIndexedInstanced"); }
    void STDMETHODCALLTYPE DrawInstanced(UINT /*VertexCountPerInstance*/, UINT /*InstanceCount*/, UINT /*StartVertexLocation*/, UINT /*StartInstanceLocation*/) override { UnexpectedCall("ID3D11DeviceContext::DrawInstanced"); }
    void STDMETHODCALLTYPE GSSetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::GSSetConstantBuffers"); }
    void STDMETHODCALLTYPE GSSetShader(ID3D11GeometryShader* /*pShader*/, ID3D11ClassInstance* const* /*ppClassInstances*/, UINT /*NumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::GSSetShader"); }
    void STDMETHODCALLTYPE IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY /*Topology*/) override { UnexpectedCall("ID3D11DeviceContext::IASetPrimitiveTopology"); }
    void STDMETHODCALLTYPE VSSetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView* const* /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::VSSetShaderResources"); }
    void STDMETHODCALLTYPE VSSetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState* const* /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::VSSetSamplers"); }
    void STDMETHODCALLTYPE Begin(ID3D11Asynchronous* /*pAsync*/) override { UnexpectedCall("ID3D11DeviceContext::Begin"); }
    void STDMETHODCALLTYPE End(ID3D11Asynchronous* /*pAsync*/) override { UnexpectedCall("ID3D11DeviceContext::End"); }
    HRESULT STDMETHODCALLTYPE GetData(ID3D11Asynchronous* /*pAsync*/, void* /*pData*/, UINT /*DataSize*/, UINT /*GetDataFlags*/) override { return UnexpectedCall("ID3D11DeviceContext::GetData"), E_NOTIMPL; }
    void STDMETHODCALLTYPE SetPredication(ID3D11Predicate* /*pPredicate*/, WINBOOL /*PredicateValue*/) override { UnexpectedCall("ID3D11DeviceContext::SetPredication"); }
    void STDMETHODCALLTYPE GSSetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView* const* /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::GSSetShaderResources"); }
    void STDMETHODCALLTYPE GSSetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState* const* /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::GSSetSamplers"); }
    void STDMETHODCALLTYPE OMSetRenderTargets(UINT /*NumViews*/, ID3D11RenderTargetView* const* /*ppRenderTargetViews*/, ID3D11DepthStencilView* /*pDepthStencilView*/) override { UnexpectedCall("ID3D11DeviceContext::OMSetRenderTargets"); }
    void STDMETHODCALLTYPE OMSetRenderTargetsAndUnorderedAccessViews(UINT /*NumRTVs*/, ID3D11RenderTargetView* const* /*ppRenderTargetViews*/, ID3D11DepthStencilView* /*pDepthStencilView*/, UINT /*UAVStartSlot*/, UINT /*NumUAVs*/, ID3D11UnorderedAccessView* const* /*ppUnorderedAccessViews*/, const UINT* /*pUAVInitialCounts*/) override { UnexpectedCall("ID3D11DeviceContext::OMSetRenderTargetsAndUnorderedAccessViews"); }
    void STDMETHODCALLTYPE OMSetBlendState(ID3D11BlendState* /*pBlendState*/, const FLOAT /*BlendFactor*/[4], UINT /*SampleMask*/) override { UnexpectedCall("ID3D11DeviceContext::OMSetBlendState"); }
    void STDMETHODCALLTYPE OMSetDepthStencilState(ID3D11DepthStencilState* /*pDepthStencilState*/, UINT /*StencilRef*/) override { UnexpectedCall("ID3D11DeviceContext::OMSetDepthStencilState"); }
    void STDMETHODCALLTYPE SOSetTargets(UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppSOTargets*/, const UINT* /*pOffsets*/) override { UnexpectedCall("ID3D11DeviceContext::SOSetTargets"); }
    void STDMETHODCALLTYPE DrawAuto() override { UnexpectedCall("ID3D11DeviceContext::DrawAuto"); }
    void STDMETHODCALLTYPE DrawIndexedInstancedIndirect(ID3D11Buffer* /*pBufferForArgs*/, UINT /*AlignedByteOffsetForArgs*/) override { UnexpectedCall("ID3D11DeviceContext::DrawIndexedInstancedIndirect"); }
    void STDMETHODCALLTYPE DrawInstancedIndirect(ID3D11Buffer* /*pBufferForArgs*/, UINT /*AlignedByteOffsetForArgs*/) override { UnexpectedCall("ID3D11DeviceContext::DrawInstancedIndirect"); }
    void STDMETHODCALLTYPE Dispatch(UINT /*ThreadGroupCountX*/, UINT /*ThreadGroupCountY*/, UINT /*ThreadGroupCountZ*/) override { UnexpectedCall("ID3D11DeviceContext::Dispatch"); }
    void STDMETHODCALLTYPE DispatchIndirect(ID3D11Buffer* /*pBufferForArgs*/, UINT /*AlignedByteOffsetForArgs*/) override { UnexpectedCall("ID3D11DeviceContext::DispatchIndirect"); }
    void STDMETHODCALLTYPE RSSetState(ID3D11RasterizerState* /*pRasterizerState*/) override { UnexpectedCall("ID3D11DeviceContext::RSSetState"); }
    void STDMETHODCALLTYPE RSSetViewports(UINT /*NumViewports*/, const D3D11_VIEWPORT* /*pViewports*/) override { UnexpectedCall("ID3D11DeviceContext::RSSetViewports"); }
    void STDMETHODCALLTYPE RSSetScissorRects(UINT /*NumRects*/, const D3D11_RECT* /*pRects*/) override { UnexpectedCall("ID3D11DeviceContext::RSSetScissorRects"); }
    void STDMETHODCALLTYPE CopySubresourceRegion(ID3D11Resource* /*pDstResource*/, UINT /*DstSubresource*/, UINT /*DstX*/, UINT /*DstY*/, UINT /*DstZ*/, ID3D11Resource* /*pSrcResource*/, UINT /*SrcSubresource*/, const D3D11_BOX* /*pSrcBox*/) override { UnexpectedCall("ID3D11DeviceContext::CopySubresourceRegion"); }
    void STDMETHODCALLTYPE CopyResource(ID3D11Resource* /*pDstResource*/, ID3D11Resource* /*pSrcResource*/) override { UnexpectedCall("ID3D11DeviceContext::CopyResource"); }
    void STDMETHODCALLTYPE UpdateSubresource(ID3D11Resource* /*pDstResource*/, UINT /*DstSubresource*/, const D3D11_BOX* /*pDstBox*/, const void* /*pSrcData*/, UINT /*SrcRowPitch*/, UINT /*SrcDepthPitch*/) override { UnexpectedCall("ID3D11DeviceContext::UpdateSubresource"); }
    void STDMETHODCALLTYPE CopyStructureCount(ID3D11Buffer* /*pDstBuffer*/, UINT /*DstAlignedByteOffset*/, ID3D11UnorderedAccessView* /*pSrcView*/) override { UnexpectedCall("ID3D11DeviceContext::CopyStructureCount"); }
    void STDMETHODCALLTYPE ClearRenderTargetView(ID3D11RenderTargetView* /*pRenderTargetView*/, const FLOAT /*ColorRGBA*/[4]) override { UnexpectedCall("ID3D11DeviceContext::ClearRenderTargetView"); }
    void STDMETHODCALLTYPE ClearUnorderedAccessViewUint(ID3D11UnorderedAccessView* /*pUnorderedAccessView*/, const UINT /*Values*/[4]) override { UnexpectedCall("ID3D11DeviceContext::ClearUnorderedAccessViewUint"); }
    void STDMETHODCALLTYPE ClearUnorderedAccessViewFloat(ID3D11UnorderedAccessView* /*pUnorderedAccessView*/, const FLOAT /*Values*/[4]) override { UnexpectedCall("ID3D11DeviceContext::ClearUnorderedAccessViewFloat"); }
    void STDMETHODCALLTYPE ClearDepthStencilView(ID3D11DepthStencilView* /*pDepthStencilView*/, UINT /*ClearFlags*/, FLOAT /*Depth*/, UINT8 /*Stencil*/) override { UnexpectedCall("ID3D11DeviceContext::ClearDepthStencilView"); }
    void STDMETHODCALLTYPE GenerateMips(ID3D11ShaderResourceView* /*pShaderResourceView*/) override { UnexpectedCall("ID3D11DeviceContext::GenerateMips"); }
    void STDMETHODCALLTYPE SetResourceMinLOD(ID3D11Resource* /*pResource*/, FLOAT /*MinLOD*/) override { UnexpectedCall("ID3D11DeviceContext::SetResourceMinLOD"); }
    FLOAT STDMETHODCALLTYPE GetResourceMinLOD(ID3D11Resource* /*pResource*/) override { return UnexpectedCall("ID3D11DeviceContext::GetResourceMinLOD"), FLOAT(); }
    void STDMETHODCALLTYPE ResolveSubresource(ID3D11Resource* /*pDstResource*/, UINT /*DstSubresource*/, ID3D11Resource* /*pSrcResource*/, UINT /*SrcSubresource*/, DXGI_FORMAT /*Format*/) override { UnexpectedCall("ID3D11DeviceContext::ResolveSubresource"); }
    void STDMETHODCALLTYPE ExecuteCommandList(ID3D11CommandList* /*pCommandList*/, WINBOOL /*RestoreContextState*/) override { UnexpectedCall("ID3D11DeviceContext::ExecuteCommandList"); }
    void STDMETHODCALLTYPE HSSetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView* const* /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::HSSetShaderResources"); }
    void STDMETHODCALLTYPE HSSetShader(ID3D11HullShader* /*pHullShader*/, ID3D11ClassInstance* const* /*ppClassInstances*/, UINT /*NumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::HSSetShader"); }
    void STDMETHODCALLTYPE HSSetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState* const* /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::HSSetSamplers"); }
    void STDMETHODCALLTYPE HSSetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::HSSetConstantBuffers"); }
    void STDMETHODCALLTYPE DSSetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView* const* /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::DSSetShaderResources"); }
    void STDMETHODCALLTYPE DSSetShader(ID3D11DomainShader* /*pDomainShader*/, ID3D11ClassInstance* const* /*ppClassInstances*/, UINT /*NumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::DSSetShader"); }
    void STDMETHODCALLTYPE DSSetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState* const* /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::DSSetSamplers"); }
    void STDMETHODCALLTYPE DSSetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::DSSetConstantBuffers"); }
    void STDMETHODCALLTYPE CSSetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView* const* /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::CSSetShaderResources"); }
    void STDMETHODCALLTYPE CSSetUnorderedAccessViews(UINT /*StartSlot*/, UINT /*NumUAVs*/, ID3D11UnorderedAccessView* const* /*ppUnorderedAccessViews*/, const UINT* /*pUAVInitialCounts*/) override { UnexpectedCall("ID3D11DeviceContext::CSSetUnorderedAccessViews"); }
    void STDMETHODCALLTYPE CSSetShader(ID3D11ComputeShader* /*pComputeShader*/, ID3D11ClassInstance* const* /*ppClassInstances*/, UINT /*NumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::CSSetShader"); }
    void STDMETHODCALLTYPE CSSetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState* const* /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::CSSetSamplers"); }
    void STDMETHODCALLTYPE CSSetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer* const* /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::CSSetConstantBuffers"); }
    void STDMETHODCALLTYPE VSGetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer** /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::VSGetConstantBuffers"); }
    void STDMETHODCALLTYPE PSGetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView** /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::PSGetShaderResources"); }
    void STDMETHODCALLTYPE PSGetShader(ID3D11PixelShader** /*ppPixelShader*/, ID3D11ClassInstance** /*ppClassInstances*/, UINT* /*pNumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::PSGetShader"); }
    void STDMETHODCALLTYPE PSGetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState** /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::PSGetSamplers"); }
    void STDMETHODCALLTYPE VSGetShader(ID3D11VertexShader** /*ppVertexShader*/, ID3D11ClassInstance** /*ppClassInstances*/, UINT* /*pNumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::VSGetShader"); }
    void STDMETHODCALLTYPE PSGetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer** /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::PSGetConstantBuffers"); }
    void STDMETHODCALLTYPE IAGetInputLayout(ID3D11InputLayout** /*ppInputLayout*/) override { UnexpectedCall("ID3D11DeviceContext::IAGetInputLayout"); }
    void STDMETHODCALLTYPE IAGetVertexBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer** /*ppVertexBuffers*/, UINT* /*pStrides*/, UINT* /*pOffsets*/) override { UnexpectedCall("ID3D11DeviceContext::IAGetVertexBuffers"); }
    void STDMETHODCALLTYPE IAGetIndexBuffer(ID3D11Buffer** /*pIndexBuffer*/, DXGI_FORMAT* /*Format*/, UINT* /*Offset*/) override { UnexpectedCall("ID3D11DeviceContext::IAGetIndexBuffer"); }
    void STDMETHODCALLTYPE GSGetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer** /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::GSGetConstantBuffers"); }
    void STDMETHODCALLTYPE GSGetShader(ID3D11GeometryShader** /*ppGeometryShader*/, ID3D11ClassInstance** /*ppClassInstances*/, UINT* /*pNumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::GSGetShader"); }
    void STDMETHODCALLTYPE IAGetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY* /*pTopology*/) override { UnexpectedCall("ID3D11DeviceContext::IAGetPrimitiveTopology"); }
    void STDMETHODCALLTYPE VSGetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView** /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::VSGetShaderResources"); }
    void STDMETHODCALLTYPE VSGetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState** /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::VSGetSamplers"); }
    void STDMETHODCALLTYPE GetPredication(ID3D11Predicate** /*ppPredicate*/, WINBOOL* /*pPredicateValue*/) override { UnexpectedCall("ID3D11DeviceContext::GetPredication"); }
    void STDMETHODCALLTYPE GSGetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView** /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::GSGetShaderResources"); }
    void STDMETHODCALLTYPE GSGetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState** /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::GSGetSamplers"); }
    void STDMETHODCALLTYPE OMGetRenderTargets(UINT /*NumViews*/, ID3D11RenderTargetView** /*ppRenderTargetViews*/, ID3D11DepthStencilView** /*ppDepthStencilView*/) override { UnexpectedCall("ID3D11DeviceContext::OMGetRenderTargets"); }
    void STDMETHODCALLTYPE OMGetRenderTargetsAndUnorderedAccessViews(UINT /*NumRTVs*/, ID3D11RenderTargetView** /*ppRenderTargetViews*/, ID3D11DepthStencilView** /*ppDepthStencilView*/, UINT /*UAVStartSlot*/, UINT /*NumUAVs*/, ID3D11UnorderedAccessView** /*ppUnorderedAccessViews*/) override { UnexpectedCall("ID3D11DeviceContext::OMGetRenderTargetsAndUnorderedAccessViews"); }
    void STDMETHODCALLTYPE OMGetBlendState(ID3D11BlendState** /*ppBlendState*/, FLOAT /*BlendFactor*/[4], UINT* /*pSampleMask*/) override { UnexpectedCall("ID3D11DeviceContext::OMGetBlendState"); }
    void STDMETHODCALLTYPE OMGetDepthStencilState(ID3D11DepthStencilState** /*ppDepthStencilState*/, UINT* /*pStencilRef*/) override { UnexpectedCall("ID3D11DeviceContext::OMGetDepthStencilState"); }
    void STDMETHODCALLTYPE SOGetTargets(UINT /*NumBuffers*/, ID3D11Buffer** /*ppSOTargets*/) override { UnexpectedCall("ID3D11DeviceContext::SOGetTargets"); }
    void STDMETHODCALLTYPE RSGetState(ID3D11RasterizerState** /*ppRasterizerState*/) override { UnexpectedCall("ID3D11DeviceContext::RSGetState"); }
    void STDMETHODCALLTYPE RSGetViewports(UINT* /*pNumViewports*/, D3D11_VIEWPORT* /*pViewports*/) override { UnexpectedCall("ID3D11DeviceContext::RSGetViewports"); }
    void STDMETHODCALLTYPE RSGetScissorRects(UINT* /*pNumRects*/, D3D11_RECT* /*pRects*/) override { UnexpectedCall("ID3D11DeviceContext::RSGetScissorRects"); }
    void STDMETHODCALLTYPE HSGetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView** /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::HSGetShaderResources"); }
    void STDMETHODCALLTYPE HSGetShader(ID3D11HullShader** /*ppHullShader*/, ID3D11ClassInstance** /*ppClassInstances*/, UINT* /*pNumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::HSGetShader"); }
    void STDMETHODCALLTYPE HSGetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState** /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::HSGetSamplers"); }
    void STDMETHODCALLTYPE HSGetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer** /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::HSGetConstantBuffers"); }
    void STDMETHODCALLTYPE DSGetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView** /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::DSGetShaderResources"); }
    void STDMETHODCALLTYPE DSGetShader(ID3D11DomainShader** /*ppDomainShader*/, ID3D11ClassInstance** /*ppClassInstances*/, UINT* /*pNumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::DSGetShader"); }
    void STDMETHODCALLTYPE DSGetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState** /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::DSGetSamplers"); }
    void STDMETHODCALLTYPE DSGetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer** /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::DSGetConstantBuffers"); }
    void STDMETHODCALLTYPE CSGetShaderResources(UINT /*StartSlot*/, UINT /*NumViews*/, ID3D11ShaderResourceView** /*ppShaderResourceViews*/) override { UnexpectedCall("ID3D11DeviceContext::CSGetShaderResources"); }
    void STDMETHODCALLTYPE CSGetUnorderedAccessViews(UINT /*StartSlot*/, UINT /*NumUAVs*/, ID3D11UnorderedAccessView** /*ppUnorderedAccessViews*/) override { UnexpectedCall("ID3D11DeviceContext::CSGetUnorderedAccessViews"); }
    void STDMETHODCALLTYPE CSGetShader(ID3D11ComputeShader** /*ppComputeShader*/, ID3D11ClassInstance** /*ppClassInstances*/, UINT* /*pNumClassInstances*/) override { UnexpectedCall("ID3D11DeviceContext::CSGetShader"); }
    void STDMETHODCALLTYPE CSGetSamplers(UINT /*StartSlot*/, UINT /*NumSamplers*/, ID3D11SamplerState** /*ppSamplers*/) override { UnexpectedCall("ID3D11DeviceContext::CSGetSamplers"); }
    void STDMETHODCALLTYPE CSGetConstantBuffers(UINT /*StartSlot*/, UINT /*NumBuffers*/, ID3D11Buffer** /*ppConstantBuffers*/) override { UnexpectedCall("ID3D11DeviceContext::CSGetConstantBuffers"); }
    void STDMETHODCALLTYPE ClearState() override { UnexpectedCall("ID3D11DeviceContext::ClearState"); }
    void STDMETHODCALLTYPE Flush() override { UnexpectedCall("ID3D11DeviceContext::Flush"); }
    D3D11_DEVICE_CONTEXT_TYPE STDMETHODCALLTYPE GetType() override { return UnexpectedCall("ID3D11DeviceContext::GetType"), D3D11_DEVICE_CONTEXT_TYPE(); }
    UINT STDMETHODCALLTYPE GetContextFlags() override { return UnexpectedCall("ID3D11DeviceContext::GetContextFlags"), UINT(); }
    HRESULT STDMETHODCALLTYPE FinishCommandList(WINBOOL /*RestoreDeferredContextState*/, ID3D11CommandList** /*ppCommandList*/) override { return UnexpectedCall("ID3D11DeviceContext::FinishCommandList"), E_NOTIMPL; }
};

class StubDXGIResource : public StubDxgiDeviceSubObject<IDXGIResource>
{
public:
    // IDXGIResource
    HRESULT STDMETHODCALLTYPE GetSharedHandle(HANDLE* /*pSharedHandle*/) override { return UnexpectedCall("IDXGIResource::GetSharedHandle"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUsage(DXGI_USAGE* /*pUsage*/) override { return UnexpectedCall("IDXGIResource::GetUsage"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetEvictionPriority(UINT /*EvictionPriority*/) override { return UnexpectedCall("IDXGIResource::SetEvictionPriority"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetEvictionPriority(UINT* /*pEvictionPriority*/) override { return UnexpectedCall("IDXGIResource::GetEvictionPriority"), E_NOTIMPL; }
};

class StubDXGISurface1 : public StubDxgiDeviceSubObject<IDXGISurface1>
{
public:
    // IDXGISurface
    HRESULT STDMETHODCALLTYPE GetDesc(DXGI_SURFACE_DESC* /*desc*/) override { return UnexpectedCall("IDXGISurface::GetDesc"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Map(DXGI_MAPPED_RECT* /*mapped_rect*/, UINT /*flags*/) override { return UnexpectedCall("IDXGISurface::Map"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unmap() override { return UnexpectedCall("IDXGISurface::Unmap"), E_NOTIMPL; }
    // IDXGISurface1
    HRESULT STDMETHODCALLTYPE GetDC(WINBOOL /*discard*/, HDC* /*hdc*/) override { return UnexpectedCall("IDXGISurface1::GetDC"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReleaseDC(RECT* /*dirty_rect*/) override { return UnexpectedCall("IDXGISurface1::ReleaseDC"), E_NOTIMPL; }
};

class StubDXGIDevice : public StubDxgiObject<IDXGIDevice>
{
public:
    // IDXGIDevice
    HRESULT STDMETHODCALLTYPE GetAdapter(IDXGIAdapter** /*adapter*/) override { return UnexpectedCall("IDXGIDevice::GetAdapter"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateSurface(const DXGI_SURFACE_DESC* /*desc*/, UINT /*surface_count*/, DXGI_USAGE /*usage*/, const DXGI_SHARED_RESOURCE* /*shared_resource*/, IDXGISurface** /*surface*/) override { return UnexpectedCall("IDXGIDevice::CreateSurface"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryResourceResidency(IUnknown* const* /*resources*/, DXGI_RESIDENCY* /*residency*/, UINT /*resource_count*/) override { return UnexpectedCall("IDXGIDevice::QueryResourceResidency"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetGPUThreadPriority(INT /*priority*/) override { return UnexpectedCall("IDXGIDevice::SetGPUThreadPriority"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGPUThreadPriority(INT* /*priority*/) override { return UnexpectedCall("IDXGIDevice::GetGPUThreadPriority"), E_NOTIMPL; }
};

class StubDXGIAdapter : public StubDxgiObject<IDXGIAdapter>
{
public:
    // IDXGIAdapter
    HRESULT STDMETHODCALLTYPE EnumOutputs(UINT /*output_idx*/, IDXGIOutput** /*output*/) override { return UnexpectedCall("IDXGIAdapter::EnumOutputs"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDesc(DXGI_ADAPTER_DESC* /*desc*/) override { return UnexpectedCall("IDXGIAdapter::GetDesc"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CheckInterfaceSupport(REFGUID /*guid*/, LARGE_INTEGER* /*umd_version*/) override { return UnexpectedCall("IDXGIAdapter::CheckInterfaceSupport"), E_NOTIMPL; }
};

class StubDXGIOutput1 : public StubDxgiObject<IDXGIOutput1>
{
public:
    // IDXGIOutput
    HRESULT STDMETHODCALLTYPE GetDesc(DXGI_OUTPUT_DESC* /*desc*/) override { return UnexpectedCall("IDXGIOutput::GetDesc"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplayModeList(DXGI_FORMAT /*format*/, UINT /*flags*/, UINT* /*mode_count*/, DXGI_MODE_DESC* /*desc*/) override { return UnexpectedCall("IDXGIOutput::GetDisplayModeList"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindClosestMatchingMode(const DXGI_MODE_DESC* /*mode*/, DXGI_MODE_DESC* /*closest_match*/, IUnknown* /*device*/) override { return UnexpectedCall("IDXGIOutput::FindClosestMatchingMode"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE WaitForVBlank() override { return UnexpectedCall("IDXGIOutput::WaitForVBlank"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TakeOwnership(IUnknown* /*device*/, WINBOOL /*exclusive*/) override { return UnexpectedCall("IDXGIOutput::TakeOwnership"), E_NOTIMPL; }
    void STDMETHODCALLTYPE ReleaseOwnership() override { UnexpectedCall("IDXGIOutput::ReleaseOwnership"); }
    HRESULT STDMETHODCALLTYPE GetGammaControlCapabilities(DXGI_GAMMA_CONTROL_CAPABILITIES* /*gamma_caps*/) override { return UnexpectedCall("IDXGIOutput::GetGammaControlCapabilities"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetGammaControl(const DXGI_GAMMA_CONTROL* /*gamma_control*/) override { return UnexpectedCall("IDXGIOutput::SetGammaControl"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGammaControl(DXGI_GAMMA_CONTROL* /*gamma_control*/) override { return UnexpectedCall("IDXGIOutput::GetGammaControl"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetDisplaySurface(IDXGISurface* /*surface*/) override { return UnexpectedCall("IDXGIOutput::SetDisplaySurface"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplaySurfaceData(IDXGISurface* /*surface*/) override { return UnexpectedCall("IDXGIOutput::GetDisplaySurfaceData"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFrameStatistics(DXGI_FRAME_STATISTICS* /*stats*/) override { return UnexpectedCall("IDXGIOutput::GetFrameStatistics"), E_NOTIMPL; }
    // IDXGIOutput1
    HRESULT STDMETHODCALLTYPE GetDisplayModeList1(DXGI_FORMAT /*enum_format*/, UINT /*flags*/, UINT* /*num_modes*/, DXGI_MODE_DESC1* /*desc*/) override { return UnexpectedCall("IDXGIOutput1::GetDisplayModeList1"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindClosestMatchingMode1(const DXGI_MODE_DESC1* /*mode_to_match*/, DXGI_MODE_DESC1* /*closest_match*/, IUnknown* /*concerned_device*/) override { return UnexpectedCall("IDXGIOutput1::FindClosestMatchingMode1"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplaySurfaceData1(IDXGIResource* /*destination*/) override { return UnexpectedCall("IDXGIOutput1::GetDisplaySurfaceData1"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DuplicateOutput(IUnknown* /*device*/, IDXGIOutputDuplication** /*output_duplication*/) override { return UnexpectedCall("IDXGIOutput1::DuplicateOutput"), E_NOTIMPL; }
};

class StubDXGIOutputDuplication : public StubDxgiObject<IDXGIOutputDuplication>
{
public:
    // IDXGIOutputDuplication
    void STDMETHODCALLTYPE GetDesc(DXGI_OUTDUPL_DESC* /*desc*/) override { UnexpectedCall("IDXGIOutputDuplication::GetDesc"); }
    HRESULT STDMETHODCALLTYPE AcquireNextFrame(UINT /*timeout_in_milliseconds*/, DXGI_OUTDUPL_FRAME_INFO* /*frame_info*/, IDXGIResource** /*desktop_resource*/) override { return UnexpectedCall("IDXGIOutputDuplication::AcquireNextFrame"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFrameDirtyRects(UINT /*dirty_rects_buffer_size*/, RECT* /*dirty_rects_buffer*/, UINT* /*dirty_rects_buffer_size_required*/) override { return UnexpectedCall("IDXGIOutputDuplication::GetFrameDirtyRects"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFrameMoveRects(UINT /*move_rects_buffer_size*/, DXGI_OUTDUPL_MOVE_RECT* /*move_rect_buffer*/, UINT* /*move_rects_buffer_size_required*/) override { return UnexpectedCall("IDXGIOutputDuplication::GetFrameMoveRects"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFramePointerShape(UINT /*pointer_shape_buffer_size*/, void* /*pointer_shape_buffer*/, UINT* /*pointer_shape_buffer_size_required*/, DXGI_OUTDUPL_POINTER_SHAPE_INFO* /*pointer_shape_info*/) override { return UnexpectedCall("IDXGIOutputDuplication::GetFramePointerShape"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MapDesktopSurface(DXGI_MAPPED_RECT* /*locked_rect*/) override { return UnexpectedCall("IDXGIOutputDuplication::MapDesktopSurface"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnMapDesktopSurface() override { return UnexpectedCall("IDXGIOutputDuplication::UnMapDesktopSurface"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReleaseFrame() override { return UnexpectedCall("IDXGIOutputDuplication::ReleaseFrame"), E_NOTIMPL; }
};
} // namespace fakes
