#include "Bar.h"
