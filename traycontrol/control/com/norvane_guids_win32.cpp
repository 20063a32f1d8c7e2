// Defines the GUIDs of the type library's items once for the whole module.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <initguid.h>

#include "traycontrol/control/com/norvane_h.h"
