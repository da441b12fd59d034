#include "model/resistances.h"

double g_loadOhms = 75.0;    // load resistance
double g_sourceOhms = 35.0;  // source resistance
