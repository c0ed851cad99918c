#include "Core.h"
#include "Dialog.h"
