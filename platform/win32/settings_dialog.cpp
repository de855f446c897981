// The screen saver's settings dialog (norvex.scr /c, or no argument): the
// frame-rate cap in a box with arrows, the render scale and edge smoothing as
// lists, the frame-rate overlay as a box to tick. OK stores them (a cap out
// of range is refused, and the dialog stays); Cancel leaves them as they were.
#include <cstdio>

#include "platform/win32/resource_ids.h"
#include "platform/win32/saver_settings.h"
#include "platform/win32/win32_internal.h"

namespace plat {
namespace {

template <size_t N>
WPARAM IndexOf(const uint32_t (&choices)[N], uint32_t value)
{
    for (size_t i = 0; i < N; ++i)
        if (choices[i] == value) return i;
    return 0;
}

template <size_t N>
void FillList(HWND dialog, int id, const uint32_t (&choices)[N], const char* format, const char* zero,
              uint32_t selected)
{
    for (uint32_t choice : choices) {
        char text[32];
        std::snprintf(text, sizeof text, format, static_cast<unsigned>(choice));
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice == 0 ? zero : text));
    }
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, IndexOf(choices, selected), 0);
}

void Show(HWND dialog, const SaverSettings& settings)
{
    SendDlgItemMessageA(dialog, IDC_MAX_FPS_SPIN, UDM_SETRANGE32, 0, SAVER_MAX_FPS_LIMIT);
    SendDlgItemMessageA(dialog, IDC_MAX_FPS, EM_LIMITTEXT, 4, 0);
    SetDlgItemInt(dialog, IDC_MAX_FPS, settings.maxFps, FALSE);
    FillList(dialog, IDC_SCALE, SAVER_SCALES, "%u %%", "", settings.scalePercent);
    FillList(dialog, IDC_SAMPLES, SAVER_SAMPLES, "%u samples", "Off", settings.samples);
    CheckDlgButton(dialog, IDC_SHOW_FPS, settings.showFps ? BST_CHECKED : BST_UNCHECKED);
}

template <size_t N>
uint32_t Chosen(HWND dialog, int id, const uint32_t (&choices)[N])
{
    const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return choices[index >= 0 && static_cast<size_t>(index) < N ? index : 0];
}

// False when the cap is not a whole number in range.
bool Take(HWND dialog, SaverSettings* settings)
{
    BOOL number = FALSE;
    const UINT maxFps = GetDlgItemInt(dialog, IDC_MAX_FPS, &number, FALSE);
    if (!number || maxFps > SAVER_MAX_FPS_LIMIT) return false;
    settings->maxFps = maxFps;
    settings->scalePercent = Chosen(dialog, IDC_SCALE, SAVER_SCALES);
    settings->samples = Chosen(dialog, IDC_SAMPLES, SAVER_SAMPLES);
    settings->showFps = IsDlgButtonChecked(dialog, IDC_SHOW_FPS) == BST_CHECKED;
    return true;
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM first, LPARAM second)
{
    if (message == WM_INITDIALOG) {
        Show(dialog, *reinterpret_cast<const SaverSettings*>(second));
        return TRUE;  // the focus goes to the first control, the cap, its text selected
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(first) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    if (LOWORD(first) != IDOK) return FALSE;
    SaverSettings settings = {};
    if (!Take(dialog, &settings)) {
        MessageBoxA(dialog, "The frame-rate cap is a whole number of frames a second from 0 (no cap) to 1000.",
                    "norvex", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, IDC_MAX_FPS));
        return TRUE;
    }
    if (!SaveSaverSettings(settings)) {
        MessageBoxA(dialog, "The settings could not be stored under HKEY_CURRENT_USER\\Software\\norvex.", "Error",
                    MB_OK | MB_ICONEXCLAMATION);
        return TRUE;
    }
    EndDialog(dialog, IDOK);
    return TRUE;
}

}  // namespace

bool EditSaverSettings(uintptr_t owner, const SaverSettings& defaults)
{
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const SaverSettings settings = LoadSaverSettings(defaults);
    HWND ownerWindow = reinterpret_cast<HWND>(owner);
    if (!IsWindow(ownerWindow)) ownerWindow = nullptr;  // a dialog with a bad owner would not open at all
    return DialogBoxParamA(win32::Module(), MAKEINTRESOURCEA(IDD_SETTINGS), ownerWindow, SettingsProc,
                           reinterpret_cast<LPARAM>(&settings)) > 0;
}

}  // namespace plat
