// The probe as a Windows console program, beside norvex.dll in the program folder.
#include "tests/wine/norvex_probe.h"

int main()
{
    return run_norvex_probe();
}
