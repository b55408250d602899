// The script-error report: the five error properties read from the page window's event object,
// handed to OnScriptError, and its two answers turned into the command result and the
// out-variant. Without an HTML engine there is no real event object, so a small dispatch object
// stands in for it.

#include <array>
#include <cwchar>
#include <string>
#include <vector>

#include "browserhost/guid_win.h"
#include "browserhost/script_error_report_win.h"
#include "browserhost/web_host_rules.h"
#include "web_host_test_support.h"
#include "win32/com_error_win.h"
#include "win32/variant_win.h"

namespace velvane {
namespace {

// An event object with named properties; names match regardless of case, as the browser's do.
class FakeEventObject final : public ComObject<IDispatch> {
public:
    struct Property {
        const wchar_t* name;
        VARIANT value;
    };
    static ComPtr<FakeEventObject> Create(std::vector<Property> properties) {
        return ComPtr<FakeEventObject>::Attach(new FakeEventObject(std::move(properties)));
    }

    std::vector<std::wstring> lookups;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        static const std::array<InterfaceEntry, 2> kInterfaces = {
            Implements<FakeEventObject, IDispatch>(IID_IUnknown),
            Implements<FakeEventObject, IDispatch>(),
        };
        return QueryInterfaceFromTable(this, kInterfaces, iid, object);
    }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override {
        if (count != 1 || locale != LOCALE_SYSTEM_DEFAULT) return E_INVALIDARG;
        lookups.emplace_back(names[0]);
        for (std::size_t i = 0; i < properties_.size(); ++i) {
            if (_wcsicmp(properties_[i].name, names[0]) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        if (flags != DISPATCH_PROPERTYGET || !params || params->cArgs != 0 || !result) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (id < 1 || static_cast<std::size_t>(id) > properties_.size()) return E_FAIL;
        return VariantCopy(result, &properties_[static_cast<std::size_t>(id) - 1].value);
    }

private:
    explicit FakeEventObject(std::vector<Property> properties)
        : properties_(std::move(properties)) {}
    ~FakeEventObject() {
        for (Property& property : properties_) VariantClear(&property.value);
    }
    std::vector<Property> properties_;
};

VARIANT Number(LONG value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Text(const wchar_t* value) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(value);
    return v;
}

ComPtr<FakeEventObject> ScriptError() {
    return FakeEventObject::Create({
        {L"errorLine", Number(12)},
        {L"errorCharacter", Number(5)},
        {L"errorCode", Number(0)},
        {L"errorMessage", Text(L"'x' is undefined")},
        {L"errorUrl", Text(L"file://D:\\start.htm")},
    });
}

class WebHostScriptError : public testing::WebHostTest {};

TEST_F(WebHostScriptError, TheHandlersTwoAnswersDecideResultAndOutVariant) {
    struct Case {
        const char* name;
        bool continueScript;
        bool showDialog;
        HRESULT result;
        VARIANT_BOOL out;
    };
    const Case cases[] = {
        {"answers left alone", true, true, static_cast<HRESULT>(kCommandNotSupported),
         VARIANT_TRUE},
        {"dialog off", true, false, S_OK, VARIANT_TRUE},
        {"scripts stopped", false, true, static_cast<HRESULT>(kCommandNotSupported), VARIANT_FALSE},
        {"dialog off, scripts stopped", false, false, S_OK, VARIANT_FALSE},
    };
    auto host = CreateHost();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> seen;
        host->OnScriptError = [&](TWebHost& sender, const std::string& line,
                                  const std::string& character, const std::string& code,
                                  const std::string& message, const std::string& url,
                                  bool& continueScript, bool& showDialog) {
            EXPECT_EQ(&sender, host.get());
            EXPECT_TRUE(continueScript);
            EXPECT_TRUE(showDialog);
            seen = {line, character, code, message, url};
            continueScript = c.continueScript;
            showDialog = c.showDialog;
        };
        ComPtr<FakeEventObject> event = ScriptError();
        VARIANT out;
        VariantInit(&out);
        EXPECT_EQ(ReportScriptError(*host, *event.get(), &out), c.result);
        EXPECT_EQ(V_VT(&out), VT_BOOL);
        EXPECT_EQ(V_BOOL(&out), c.out);
        EXPECT_EQ(seen, (std::vector<std::string>{"12", "5", "0", "'x' is undefined",
                                                  "file://D:\\start.htm"}));
        // Read in a fixed order, each by its own spelling.
        EXPECT_EQ(event->lookups,
                  (std::vector<std::wstring>{L"errorCharacter", L"errorCode", L"errorMessage",
                                             L"errorUrl", L"errorline"}));
    }

    // Without an out-variant the answer is only the result.
    host->OnScriptError = [](TWebHost&, const std::string&, const std::string&, const std::string&,
                             const std::string&, const std::string&, bool&,
                             bool& showDialog) { showDialog = false; };
    ComPtr<FakeEventObject> event = ScriptError();
    EXPECT_EQ(ReportScriptError(*host, *event.get(), nullptr), S_OK);
}

TEST_F(WebHostScriptError, AnUnknownPropertyRaisesNotSupported) {
    auto host = CreateHost();
    bool called = false;
    host->OnScriptError = [&](TWebHost&, const std::string&, const std::string&, const std::string&,
                              const std::string&, const std::string&, bool&,
                              bool&) { called = true; };
    ComPtr<FakeEventObject> event = FakeEventObject::Create({
        {L"errorCharacter", Number(1)},
        {L"errorCode", Number(2)},
        {L"errorMessage", Text(L"m")},
    });
    VARIANT out;
    VariantInit(&out);
    try {
        ReportScriptError(*host, *event.get(), &out);
        ADD_FAILURE() << "no error raised";
    } catch (const OleError& error) {
        EXPECT_STREQ(error.what(), "'errorUrl' not supported.");
    }
    EXPECT_FALSE(called);
    EXPECT_EQ(V_VT(&out), VT_EMPTY);
}

TEST_F(WebHostScriptError, NoDocumentMeansNoEventObject) {
    EXPECT_FALSE(ScriptErrorEventObject(nullptr));
    // A document that is not an HTML document is an interface error.
    ComPtr<FakeEventObject> notADocument = ScriptError();
    EXPECT_THROW(ScriptErrorEventObject(notADocument.get()), OleError);
}

// The failing document (a frame's) comes in the command's in-variant, in whichever form.
TEST_F(WebHostScriptError, TheFailingDocumentComesWithTheCommand) {
    ComPtr<FakeEventObject> document = ScriptError();
    VARIANT asUnknown, asDispatch, byReference, number;
    V_VT(&asUnknown) = VT_UNKNOWN;
    V_UNKNOWN(&asUnknown) = static_cast<IDispatch*>(document.get());
    V_VT(&asDispatch) = VT_DISPATCH;
    V_DISPATCH(&asDispatch) = document.get();
    V_VT(&byReference) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byReference) = &asUnknown;
    number = Number(3);
    struct Case {
        const char* name;
        const VARIANT* in;
        bool found;
    };
    const Case cases[] = {
        {"object", &asUnknown, true},       {"dispatch", &asDispatch, true},
        {"by reference", &byReference, true}, {"a number", &number, false},
        {"no in-variant", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<IDispatch> found = ScriptErrorDocument(c.in);
        EXPECT_EQ(static_cast<bool>(found), c.found);
        if (c.found) {
            EXPECT_EQ(found.get(), static_cast<IDispatch*>(document.get()));
        }
    }

    // Through the command target: the named document is read, not the top one (which does
    // not exist here); it is no HTML document, so the report fails at the COM edge.
    auto host = CreateHost();
    host->OnScriptError = [](TWebHost&, const std::string&, const std::string&, const std::string&,
                             const std::string&, const std::string&, bool&, bool&) {};
    ComPtr<IOleCommandTarget> target = SiteOf(*host).As<IOleCommandTarget>();
    ASSERT_TRUE(target);
    GUID docHost = ToSystemGuid(kDocHostCommandGroup);
    EXPECT_EQ(target->Exec(&docHost, kShowScriptErrorCommand, 0, nullptr, nullptr),
              static_cast<HRESULT>(kCommandNotSupported));
    EXPECT_TRUE(edgeErrors_.empty());
    EXPECT_EQ(target->Exec(&docHost, kShowScriptErrorCommand, 0, &asUnknown, nullptr),
              E_UNEXPECTED);
    EXPECT_EQ(edgeErrors_.size(), 1u);
}

}  // namespace
}  // namespace velvane
