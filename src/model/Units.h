#pragma once

// Unit conversions and the display-rounding helpers that every calculated value passes through.

namespace cw
{

// Rounds x to a number of decimals that depends on its decade band; n = 5, 4, 3 or 2 selects
// the column of the rounding table. Half steps round up, then the value is truncated toward zero.
// A value that rounding lifts into the next band is rounded again in that band.
// NaN and infinities pass through unchanged.
double RoundSignificant(double x, int n);

inline double Round5(double x)
{
    return RoundSignificant(x, 5);
}
inline double Round4(double x)
{
    return RoundSignificant(x, 4);
}
inline double Round3(double x)
{
    return RoundSignificant(x, 3);
}
inline double Round2(double x)
{
    return RoundSignificant(x, 2);
}

// Each conversion multiplies or divides by one constant and passes the result through Round5.
double InchesToMm(double inches);
double MmToInches(double mm);
double CuFtToLiters(double cuFt);
double LitersToCuFt(double liters);
double SqInToSqM(double sqIn);
double SqMToSqIn(double sqM);
double MetresToFeet(double metres);
double FeetToMetres(double feet);
// Metres from inches: (inches to mm) / 1000.
double InchesToMetres(double inches);

} // namespace cw
