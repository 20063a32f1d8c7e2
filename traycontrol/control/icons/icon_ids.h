/* Resource ids of the control's built-in icons; shared by C++ and the resource compiler. */
#pragma once

#define IDI_FRAME01 101
#define IDI_FRAME02 102
#define IDI_FRAME03 103
#define IDI_FRAME04 104
#define IDI_FRAME05 105
#define IDI_FRAME06 106
#define IDI_FRAME07 107
#define IDI_FRAME08 108
#define IDI_FRAME09 109
#define IDI_FRAME10 110
#define IDI_STATIC 111
#define IDI_SPARE 112
#define IDI_BLANK 120
