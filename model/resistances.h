// The two resistances of the experiment, in ohms: set by the value dialog,
// read by the panels and by every frame.
#pragma once

extern double g_loadOhms;
extern double g_sourceOhms;
