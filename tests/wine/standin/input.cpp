// The control's windows ("Shell Embedding" > "Shell DocObject View" > "Internet Explorer_Server",
// as the platform names them), the commands a test sends, and what the user's mouse and keys do
// in the page.

#include <cstdlib>
#include <string>

#include "standin/protocol.h"
#include "standin/standin.h"

namespace velvane::standin {
namespace {

constexpr wchar_t kEmbeddingClass[] = L"Shell Embedding";
constexpr wchar_t kViewClass[] = L"Shell DocObject View";
constexpr wchar_t kServerClass[] = L"Internet Explorer_Server";
const GUID kMshtmlCommandGroup = {0xDE4BA900, 0x59CA, 0x11CF, {0x95, 0x92, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID kDocHostCommandHandler = {0xF38BC242, 0xB950, 0x11D1, {0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8, 0x36}};
constexpr DWORD kRefreshTop = 6041;  // IDM_REFRESH_TOP

Browser* BrowserOf(HWND window) {
    return reinterpret_cast<Browser*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK EmbeddingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Browser* browser = BrowserOf(window);
    return browser ? browser->EmbeddingMessage(window, message, wParam, lParam)
                   : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (HWND child = GetWindow(window, GW_CHILD)) MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    if (message == WM_SETFOCUS) {
        if (HWND child = GetWindow(window, GW_CHILD)) SetFocus(child);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ServerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Browser* browser = BrowserOf(window);
    return browser ? browser->ServerMessage(window, message, wParam, lParam)
                   : DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    struct Entry {
        const wchar_t* name;
        WNDPROC proc;
    };
    for (const Entry& entry : {Entry{kEmbeddingClass, &EmbeddingProc}, Entry{kViewClass, &ViewProc},
                               Entry{kServerClass, &ServerProc}}) {
        WNDCLASSW windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = entry.proc;
        windowClass.hInstance = ModuleInstance();
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = entry.name;
        RegisterClassW(&windowClass);
    }
}

HWND Child(const wchar_t* className, HWND parent, int width, int height) {
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                           width, height, parent, nullptr, ModuleInstance(), nullptr);
}

std::string KeyName(WPARAM key) {
    switch (key) {
        case VK_TAB: return "Tab";
        case VK_NEXT: return "PgDn";
        case VK_PRIOR: return "PgUp";
        case VK_DOWN: return "Down";
        case VK_UP: return "Up";
        case VK_RETURN: return "Enter";
        default: return "key " + std::to_string(key);
    }
}

}  // namespace

void Browser::CreateWindows(HWND parent, const RECT& position) {
    RegisterClasses();
    int width = position.right - position.left, height = position.bottom - position.top;
    embedding_ = CreateWindowExW(0, kEmbeddingClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                 position.left, position.top, width, height, parent, nullptr, ModuleInstance(),
                                 nullptr);
    if (!embedding_) {
        Log("cannot create the control's windows: " + std::to_string(GetLastError()));
        return;
    }
    view_ = Child(kViewClass, embedding_, width, height);
    server_ = Child(kServerClass, view_, width, height);
    for (HWND window : {embedding_, server_}) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Log("windows created in the container's window");
}

void Browser::DestroyWindows() {
    HWND embedding = embedding_, server = server_;
    embedding_ = view_ = server_ = nullptr;
    for (HWND window : {embedding, server}) {
        if (window && IsWindow(window)) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    if (embedding && IsWindow(embedding)) DestroyWindow(embedding);
}

LRESULT Browser::EmbeddingMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COPYDATA: {
            auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (!data || data->dwData != kCommandTag || !data->lpData) return FALSE;
            QueueCommand(std::string(static_cast<const char*>(data->lpData), data->cbData));
            return TRUE;
        }
        case kRunCommandsMessage:
            RunQueuedCommands();
            return 0;
        case kFinishLoadMessage:
            FinishLoad();
            return 0;
        case WM_SIZE:
            if (view_) MoveWindow(view_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (server_) SetFocus(server_);
            return 0;
        case WM_DESTROY:
            // Destroyed with the container's window rather than by InPlaceDeactivate.
            if (embedding_ == window) {
                Log("the container's window destroyed the control's windows");
                NoteTeardown("container window destroyed");
                embedding_ = view_ = server_ = nullptr;
                SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            }
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Browser::ServerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                // The page moves between links only through TranslateAccelerator.
                Log("page window got Tab outside TranslateAccelerator: ignored");
            } else {
                Log(std::string(kPageKey) + " " + KeyName(wParam));
            }
            return 0;
        case WM_MOUSEWHEEL:
            Log(std::string(kPageKey) + " Wheel");
            return 0;
        case WM_SETFOCUS:
            Log("FOCUS page");
            return 0;
        case WM_KILLFOCUS:
            Log("FOCUS left the page");
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_ACTIVATE;
        case WM_LBUTTONDOWN:
            ActivateUI();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Browser::QueueCommand(const std::string& command) {
    Log("command queued: " + command);
    commands_.push_back(command);
    PostMessageW(embedding_, kRunCommandsMessage, 0, 0);
}

// Commands may nest: one whose event shows a modal box leaves the next to the box's loop, as a
// second click under the box would be.
void Browser::RunQueuedCommands() {
    while (!commands_.empty()) {
        std::string command = commands_.front();
        commands_.pop_front();
        int number = ++commandCount_;
        AddRef();  // counted as the control's own, like the hold of an event
        ++selfHolds_;
        RunCommand(command);
        Log("DONE " + std::to_string(number) + " " + command);
        --selfHolds_;
        // A container that let go during the command leaves this hold the last one.
        if (Release() == 0) return;
    }
}

void Browser::RunCommand(const std::string& command) {
    std::size_t space = command.find(' ');
    std::string verb = command.substr(0, space);
    std::string argument = space == std::string::npos ? std::string() : command.substr(space + 1);
    if (verb == "click" || verb == "shiftclick") {
        ClickLink(argument, verb == "shiftclick");
    } else if (verb == "rightclick") {
        RightClick();
    } else if (verb == "key") {
        PageKey(argument);
    } else if (verb == "scripterror") {
        ScriptError(argument.empty() ? -1 : std::atoi(argument.c_str()));
    } else if (verb == "windowclose") {
        ScriptWindowClose();
    } else if (verb == "complete") {
        FinishLoad();
    } else if (verb == "profile") {
        profile_ = argument == "file" ? Profile::File : Profile::Plain;
    } else if (verb == "newwindow2") {
        olderNewWindowEvent_ = true;
    } else if (verb == "alttab") {
        SwitchAwayAndBack();
    } else if (verb == "frameclick") {
        ClickInFrame(argument);
    } else if (verb == "alert") {
        ScriptAlert();
    } else if (verb == "load") {
        StartNavigation(FromUtf8(argument));
    } else {
        Log("unknown command: " + command);
    }
}

// Another top-level window takes the activation and hands it back, as when the user switches to
// another program and back. The window belongs to this thread: a display without a window
// manager does not move the activation between programs on request.
void Browser::SwitchAwayAndBack() {
    HWND root = embedding_ ? GetAncestor(embedding_, GA_ROOT) : nullptr;
    if (!root) return;
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE | WS_CAPTION, 600, 500,
                                 160, 80, nullptr, nullptr, ModuleInstance(), nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    Log(std::string("another window is active: ") + (GetActiveWindow() == other ? "yes" : "no"));
    SetForegroundWindow(root);
    SetActiveWindow(root);
    DestroyWindow(other);
    Log(std::string("the menu is active again: ") + (GetActiveWindow() == root ? "yes" : "no"));
}

// The mouse reaches the page only while its top-level window takes input: a window disabled
// under a modal box passes no click to its children.
bool Browser::TakesMouseInput() const {
    HWND root = server_ ? GetAncestor(server_, GA_ROOT) : nullptr;
    bool takes = root && IsWindowEnabled(root) && IsWindowVisible(server_);
    if (!takes) Log("the click finds no page that takes input (window disabled or hidden)");
    return takes;
}

void Browser::ClickLink(const std::string& which, bool shift) {
    if (!TakesMouseInput()) return;
    const Link* link = nullptr;
    for (std::size_t i = 0; i < page_.links.size() && !link; ++i) {
        if (Utf8(page_.links[i].id) == which || std::to_string(i) == which) link = &page_.links[i];
    }
    if (!link) {
        Log("no link " + which + " on the page");
        return;
    }
    Link clicked = *link;  // the page may change under the click
    ActivateUI();          // a click in the page activates it, as the platform's control does
    std::wstring url = ResolveLink(pagePath_, clicked.href, profile_);
    if (shift) {
        OpenNewWindow(url, "Shift+click");
        return;
    }
    if (_wcsicmp(clicked.target.c_str(), L"_blank") == 0) {
        OpenNewWindow(url, "target _blank");
        return;
    }
    for (std::size_t i = 0; i < page_.frames.size() && i < frames_.size(); ++i) {
        if (!clicked.target.empty() && clicked.target == page_.frames[i].name) {
            LoadFrame(*frames_[i].get(), url, clicked.target);
            return;
        }
    }
    StartNavigation(url);
}

// A click on a link of a frame's page: the frame's own browser navigates (its BeforeNavigate2
// names the frame's browser object), unless the link targets the whole window.
void Browser::ClickInFrame(const std::string& frameAndLink) {
    if (!TakesMouseInput()) return;
    std::size_t space = frameAndLink.find(' ');
    std::size_t index = static_cast<std::size_t>(std::atoi(frameAndLink.substr(0, space).c_str()));
    std::string which = space == std::string::npos ? std::string() : frameAndLink.substr(space + 1);
    if (index >= frames_.size() || !frames_[index]->document_) {
        Log("no loaded frame " + frameAndLink.substr(0, space));
        return;
    }
    Browser& frame = *frames_[index].get();
    const Link* link = nullptr;
    for (std::size_t i = 0; i < frame.page_.links.size() && !link; ++i) {
        if (Utf8(frame.page_.links[i].id) == which || std::to_string(i) == which) link = &frame.page_.links[i];
    }
    if (!link) {
        Log("no link " + which + " in frame " + std::to_string(index));
        return;
    }
    Link clicked = *link;  // the frame's page may change under the click
    ActivateUI();
    std::wstring url = ResolveLink(frame.pagePath_, clicked.href, profile_);
    if (_wcsicmp(clicked.target.c_str(), L"_top") == 0) {
        StartNavigation(url);
        return;
    }
    LoadFrame(frame, url, page_.frames[index].name);
}

void Browser::RightClick() {
    if (!TakesMouseInput()) return;
    ComPtr<IDocHostUIHandler> handler = UIHandler();
    if (!handler || !document_) {
        Log(std::string(kOwnContextMenu) + " (no host handler or no page)");
        return;
    }
    RECT area{};
    GetWindowRect(server_, &area);
    POINT at{area.left + 10, area.top + 10};
    HRESULT hr = handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &at, static_cast<IOleCommandTarget*>(document_.get()),
                                          document_->Body());
    Log("<host ShowContextMenu(CONTEXT_MENU_DEFAULT) -> " + HrText(hr));
    if (hr != S_OK) Log(std::string(kOwnContextMenu) + " shown");
}

bool Browser::OfferKeyToHost(MSG& message) {
    ComPtr<IDocHostUIHandler> handler = UIHandler();
    if (!handler) return false;
    HRESULT hr = handler->TranslateAccelerator(&message, &kMshtmlCommandGroup, 0);
    Log("<host IDocHostUIHandler::TranslateAccelerator(" + KeyName(message.wParam) + ") -> " + HrText(hr));
    return hr == S_OK;
}

// Keys the page acts on by itself once it has them; the host gets the first word on each.
void Browser::PageKey(const std::string& name) {
    WPARAM key = name == "ctrl+n" ? 'N' : name == "ctrl+c" ? 'C' : name == "f5" ? VK_F5 : 0;
    if (!key) {
        Log("unknown key " + name);
        return;
    }
    MSG message{server_, WM_KEYDOWN, key, 0, static_cast<DWORD>(GetMessageTime()), {}};
    if (OfferKeyToHost(message)) {
        Log("the host took " + name);
        return;
    }
    if (key == 'N') {
        OpenNewWindow(location_, "Ctrl+N");
    } else if (key == 'C') {
        Log(std::string(kPageCommand) + " copy (Ctrl+C)");
    } else if (ComPtr<IOleCommandTarget> host = HostCommandTarget()) {
        HRESULT hr = host->Exec(&kDocHostCommandHandler, kRefreshTop, 0, nullptr, nullptr);
        Log("<host Exec(IDM_REFRESH_TOP) -> " + HrText(hr));
        if (hr != S_OK) {
            Fire("DownloadBegin", 106, {});
            Fire("DownloadComplete", 104, {});
            Log("page refreshed");
        }
    }
}

}  // namespace velvane::standin
