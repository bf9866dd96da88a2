// The elementary functions of the function table in standard C++ alone, the same bits on every
// system: within a hair of half an ulp (they compute in two doubles, about 106 bits, and round
// once), so correctly rounded but for arguments that lie within about 2^-100 of a rounding
// boundary. Signed zeros, infinities and NaN are those of Linux's C library, NaN signs included
// (Elementary.cpp lists them).
#pragma once

namespace elementary {

double sin(double x);
double cos(double x);
double tan(double x);
double asin(double x);
double acos(double x);
double atan(double x);
double atan2(double y, double x);
double exp(double x);
double log(double x);

}  // namespace elementary
