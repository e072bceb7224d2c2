#include "designer/properties/values_apply.h"
