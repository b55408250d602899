#pragma once
// Shared pieces of the browser host's in-process tests: OLE for the test's thread, a parent
// window, a message pump with a timeout, and the host's site as the browser sees it.

#include <windows.h>
#include <exdisp.h>

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browserhost/ole_session_win.h"
#include "browserhost/web_host_win.h"
#include "win32/com_object_win.h"
#include "win32/com_ptr_win.h"
#include "win32/exception_edge_win.h"

namespace velvane::testing {

// A hidden top-level window to put hosts into.
class ParentWindow {
public:
    ParentWindow() {
        window_ = CreateWindowExA(0, "STATIC", "web host test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~ParentWindow() {
        if (IsWindow(window_))
            DestroyWindow(window_);
    }
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Takes and dispatches messages until `done` holds or `timeoutMs` passed; returns `done()`. The
// timeout only keeps a broken browser from hanging the run.
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!done())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Every test runs in an OLE apartment with the host's COM objects counted, and with an error
// sink that records what reached a COM edge instead of ending the process.
class WebHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent_.Handle()) << "no display for the test windows";
        liveAtStart_ = ComObjectBase::LiveObjectCount();
        SetExceptionSink([this](std::exception_ptr error) { edgeErrors_.push_back(error); });
    }
    void TearDown() override { SetExceptionSink(nullptr); }

    std::unique_ptr<TWebHost> CreateHost() {
        auto host = std::make_unique<TWebHost>();
        host->SetParentWindow(parent_.Handle());
        host->SetBounds(0, 0, 400, 300);
        return host;
    }

    // The host's site, taken from the browser the way the browser itself holds it.
    static ComPtr<IOleClientSite> SiteOf(const TWebHost& host) {
        ComPtr<IOleObject> object = host.DefaultInterface().As<IOleObject>();
        ComPtr<IOleClientSite> site;
        if (object)
            object->GetClientSite(site.put());
        return site;
    }

    std::size_t LiveComObjects() const { return ComObjectBase::LiveObjectCount() - liveAtStart_; }

    OleSession ole_;
    ParentWindow parent_;
    std::vector<std::exception_ptr> edgeErrors_;

private:
    std::size_t liveAtStart_ = 0;
};

}  // namespace velvane::testing
