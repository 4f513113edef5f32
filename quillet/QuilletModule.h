#pragma once
// The toolkit's own module handle, for loading the toolkit's resources.
#include "QuilletApi.h"

#include <windows.h>

QUILLET_API HINSTANCE QuilletModule();
