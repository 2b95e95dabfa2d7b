#include "calculators/SolveGuard.h"

#include "model/Units.h"

#include <cmath>

namespace cw::calc
{

void SolveGuard::Require(bool condition, const char* message)
{
    if (!condition && message_.empty())
        message_ = message;
}

double SolveGuard::Divide(double numerator, double denominator, const char* message)
{
    Require(std::isfinite(denominator) && denominator > 0, message);
    return ok() ? numerator / denominator : 0;
}

double SolveGuard::SquareRoot(double value, const char* message)
{
    Require(std::isfinite(value) && value >= 0, message);
    return ok() ? std::sqrt(value) : 0;
}

double SolveGuard::CubeRoot(double volume)
{
    Require(volume > 0, kVolumeAboveZero);
    Require(std::isfinite(volume), kTooLarge);
    return ok() ? std::cbrt(volume) : 0;
}

double SolveGuard::Rounded(double value)
{
    Require(std::isfinite(value), kTooLarge);
    return ok() ? Round5(value) : 0;
}

double SolveGuard::Length(double value, const char* name)
{
    const double rounded = Rounded(value);
    if (ok() && !(rounded > 0))
        message_ = std::string("No box fits these values: ") + name + " would not be above 0.";
    return rounded;
}

} // namespace cw::calc
