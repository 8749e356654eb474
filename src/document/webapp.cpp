#include "webapp.h"
