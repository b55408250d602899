// The tool bar of bitmap buttons, one per command word of the toolbar setting.

#include <cstdlib>

#include "services/error_report.h"
#include "services/message_catalogue.h"
#include "skin/bitmap_file_win.h"
#include "win32/file_system_win.h"
#include "win32/gdi_scope_win.h"
#include "window/browser_window_win.h"
#include "window/split_list.h"
#include "window/toolbar.h"

namespace velvane {
namespace {

// The colour that becomes transparent: the bitmap's bottom-left pixel (white for monochrome).
COLORREF TransparentColourOf(HBITMAP bitmap, const BITMAP& info) {
    if (info.bmBitsPixel == 1) return RGB(255, 255, 255);
    gdi::WindowDC screen(nullptr);
    gdi::MemoryDC memory(CreateCompatibleDC(screen.get()));
    gdi::SelectScope selected(memory.get(), bitmap);
    return GetPixel(memory.get(), 0, std::abs(info.bmHeight) - 1);
}

}  // namespace

void TBrowserWindow::BuildToolbar() {
    if (settings.toolbar.empty()) return;
    ShowWindow(buttonToolBar_, SW_SHOWNA);
    std::vector<std::string> entries = SplitList(settings.toolbar, ",");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // Buttons built before a stop stay on the tool bar.
        if (!AddToolButton(i, entries[i])) break;
    }
    LayOutChildren();
}

bool TBrowserWindow::AddToolButton(std::size_t index, const std::string& entry) {
    std::string path = ToolbarBitmapPath(programFolder_, settings.buttonDir, entry);
    if (!FileExists(path)) {
        Stop(kMsgButtonBitmapMissing, path);
        return false;
    }
    if (std::optional<std::string> problem = BitmapFileProblem(path)) {
        throw ApplicationError("Bitmap image is not valid: " + path + " (" + *problem + ")");
    }
    GdiBitmap bitmap = LoadBitmapFile(path);
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof info, &info)) {
        throw ApplicationError("Bitmap image is not valid: " + path);
    }
    Size image{info.bmWidth, std::abs(info.bmHeight)};
    Size list;
    ImageList_GetIconSize(buttonImageList_.get(), &list.width, &list.height);
    switch (FitButtonImage(index == 0, image, list)) {
        case ButtonImageFit::WrongSize:
            Stop(kMsgButtonSizes);
            return false;
        case ButtonImageFit::SetsTheSize:
            ImageList_SetIconSize(buttonImageList_.get(), image.width, image.height);
            SendMessageA(buttonToolBar_, TB_SETIMAGELIST, 0,
                         reinterpret_cast<LPARAM>(buttonImageList_.get()));
            break;
        case ButtonImageFit::Fits:
            break;
    }
    Size button = ToolButtonSizeFor(image);
    SendMessageA(buttonToolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(button.width, button.height));
    ImageList_AddMasked(buttonImageList_.get(), bitmap.get(),
                        TransparentColourOf(bitmap.get(), info));

    TBBUTTON toolButton{};
    toolButton.iBitmap = static_cast<int>(index);
    toolButton.idCommand = static_cast<int>(kFirstToolCommand + index);
    toolButton.fsState = TBSTATE_ENABLED;
    toolButton.fsStyle = BTNS_BUTTON;
    toolButton.iString = -1;  // the caption is the command word, never shown
    SendMessageA(buttonToolBar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&toolButton));
    toolButtonCaptions_.push_back(entry);
    return true;
}

}  // namespace velvane
