// The program icon's resource id and the control ids of the alert and settings windows.
#pragma once

#define IDI_KELVOR 1

#define IDC_LABEL11 101
#define IDC_LABEL8 102
#define IDC_LABEL9 103
#define IDC_LABEL7 104
#define IDC_LABEL1 105
#define IDC_LABEL6 106
#define IDC_LABEL2 107
#define IDC_LABEL3 108
#define IDC_LABEL13 109
#define IDC_DTPICKER1 110
#define IDC_LABEL12 111
#define IDC_DTPICKER2 112
#define IDC_BTNDISMISS 113
#define IDC_BTNSNOOZE 114
#define IDC_BTNMODIFY 115
#define IDC_FOOTER1 116
#define IDC_FOOTER2 117

#define IDC_SETTINGS_LABEL3 201
#define IDC_TEXT1 202
#define IDC_SETTINGS_LABEL5 203
#define IDC_TEXT2 204
#define IDC_UPDOWN2 205
#define IDC_SETTINGS_LABEL4 206
