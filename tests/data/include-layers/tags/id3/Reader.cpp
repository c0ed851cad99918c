#include "Core.h"
#include "Session.h"
