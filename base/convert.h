// Number and text conversion with the exact output the events rely on.
#pragma once

#include <string>

double fast_atof(const char* begin, const char* end);
std::string fast_itoa(int value);
std::string fast_dtoa(double value);
