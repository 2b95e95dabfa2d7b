#include "model/Units.h"

#include <cmath>

namespace cw
{

namespace
{

// Truncation toward zero in double precision. A 32-bit integer conversion would give the same
// result wherever it does not overflow, and undefined behaviour where it does.
double RoundAt(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::trunc((value + 0.5 / scale) * scale) / scale;
}

// Rounds to a multiple of step (10 or 100): truncate((value + step / 2) / step) * step.
double RoundToStep(double value, double step)
{
    return std::trunc((value + step / 2) / step) * step;
}

// Rounding of one band: decimals >= 0 rounds to that many decimals, -1 to the nearest ten,
// -2 to the nearest hundred.
double RoundInBand(double value, int decimals)
{
    if (decimals >= 0)
        return RoundAt(value, decimals);
    return RoundToStep(value, decimals == -1 ? 10.0 : 100.0);
}

} // namespace

double RoundSignificant(double x, int n)
{
    if (!std::isfinite(x))
        return x;
    // Decimals per band: n + 2 below 0.01, one fewer per decade above; a negative count rounds
    // to tens (-1) or hundreds (-2). From 10000 up, Round5 and Round4 round to integers,
    // Round3 to tens and Round2 to hundreds.
    const double lower[] = {0.01, 0.1, 1.0, 10.0, 100.0, 1000.0, 10000.0};
    double value = x;
    // Band 0: below 0.01 (all negatives); band k: lower[k-1] <= value < lower[k]; band 7: 10000 up.
    for (int band = 0; band <= 7; ++band) {
        const bool inBand =
            (band == 0 ? value < lower[0]
                       : (value >= lower[band - 1] && (band == 7 || value < lower[band])));
        if (!inBand)
            continue;
        int decimals = (n + 2) - band;
        if (band == 7)
            decimals = n >= 4 ? 0 : (n == 3 ? -1 : -2);
        value = RoundInBand(value, decimals);
    }
    return value;
}

double InchesToMm(double inches)
{
    return Round5(inches * 25.4);
}
double MmToInches(double mm)
{
    return Round5(mm / 25.4);
}
double CuFtToLiters(double cuFt)
{
    return Round5(cuFt * 28.316847);
}
double LitersToCuFt(double liters)
{
    return Round5(liters / 28.316847);
}
double SqInToSqM(double sqIn)
{
    return Round5(sqIn * 0.00064516);
}
double SqMToSqIn(double sqM)
{
    return Round5(sqM / 0.00064516);
}
double MetresToFeet(double metres)
{
    return Round5(metres * 3.2808);
}
double FeetToMetres(double feet)
{
    return Round5(feet / 3.2808);
}
double InchesToMetres(double inches)
{
    return InchesToMm(inches) / 1000;
}

} // namespace cw
