// Resources of the framework's tests.
#pragma once

#define IDD_PROBE 900
#define IDC_DRAWN 901
#define IDC_DRAWN_ALONE 902
#define IDC_RATES 903
#define IDC_FIELD 904
#define IDC_CLICK 905
#define IDC_END_SEVEN 906

#define IDD_EMPTY 910

#define IDS_PROBE 920
