#pragma once
// AboutBoxPanel: the lower part of the about box, below the logo strip. It holds the product
// labels, the two link labels and the OK button, in the panel's own font, and reports clicks and
// the dialog keys (Enter, Escape) to the box through its handlers.

#include <windows.h>

#include <functional>
#include <vector>

#include "splash/about_box_layout.h"

#include "win32/unique_handle_win.h"
#include "win32/window_win.h"

namespace velvane {

class AboutBoxPanel : public Window {
public:
    struct Handlers {
        std::function<void()> okClick;        // the OK button, or Enter
        std::function<void()> cancel;         // Escape
        std::function<void()> webLinkClick;   // Label5
        std::function<void()> mailLinkClick;  // Label7
    };

    // Control ids, so that the labels can be told apart (and found from outside).
    enum ControlId : int {
        kOkButtonId = IDOK,
        kLabel1Id = 1001,
        kVersionLabelId,
        kNoticeLine1Id,
        kNoticeLine2Id,
        kNoticeLine3Id,
        kLabel4Id,
        kLabel5Id,
        kLabel6Id,
        kLabel7Id,
    };

    enum class LabelKind { Plain, Bold, Link };

    AboutBoxPanel() = default;
    ~AboutBoxPanel() override;

    // Creates the panel and its controls as a child of `parent` at `bounds` (parent's client
    // coordinates).
    void Create(HWND parent, const RECT& bounds, Handlers handlers);

    HWND OkButton() const { return okButton_; }

private:
    void CreateFonts();
    // The labels' places, from their texts measured in their fonts.
    std::vector<about_box::Bounds> LayOutLabels() const;
    HFONT LabelFont(LabelKind kind) const;
    void CreateOkButton(int top);
    void CreateLabels(const std::vector<about_box::Bounds>& placed);
    HWND CreateControl(const char* className, const char* text, DWORD style, int id,
                       const RECT& bounds, HFONT font);
    bool IsLink(HWND control) const;

    LRESULT ColourLabel(HDC dc, HWND label) const;
    bool ShowLinkCursor(HWND over) const;
    void Command(int id, int code) const;
    void Paint() const;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Enter and Escape reach the focused OK button, which knows no dialog keys by itself. This
    // procedure stands in front of the button's own and hands that all else. (The common
    // controls' subclass functions have names only from version 5.82 on; the window procedure
    // is there on every release.)
    static LRESULT CALLBACK OkButtonKeys(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

    Handlers handlers_;
    GdiFont font_;
    GdiFont boldFont_;
    GdiFont linkFont_;
    HWND okButton_ = nullptr;  // a child: destroyed with the panel
    WNDPROC okButtonProc_ = nullptr;  // the button's own procedure, behind OkButtonKeys
};

}  // namespace velvane
