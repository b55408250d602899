#pragma once
// WebBrowserEventSink: receives the WebBrowser control's DWebBrowserEvents2 through its
// connection point and raises the host's events. The events arrive as IDispatch::Invoke calls;
// a table maps the DISPIDs the program listens to onto the functions that unpack their
// arguments. Every other event is acknowledged and dropped.

#include <windows.h>
#include <oaidl.h>

#include "win32/com_object_win.h"
#include "win32/com_ptr_win.h"

namespace velvane {

class TWebHost;

class WebBrowserEventSink final : public ComObject<IDispatch> {
public:
    static ComPtr<WebBrowserEventSink> Create(TWebHost& host);

    // No events reach the host any more.
    void Detach() { host_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;

    // IDispatch: only Invoke is called on an event interface.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params,
                        VARIANT* varResult, EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    explicit WebBrowserEventSink(TWebHost& host) : host_(&host) {}
    ~WebBrowserEventSink() = default;

    TWebHost* host_;
};

}  // namespace velvane
