// The numbers that tie the Windows programs' resource scripts to the code
// using them. Macros, not constants: the resource compiler reads this file.
#pragma once

#define IDS_SAVER_DESCRIPTION 1  // the screen saver's name in Windows' list of savers

#define IDD_SETTINGS      100
#define IDC_MAX_FPS       101
#define IDC_MAX_FPS_SPIN  102
#define IDC_SCALE         103
#define IDC_SAMPLES       104
#define IDC_SHOW_FPS      105
