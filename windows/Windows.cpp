// Start-up order of the windows.
#include "windows/Windows.h"

void CreateApplicationWindows() {}
