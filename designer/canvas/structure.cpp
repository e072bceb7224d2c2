#include "designer/canvas/structure.h"
