// The gadget toolkit: PureBasic's gadget library on the Win32 API.
#pragma once

#include "toolkit/constants.h"
#include "toolkit/events.h"
#include "toolkit/fonts.h"
#include "toolkit/gadgets.h"
#include "toolkit/menus.h"
#include "toolkit/seams.h"
#include "toolkit/windows.h"
