// WebHostSite as the command target the document reports to: unload notices, refresh requests
// and script errors, each taken over only when the program assigned the matching event.

#include "browserhost/guid_win.h"
#include "browserhost/script_error_report_win.h"
#include "browserhost/web_host_rules.h"
#include "browserhost/web_host_site_win.h"

namespace velvane {
namespace {

HRESULT AskRefresh(TWebHost& host, DWORD commandId) {
    bool cancel = false;
    TRefreshEvent handler = host.OnRefresh;
    handler(host, static_cast<std::int32_t>(commandId), cancel);
    return RefreshResult(cancel);
}

HRESULT ScriptError(TWebHost& host, const VARIANT* pvaIn, VARIANT* pvaOut) {
    // The failing document (a frame's, say) comes with the command; without it, the top one.
    // No document (or no event object) means nothing to report: the browser handles the error.
    ComPtr<IDispatch> document = ScriptErrorDocument(pvaIn);
    if (!document)
        document = host.Document();
    ComPtr<IDispatch> eventObject = ScriptErrorEventObject(document.get());
    if (!eventObject)
        return kCommandNotSupported;
    return ReportScriptError(host, *eventObject.get(), pvaOut);
}

}  // namespace

STDMETHODIMP WebHostSite::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) {
    return S_OK;
}

STDMETHODIMP WebHostSite::Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD, VARIANT* pvaIn,
                               VARIANT* pvaOut) {
    return Guarded([&]() -> HRESULT {
        Guid group = pguidCmdGroup ? ToGuid(*pguidCmdGroup) : Guid{};
        AssignedCommandEvents assigned;
        if (host_) {
            assigned = {static_cast<bool>(host_->OnUnload), static_cast<bool>(host_->OnRefresh),
                        static_cast<bool>(host_->OnScriptError)};
        }
        ExecPlan plan = PlanExec(pguidCmdGroup ? &group : nullptr, nCmdID, assigned);
        if (plan.raiseUnload) {
            TUnloadEvent handler = host_->OnUnload;
            handler(*host_);
            // The handler may have torn the host down.
            if (!host_)
                return kCommandNotSupported;
        }
        switch (plan.route) {
            case ExecRoute::UnknownGroup:
                return kCommandUnknownGroup;
            case ExecRoute::NotSupported:
                return kCommandNotSupported;
            case ExecRoute::AskRefresh:
                return AskRefresh(*host_, nCmdID);
            case ExecRoute::ReportScriptError:
                return ScriptError(*host_, pvaIn, pvaOut);
        }
        return kCommandNotSupported;
    });
}

}  // namespace velvane
