#pragma once

#include <string>

// The box calculators refuse values from which no box can be solved: a divisor that is 0,
// negative or not finite, the square root of a negative number, the cube root of a volume that is
// not above 0, and results that overflow. A calculation goes on after a refusal (its later values
// are meaningless) and its caller stores nothing when the guard has refused; the page then shows
// the one sentence that says what is wrong.
namespace cw::calc
{

inline constexpr const char* kVolumeAboveZero = "The box volume must be above 0.";
inline constexpr const char* kTooLarge = "These values are too large to solve.";

class SolveGuard
{
public:
    bool ok() const { return message_.empty(); }
    // The first reason given; empty while nothing was refused.
    const std::string& message() const { return message_; }

    // Refuses with message unless condition holds; the first reason is the one kept.
    void Require(bool condition, const char* message);
    // numerator / denominator for a denominator that is finite and above 0; 0 otherwise.
    double Divide(double numerator, double denominator, const char* message);
    // The square root of a finite value of at least 0; 0 otherwise.
    double SquareRoot(double value, const char* message);
    // The cube root of a volume (in the cube of a length unit) above 0; 0 otherwise.
    double CubeRoot(double volume);
    // Round5 of a finite value.
    double Rounded(double value);
    // Round5 of a solved length, which must come out above 0; name says which one ("the depth").
    double Length(double value, const char* name);

private:
    std::string message_;
};

} // namespace cw::calc
