#pragma once
// The program's two message boxes. The error box has exactly one button, "Cancel", which no
// standard MessageBox type offers, so both boxes are built here from one small dialog template.
// Their controls carry the ids of a standard message box (text 0xFFFF, icon 20) so that tools
// reading message boxes read these alike.

#include <windows.h>

#include <string_view>

namespace velvane {

enum class MessageDialogKind { Error, Information };

// Shows `text` (8-bit, ANSI code page) modally over `owner` and returns when it is dismissed.
// Error: error icon, title "Error", button "Cancel". Information: information icon, title
// "Information", button "OK".
void ShowMessageDialog(HWND owner, MessageDialogKind kind, std::string_view text);

inline void ShowErrorBox(HWND owner, std::string_view text) {
    ShowMessageDialog(owner, MessageDialogKind::Error, text);
}
inline void ShowInformationBox(HWND owner, std::string_view text) {
    ShowMessageDialog(owner, MessageDialogKind::Information, text);
}

}  // namespace velvane
