// The explanation of the physics that F3 shows.
#pragma once

#include <string>

// Fourteen paragraphs in the user's language, each one line for the field to
// wrap, separated by an empty line (CR LF CR LF). The formulas are indented
// by one tab.
std::string SupportingText();
