#include "browserhost/script_error_report_win.h"

#include <mshtml.h>

#include "browserhost/web_host_rules.h"
#include "browserhost/web_host_win.h"
#include "win32/com_error_win.h"
#include "win32/variant_win.h"

namespace velvane {
namespace {

std::string ReadProperty(IDispatch& object, std::string_view name) {
    std::wstring wideName = WideFromAnsi(name);
    LPOLESTR names[] = {wideName.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT found = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id);
    if (found == DISP_E_UNKNOWNNAME)
        throw OleError(found, UnsupportedPropertyMessage(name));
    OleCheck(found);
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    Variant value;
    OleCheck(object.Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET, &noArguments,
                           value.put(), nullptr, nullptr));
    return VariantText(value.value());
}

}  // namespace

ComPtr<IDispatch> ScriptErrorDocument(const VARIANT* pvaIn) {
    if (!pvaIn)
        return {};
    const VARIANT* value = pvaIn;
    if (V_VT(value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(value))
        value = V_VARIANTREF(value);
    IUnknown* object = nullptr;
    if (V_VT(value) == VT_UNKNOWN)
        object = V_UNKNOWN(value);
    else if (V_VT(value) == VT_DISPATCH)
        object = V_DISPATCH(value);
    ComPtr<IDispatch> document;
    if (object)
        object->QueryInterface(__uuidof(IDispatch), document.put_void());
    return document;
}

ComPtr<IDispatch> ScriptErrorEventObject(IDispatch* document) {
    if (!document)
        return {};
    ComPtr<IHTMLDocument2> htmlDocument;
    OleCheck(document->QueryInterface(__uuidof(IHTMLDocument2), htmlDocument.put_void()));
    ComPtr<IHTMLWindow2> window;
    OleCheck(htmlDocument->get_parentWindow(window.put()));
    if (!window)
        return {};
    ComPtr<IHTMLEventObj> event;
    OleCheck(window->get_event(event.put()));
    return event.As<IDispatch>();
}

ScriptErrorTexts ReadScriptErrorTexts(IDispatch& eventObject) {
    // Read in the order of kScriptErrorProperties: character, code, message, url, line.
    ScriptErrorTexts texts;
    std::string* targets[] = {&texts.character, &texts.code, &texts.message, &texts.url,
                              &texts.line};
    static_assert(std::size(targets) == kScriptErrorProperties.size());
    for (std::size_t i = 0; i < kScriptErrorProperties.size(); ++i) {
        *targets[i] = ReadProperty(eventObject, kScriptErrorProperties[i]);
    }
    return texts;
}

HRESULT ReportScriptError(TWebHost& host, IDispatch& eventObject, VARIANT* pvaOut) {
    ScriptErrorTexts texts = ReadScriptErrorTexts(eventObject);
    bool continueScript = true;
    bool showDialog = true;
    if (TScriptErrorEvent handler = host.OnScriptError) {
        handler(host, texts.line, texts.character, texts.code, texts.message, texts.url,
                continueScript, showDialog);
    }
    ScriptErrorAnswer answer = AnswerScriptError(continueScript, showDialog);
    if (pvaOut) {
        VariantClear(pvaOut);
        V_VT(pvaOut) = VT_BOOL;
        V_BOOL(pvaOut) = answer.continueScript ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return answer.result;
}

}  // namespace velvane
