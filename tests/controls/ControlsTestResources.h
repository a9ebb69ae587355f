// Resources of the controls' tests (apart from the program's own).
#pragma once

#define IDD_BUTTON_HOST 30000
#define IDC_STANDARD_BUTTON 30001
#define IDC_FACTORY_BUTTON 30002
