#include "splash/about_box_panel_win.h"

#include <array>

#include "splash/about_box_content.h"
#include "splash/about_box_layout.h"
#include "win32/exception_edge_win.h"
#include "win32/gdi_scope_win.h"

namespace velvane {
namespace {

constexpr char kPanelClass[] = "TAboutBoxPanel";

// The panel's font; its labels and button take it (the first label in bold, links underlined).
constexpr char kPanelFontFace[] = "Tahoma";
constexpr int kPanelFontHeight = 11;  // pixels

constexpr RECT kOkButtonBounds{68, 216, 68 + 75, 216 + 25};

using LabelKind = AboutBoxPanel::LabelKind;

struct LabelSpec {
    int id;
    about_box::LabelDesign design;  // its place and width in the designed font
    DWORD alignment;
    LabelKind kind;
    const char* text;
};

// In the order of the design: labels on one line follow each other.
constexpr LabelSpec kLabels[] = {
    {AboutBoxPanel::kLabel1Id, {8, 8, 0, false, false}, SS_LEFTNOWORDWRAP, LabelKind::Bold,
     about_box::kProductName},
    {AboutBoxPanel::kVersionLabelId, {146, 8, 60, false, true}, SS_RIGHT, LabelKind::Plain,
     about_box::kVersionText},
    {AboutBoxPanel::kNoticeLine1Id, {8, 24, 105, true, false}, SS_LEFT, LabelKind::Plain,
     about_box::kNoticeLines[0]},
    {AboutBoxPanel::kNoticeLine2Id, {8, 40, 0, false, false}, SS_LEFTNOWORDWRAP, LabelKind::Plain,
     about_box::kNoticeLines[1]},
    {AboutBoxPanel::kNoticeLine3Id, {8, 56, 0, false, false}, SS_LEFTNOWORDWRAP, LabelKind::Plain,
     about_box::kNoticeLines[2]},
    {AboutBoxPanel::kLabel4Id, {8, 72, 0, false, false}, SS_LEFTNOWORDWRAP, LabelKind::Plain,
     about_box::kWebLabel},
    {AboutBoxPanel::kLabel5Id, {48, 72, 0, false, false}, SS_LEFTNOWORDWRAP, LabelKind::Link,
     about_box::kWebAddress},
    {AboutBoxPanel::kLabel6Id, {8, 88, 0, false, false}, SS_LEFTNOWORDWRAP, LabelKind::Plain,
     about_box::kMailLabel},
    {AboutBoxPanel::kLabel7Id, {48, 88, 0, false, false}, SS_LEFTNOWORDWRAP, LabelKind::Link,
     about_box::kMailAddress},
};

// Space between the last label and the OK button when the labels have grown down to it.
constexpr int kButtonGap = 8;

GdiFont CreatePanelFont(int weight, bool underline) {
    return GdiFont(CreateFontA(-kPanelFontHeight, 0, 0, 0, weight, FALSE, underline, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kPanelFontFace));
}

// The extent of a label's text in its font: one line, or the lines it breaks into at its
// designed width.
about_box::TextExtent MeasureText(HWND panel, HFONT font, const LabelSpec& label) {
    gdi::WindowDC dc(panel);
    RECT text{0, 0, label.design.width, 0};
    if (dc.get()) {
        gdi::SelectScope selected(dc.get(), font);
        UINT format = DT_CALCRECT | DT_NOPREFIX | (label.design.wraps ? DT_WORDBREAK : DT_SINGLELINE);
        DrawTextA(dc.get(), label.text, -1, &text, format);
    }
    return {static_cast<int>(text.right - text.left), static_cast<int>(text.bottom - text.top)};
}

}  // namespace

AboutBoxPanel::~AboutBoxPanel() {
    // The controls use the fonts: they go first.
    DestroyHandle();
}

void AboutBoxPanel::Create(HWND parent, const RECT& bounds, Handlers handlers) {
    handlers_ = std::move(handlers);
    RegisterWindowClass(kPanelClass, 0, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(WS_EX_CONTROLPARENT, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                 bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 parent);
    CreateFonts();
    const std::vector<about_box::Bounds> labels = LayOutLabels();
    // The button is created first: it leads the tab order.
    CreateOkButton(about_box::TopBelowLabels(kOkButtonBounds.top, labels, kButtonGap));
    CreateLabels(labels);
}

HFONT AboutBoxPanel::LabelFont(LabelKind kind) const {
    switch (kind) {
        case LabelKind::Bold:
            return boldFont_.get();
        case LabelKind::Link:
            return linkFont_.get();
        case LabelKind::Plain:
            break;
    }
    return font_.get();
}

std::vector<about_box::Bounds> AboutBoxPanel::LayOutLabels() const {
    std::array<about_box::LabelDesign, std::size(kLabels)> designs;
    std::array<about_box::TextExtent, std::size(kLabels)> texts;
    for (std::size_t i = 0; i < std::size(kLabels); ++i) {
        designs[i] = kLabels[i].design;
        texts[i] = MeasureText(Handle(), LabelFont(kLabels[i].kind), kLabels[i]);
    }
    return about_box::LayOutLabels(designs, texts);
}

void AboutBoxPanel::CreateFonts() {
    font_ = CreatePanelFont(FW_NORMAL, false);
    boldFont_ = CreatePanelFont(FW_BOLD, false);
    linkFont_ = CreatePanelFont(FW_NORMAL, true);
}

HWND AboutBoxPanel::CreateControl(const char* className, const char* text, DWORD style, int id,
                                  const RECT& bounds, HFONT font) {
    HWND control = CreateWindowExA(
        0, className, text, WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (control && font)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void AboutBoxPanel::CreateOkButton(int top) {
    RECT bounds = kOkButtonBounds;
    OffsetRect(&bounds, 0, top - bounds.top);
    okButton_ = CreateControl("BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kOkButtonId, bounds,
                              font_.get());
    if (okButton_) {
        // The button's own data slot is the program's: it carries the panel to OkButtonKeys.
        SetWindowLongPtrA(okButton_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        okButtonProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            okButton_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboutBoxPanel::OkButtonKeys)));
    }
}

void AboutBoxPanel::CreateLabels(const std::vector<about_box::Bounds>& placed) {
    for (std::size_t i = 0; i < std::size(kLabels) && i < placed.size(); ++i) {
        const LabelSpec& label = kLabels[i];
        DWORD style =
            label.alignment | SS_NOPREFIX | (label.kind == LabelKind::Link ? SS_NOTIFY : 0);
        const RECT bounds{placed[i].left, placed[i].top, placed[i].right, placed[i].bottom};
        CreateControl("STATIC", label.text, style, label.id, bounds,
                      LabelFont(label.kind));
    }
}

bool AboutBoxPanel::IsLink(HWND control) const {
    if (!control || GetParent(control) != Handle())
        return false;
    int id = GetDlgCtrlID(control);
    return id == kLabel5Id || id == kLabel7Id;
}

LRESULT AboutBoxPanel::ColourLabel(HDC dc, HWND label) const {
    SetBkMode(dc, TRANSPARENT);
    // The hot-light colour is read at every paint, so a change of the colour scheme shows.
    SetTextColor(dc, GetSysColor(IsLink(label) ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool AboutBoxPanel::ShowLinkCursor(HWND over) const {
    if (!IsLink(over))
        return false;
    // Windows 95 and NT 4 have no hand cursor: they keep the arrow.
    HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    if (!hand)
        return false;
    SetCursor(hand);
    return true;
}

void AboutBoxPanel::Command(int id, int code) const {
    const std::function<void()>* handler = nullptr;
    if (id == kOkButtonId && code == BN_CLICKED)
        handler = &handlers_.okClick;
    if (id == kLabel5Id && code == STN_CLICKED)
        handler = &handlers_.webLinkClick;
    if (id == kLabel7Id && code == STN_CLICKED)
        handler = &handlers_.mailLinkClick;
    if (handler && *handler)
        (*handler)();
}

void AboutBoxPanel::Paint() const {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    if (!dc)
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    EndPaint(Handle(), &paint);
}

LRESULT AboutBoxPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            return ColourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (ShowLinkCursor(reinterpret_cast<HWND>(wParam)))
                return TRUE;
            break;
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_.get());
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK AboutBoxPanel::OkButtonKeys(HWND button, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    const auto* panel =
        reinterpret_cast<const AboutBoxPanel*>(GetWindowLongPtrA(button, GWLP_USERDATA));
    if (!panel || !panel->okButtonProc_)
        return DefWindowProcA(button, message, wParam, lParam);
    const WNDPROC buttonProc = panel->okButtonProc_;
    if (message == WM_NCDESTROY) {
        // The button's last message: its own procedure takes it back for the rest.
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonProc));
        SetWindowLongPtrA(button, GWLP_USERDATA, 0);
    } else if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        const Handlers& handlers = panel->handlers_;
        const std::function<void()>& handler =
            wParam == VK_RETURN ? handlers.okClick : handlers.cancel;
        RunGuarded([&] {
            if (handler)
                handler();
        });
        return 0;
    }
    return CallWindowProcA(buttonProc, button, message, wParam, lParam);
}

}  // namespace velvane
