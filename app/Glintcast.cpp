// The program file: its one application object.
#include "GlintcastApp.h"

CGlintcastApp theApp;
