// Background music and the fade-in of the main window.

#include "services/application_win.h"
#include "win32/file_system_win.h"
#include "win32/library_win.h"
#include "window/browser_window_win.h"
#include "window/fade_music.h"

namespace velvane {

TBrowserWindow::LayeredAttributesFunction TBrowserWindow::SystemLayeredAttributes() {
    // Looked up at run time: the program starts on Windows 95, 98 and NT 4.0 too, which have no
    // layered windows.
    return ProcAddress<LayeredAttributesFunction>(GetModuleHandleA("user32.dll"),
                                                  "SetLayeredWindowAttributes");
}

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
    if (setLayeredAttributes_) {
        SetWindowLongA(Handle(), GWL_EXSTYLE,
                       GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
        setLayeredAttributes_(Handle(), 0, alphaBlendValue_, LWA_ALPHA);
    }
    SetTimer(Handle(), kFadeTimerId, 1, nullptr);
}

void TBrowserWindow::FadeTimerTimer() {
    FadeStep step = NextFadeStep(alphaBlendValue_);
    alphaBlendValue_ = step.alpha;
    if (setLayeredAttributes_) setLayeredAttributes_(Handle(), 0, alphaBlendValue_, LWA_ALPHA);
    if (step.finished) KillTimer(Handle(), kFadeTimerId);
}

}  // namespace velvane
