#include "SystemHooks.h"

SystemHooks& Hooks()
{
    static SystemHooks hooks;
    return hooks;
}
