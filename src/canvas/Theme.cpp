#include "canvas/Theme.h"

const Theme& BuiltInTheme()
{
    static const Theme builtIn;
    return builtIn;
}
