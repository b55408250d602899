#pragma once
// The script-error report: when a page's script fails, the browser asks its host (command 40 of
// the document-host command group) whether to show its error dialog and whether the page's
// scripts go on. The host reads the error from the document window's event object and lets the
// program's OnScriptError decide.

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "win32/com_ptr_win.h"

namespace velvane {

class TWebHost;

// The document a script-error command names in its in-variant (an object reference, possibly
// by reference); empty when it names none.
ComPtr<IDispatch> ScriptErrorDocument(const VARIANT* pvaIn);

// The current event object of `document`'s window; empty when there is no document or no
// event. Throws OleError (E_NOINTERFACE) when the document is not an HTML document.
ComPtr<IDispatch> ScriptErrorEventObject(IDispatch* document);

struct ScriptErrorTexts {
    std::string line;
    std::string character;
    std::string code;
    std::string message;
    std::string url;
};

// Reads the five error properties by name (locale LOCALE_SYSTEM_DEFAULT) with a property get,
// each converted to text. A name the object does not know raises OleError "'name' not
// supported."; any other failure raises the OleError of its HRESULT.
ScriptErrorTexts ReadScriptErrorTexts(IDispatch& eventObject);

// Hands the error in `eventObject` to the host's OnScriptError, writes into `pvaOut` (when
// given) whether the scripts go on, and returns the command's result: S_OK when the handler
// turned the dialog off, else OLECMDERR_E_NOTSUPPORTED so the browser shows its own.
HRESULT ReportScriptError(TWebHost& host, IDispatch& eventObject, VARIANT* pvaOut);

}  // namespace velvane
