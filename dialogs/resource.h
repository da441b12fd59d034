/* Identifiers of the dialogs and their controls, shared by the resource
   script and the code; plain C so the resource compiler can read it. */
#ifndef ONDULANE_DIALOGS_RESOURCE_H
#define ONDULANE_DIALOGS_RESOURCE_H

#define IDD_VALUES 101
#define IDD_TEXT 102

#define IDC_LOAD 1000
#define IDC_TEXT 1001
#define IDC_SOURCE 1002
#define IDC_LOAD_CAPTION 1003

/* The texts of the string table, in the order a translator meets them. */
#define IDS_DECIMAL_SIGN 200
#define IDS_SUBTITLE 201
#define IDS_PRESS_ENTER 202
#define IDS_PRESS_F1 203
#define IDS_PRESS_F2 204
#define IDS_PRESS_F3 205
#define IDS_NO_TIMER 206
#define IDS_TEACHING_AID 207
#define IDS_LINE_CAPTION 208
#define IDS_SOURCE_OHMS 209
#define IDS_SOURCE_VSWR 210
#define IDS_RHO 211
#define IDS_OUTPUT_SET 212
#define IDS_ACROSS_LOAD 213
#define IDS_PLUS_13_DBM 214
#define IDS_EMF 215
#define IDS_LOAD_OHMS 216
#define IDS_LOAD_VOLTS 217
#define IDS_Z_MARK 218
#define IDS_Z_REAL 219
#define IDS_Z_INDUCTIVE 220
#define IDS_Z_CAPACITIVE 221
#define IDS_STANDING_WAVE 222
#define IDS_RATIO 223
#define IDS_POWER_CAPTION 224
#define IDS_POWER_DBM 225
#define IDS_DIGITS 226
#define IDS_READING_ORDER 227
/* The supporting text, one paragraph each, from the first to the last. */
#define IDS_SUPPORTING_FIRST 300
#define IDS_SUPPORTING_LAST 313
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
