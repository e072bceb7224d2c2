#include "designer/properties/style_flags.h"
