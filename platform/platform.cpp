// The seam itself is interfaces only. This translation unit keeps the portable core
// library buildable while it has no other source of its own.
#include "platform/platform.h"
