#include "win32/message_dialog_win.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "win32/gdi_scope_win.h"
#include "win32/unique_handle_win.h"

namespace velvane {
namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 20;
constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kGap = 12;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;

struct DialogLook {
    const char* title;
    const char* button;
    int buttonId;
    LPCSTR icon;
    UINT beep;
};

DialogLook LookFor(MessageDialogKind kind) {
    if (kind == MessageDialogKind::Error) {
        return {"Error", "Cancel", IDCANCEL, reinterpret_cast<LPCSTR>(IDI_HAND), MB_ICONHAND};
    }
    return {"Information", "OK", IDOK, reinterpret_cast<LPCSTR>(IDI_ASTERISK), MB_ICONASTERISK};
}

struct DialogState {
    const DialogLook* look;
    std::string text;
    GdiFont font;
};

// The message font of the running system, as standard message boxes use it. The structure is
// the old releases' one (the headers of the oldest systems give it): newer systems accept it
// too, and the old ones refuse the longer one with a field Windows Vista added.
GdiFont CreateMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        return GdiFont(CreateFontIndirectA(&metrics.lfMessageFont));
    }
    return GdiFont();
}

SIZE MeasureText(HWND dialog, HFONT font, const std::string& text) {
    gdi::WindowDC dc(dialog);
    gdi::SelectScope select(dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    int maxWidth = std::max(300, GetSystemMetrics(SM_CXSCREEN) * 5 / 8);
    int maxHeight = std::max(100, GetSystemMetrics(SM_CYSCREEN) * 3 / 4);
    RECT bounds{0, 0, maxWidth, 0};
    // Long paths and URLs have no blanks to break at: break them like an edit control would,
    // and keep a box with an endless text on the screen (the rest is cut off).
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX);
    return {std::min<LONG>(bounds.right - bounds.left, maxWidth),
            std::min<LONG>(bounds.bottom - bounds.top, maxHeight)};
}

HWND AddControl(HWND dialog, const char* className, const char* text, DWORD style, int id,
                const RECT& r, HFONT font) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (control && font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void CentreOver(HWND dialog, HWND owner, int width, int height) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        RECT ownerRect;
        if (GetWindowRect(owner, &ownerRect) && ownerRect.right - ownerRect.left > 0) {
            area = ownerRect;
        }
    }
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(dialog, nullptr, std::max(0, left), std::max(0, top), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOut(HWND dialog, DialogState& state) {
    state.font = CreateMessageFont();
    HFONT font = state.font.get();
    SIZE text = MeasureText(dialog, font, state.text);

    int contentHeight = std::max<int>(kIconSize, text.cy);
    int textLeft = kMargin + kIconSize + kGap;
    int textTop = kMargin + (contentHeight - text.cy) / 2;
    int clientWidth = std::max<int>(textLeft + text.cx + kMargin, kButtonWidth + 2 * kMargin);
    int buttonTop = kMargin + contentHeight + kGap;
    int clientHeight = buttonTop + kButtonHeight + kMargin;

    HWND icon = AddControl(dialog, "STATIC", "", SS_ICON, kIconId,
                           {kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize}, nullptr);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, state.look->icon)),
                 0);
    AddControl(dialog, "STATIC", state.text.c_str(), SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
               kTextId, {textLeft, textTop, textLeft + text.cx, textTop + text.cy}, font);
    int buttonLeft = (clientWidth - kButtonWidth) / 2;
    HWND button = AddControl(
        dialog, "BUTTON", state.look->button, WS_TABSTOP | BS_DEFPUSHBUTTON, state.look->buttonId,
        {buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight}, font);
    SendMessageA(dialog, DM_SETDEFID, state.look->buttonId, 0);

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    CentreOver(dialog, GetWindow(dialog, GW_OWNER), frame.right - frame.left,
               frame.bottom - frame.top);
    SetFocus(button);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* state = reinterpret_cast<DialogState*>(lParam);
            SetWindowTextA(dialog, state->look->title);
            try {
                LayOut(dialog, *state);
            } catch (...) {
                EndDialog(dialog, IDCANCEL);  // out of memory: nothing can be shown
                return FALSE;
            }
            MessageBeep(state->look->beep);
            return FALSE;  // focus was set on the button
        }
        case WM_COMMAND:
            // Enter, Escape, the close box and the one button all dismiss the box.
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// An in-memory template with no controls: they are added at WM_INITDIALOG, sized to the text.
std::vector<WORD> EmptyTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    header->dwExtendedStyle = WS_EX_DLGMODALFRAME;
    header->cdit = 0;
    header->cx = 100;
    header->cy = 40;
    // Menu, class and title are the three zero words that follow the header.
    return words;
}

}  // namespace

void ShowMessageDialog(HWND owner, MessageDialogKind kind, std::string_view text) {
    DialogLook look = LookFor(kind);
    DialogState state{&look, std::string(text), GdiFont()};
    std::vector<WORD> dialogTemplate = EmptyTemplate();
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                            reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), owner,
                            &DialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace velvane
