#include "shellskin/skin_transparency.h"

#include "services/modGlobal.h"

long SkinTransparency(runtime::Program& program, long DesignedPercent)
{
    int chosen = globals(program).TransparencyPercent;
    return chosen > 0 ? chosen : DesignedPercent;
}
