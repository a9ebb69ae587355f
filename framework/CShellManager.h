#pragma once

#include "CObject.h"

// The shell services of the framework's shell dialogs. The program creates one
// at start-up as the framework expects; it holds nothing.
class CShellManager : public CObject
{
public:
    CShellManager() = default;
};
