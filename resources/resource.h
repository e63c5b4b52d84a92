// Identifiers shared by app.rc and the program: resources, commands, controls.
#pragma once

// Resources
#define IDD_HOST        28672
#define IDI_APP         1
#define IDW_CUE_ORDER   1     // chime for the three order buttons
#define IDW_CUE_CLICK   2     // click for exit, back, save, print and topics
#define IDB_TOPICS      30000
#define IDB_ORDERFORM   30001
#define IDB_PHONE       30002

// Commands (IDCANCEL, 2, is the exit command)
#define ID_ONLINE       100
#define ID_PHONE        101
#define ID_ORDERFORM    102
#define ID_BACK         103
#define ID_SAVE         104
#define ID_PRINT        105
#define ID_METHOD_FIRST 500   // payment methods: 500 plus the method's index
#define ID_METHOD_LAST  505

// Order form controls; 1110 is not used
#define IDC_NAME        1100
#define IDC_ADDRESS     1101
#define IDC_CITY        1102
#define IDC_STATE       1103
#define IDC_ZIPCODE     1104
#define IDC_EMAIL       1105
#define IDC_HEARD       1106
#define IDC_COMMENTS    1107
#define IDC_CARDNUM     1108
#define IDC_EXPDATE     1109
#define IDC_CDROM       1111
