// Background music and the fade-in of the main window.

#include "services/application_win.h"
#include "win32/file_system_win.h"
#include "win32/library_win.h"
#include "window/browser_window_win.h"
#include "window/fade_music.h"

namespace velvane {
namespace {

// Layered windows exist from Windows 2000 on; looked up at run time so that the program still
// starts where they do not, and is then simply shown opaque.
using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

SetLayeredWindowAttributesFunction LayeredWindowSupport() {
    return ProcAddress<SetLayeredWindowAttributesFunction>(GetModuleHandleA("user32.dll"),
                                                           "SetLayeredWindowAttributes");
}

void SetAlphaBlendValue(HWND window, std::uint8_t alpha) {
    if (auto setAttributes = LayeredWindowSupport()) setAttributes(window, 0, alpha, LWA_ALPHA);
}

}  // namespace

void TBrowserWindow::StartIntroMusic() {
    std::string path = programFolder_ + settings.introMusic;
    if (!FileExists(path)) return;
    // The module argument plays no part for a file name; the main window's handle stands in.
    CallPlaySound(path.c_str(), reinterpret_cast<HMODULE>(application_.MainWindow()),
                  IntroMusicFlags(settings.loopMusic));
}

void TBrowserWindow::StopMusic() {
    CallPlaySound(nullptr, reinterpret_cast<HMODULE>(application_.MainWindow()),
                  StopMusicFlags());
}

void TBrowserWindow::CallPlaySound(const char* sound, HMODULE module, std::uint32_t flags) {
    // The sound library comes in with the first sound: a menu without music never loads it.
    const PlaySoundFunction play =
        playSound_ ? playSound_
                   : ProcAddress<PlaySoundFunction>(SystemLibrary("winmm.dll"), "PlaySoundA");
    if (play) play(sound, module, flags);
}

void TBrowserWindow::StartFadeIn() {
    alphaBlendValue_ = 0;
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
    SetAlphaBlendValue(Handle(), alphaBlendValue_);
    SetTimer(Handle(), kFadeTimerId, 1, nullptr);
}

void TBrowserWindow::FadeTimerTimer() {
    FadeStep step = NextFadeStep(alphaBlendValue_);
    alphaBlendValue_ = step.alpha;
    SetAlphaBlendValue(Handle(), alphaBlendValue_);
    if (step.finished) KillTimer(Handle(), kFadeTimerId);
}

}  // namespace velvane
