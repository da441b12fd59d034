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
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
