// WebHostSite as the ambient-property dispatch interface and the service provider.
//
// The browser reads its download-control flags as the ambient property DISPID_AMBIENT_DLCONTROL;
// everything else goes to the program's OnInvoke when assigned, else to the standard answers of
// a container that hosts its control for a user.

#include "browserhost/web_host_rules.h"
#include "browserhost/web_host_site_win.h"

namespace velvane {
namespace {

void WriteAmbient(VARIANT* result, const StandardAmbient& answer) {
    VariantClear(result);
    switch (answer.kind) {
        case StandardAmbient::Kind::Flag:
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = answer.value ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case StandardAmbient::Kind::Number:
            V_VT(result) = VT_I4;
            V_I4(result) = answer.value;
            break;
        case StandardAmbient::Kind::UserLocale:
            V_VT(result) = VT_I4;
            V_I4(result) = static_cast<LONG>(GetUserDefaultLCID());
            break;
    }
}

}  // namespace

STDMETHODIMP WebHostSite::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return Raise(&TWebHost::OnGetTypeInfoCount, E_NOTIMPL, count);
}

STDMETHODIMP WebHostSite::GetTypeInfo(UINT index, LCID localeId, ITypeInfo** typeInfo) {
    if (typeInfo)
        *typeInfo = nullptr;
    return Raise(&TWebHost::OnGetTypeInfo, E_NOTIMPL, index, localeId, typeInfo);
}

STDMETHODIMP WebHostSite::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID localeId,
                                        DISPID* dispIds) {
    return Raise(&TWebHost::OnGetIDsOfNames, E_NOTIMPL, iid, names, nameCount, localeId, dispIds);
}

STDMETHODIMP WebHostSite::Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags,
                                 DISPPARAMS* params, VARIANT* varResult, EXCEPINFO* excepInfo,
                                 UINT* argErr) {
    bool hasInvokeEvent = host_ && host_->OnInvoke;
    switch (PlanAmbientInvoke(dispId, flags, varResult != nullptr, hasInvokeEvent)) {
        case AmbientRoute::DownloadControl:
            VariantClear(varResult);
            V_VT(varResult) = VT_I4;
            V_I4(varResult) = DownloadControlAnswer(host_ ? host_->DownloadControlFlags() : 0);
            return S_OK;
        case AmbientRoute::Event:
            return Raise(&TWebHost::OnInvoke, DISP_E_MEMBERNOTFOUND, dispId, iid, localeId, flags,
                         params, varResult, excepInfo, argErr);
        case AmbientRoute::Standard:
            break;
    }
    return AnswerStandardAmbient(dispId, flags, varResult);
}

HRESULT WebHostSite::AnswerStandardAmbient(DISPID dispId, WORD flags, VARIANT* varResult) const {
    if (!(flags & DISPATCH_PROPERTYGET) || !varResult)
        return DISP_E_MEMBERNOTFOUND;
    std::optional<StandardAmbient> answer = FindStandardAmbient(dispId);
    if (!answer)
        return DISP_E_MEMBERNOTFOUND;
    WriteAmbient(varResult, *answer);
    return S_OK;
}

STDMETHODIMP WebHostSite::QueryService(REFGUID guidService, REFIID riid, void** ppvObject) {
    if (ppvObject)
        *ppvObject = nullptr;
    return Raise(&TWebHost::OnQueryService, E_NOINTERFACE, guidService, riid, ppvObject);
}

}  // namespace velvane
