#include "calculators/Circuit.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace cw::calc
{

namespace
{

bool IsFinite(Complex z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// Solves a x = b in place by Gaussian elimination with partial pivoting; false when a is
// singular. a is n × n, row by row.
bool SolveDense(std::vector<Complex>& a, std::vector<Complex>& b)
{
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row) {
            if (std::abs(a[row * n + col]) > std::abs(a[pivot * n + col]))
                pivot = row;
        }
        if (std::abs(a[pivot * n + col]) == 0)
            return false;
        if (pivot != col) {
            for (std::size_t k = 0; k < n; ++k)
                std::swap(a[col * n + k], a[pivot * n + k]);
            std::swap(b[col], b[pivot]);
        }
        for (std::size_t row = col + 1; row < n; ++row) {
            const Complex factor = a[row * n + col] / a[col * n + col];
            for (std::size_t k = col; k < n; ++k)
                a[row * n + k] -= factor * a[col * n + k];
            b[row] -= factor * b[col];
        }
    }
    for (std::size_t col = n; col-- > 0;) {
        Complex sum = b[col];
        for (std::size_t k = col + 1; k < n; ++k)
            sum -= a[col * n + k] * b[k];
        b[col] = sum / a[col * n + col];
    }
    return true;
}

} // namespace

int Circuit::AddNode()
{
    return nodeCount_++;
}

int Circuit::AddResistor(int a, int b, double ohms)
{
    return Add({Kind::Resistor, a, b, ohms, {}});
}

int Circuit::AddInductor(int a, int b, double henrys)
{
    return Add({Kind::Inductor, a, b, henrys, {}});
}

int Circuit::AddCapacitor(int a, int b, double farads)
{
    return Add({Kind::Capacitor, a, b, farads, {}});
}

int Circuit::AddImpedance(int a, int b, ImpedanceFn impedance)
{
    return Add({Kind::Impedance, a, b, 0, std::move(impedance)});
}

int Circuit::Add(Element e)
{
    elements_.push_back(std::move(e));
    return static_cast<int>(elements_.size()) - 1;
}

Complex Circuit::Admittance(const Element& e, double hz) const
{
    const Complex jw(0, 2 * std::numbers::pi * hz);
    switch (e.kind) {
    case Kind::Resistor:
        return 1.0 / Complex(e.value);
    case Kind::Inductor:
        return 1.0 / (jw * e.value);
    case Kind::Capacitor:
        return jw * e.value;
    case Kind::Impedance:
        return 1.0 / e.impedance(hz);
    }
    return {};
}

std::optional<CircuitSolution> Circuit::Solve(double hz) const
{
    // Unknowns are the voltages of nodes 2 … n-1; the input's known 1 V moves to the right side.
    const std::size_t n = static_cast<std::size_t>(nodeCount_) - 2;
    std::vector<Complex> y(n * n), rhs(n);
    std::vector<Complex> admittances;
    admittances.reserve(elements_.size());
    for (const Element& e : elements_) {
        const Complex g = Admittance(e, hz);
        if (!IsFinite(g))
            return std::nullopt;
        admittances.push_back(g);
        const int ends[2] = {e.a, e.b};
        for (int i : ends) {
            if (i < 2)
                continue;
            const std::size_t row = static_cast<std::size_t>(i) - 2;
            y[row * n + row] += g;
            const int other = i == e.a ? e.b : e.a;
            if (other == kInput)
                rhs[row] += g;
            else if (other >= 2)
                y[row * n + (static_cast<std::size_t>(other) - 2)] -= g;
        }
    }
    if (!SolveDense(y, rhs))
        return std::nullopt;

    CircuitSolution s;
    s.nodes_.assign(static_cast<std::size_t>(nodeCount_), Complex());
    s.nodes_[kInput] = 1.0;
    for (std::size_t i = 0; i < n; ++i)
        s.nodes_[i + 2] = rhs[i];
    for (std::size_t k = 0; k < elements_.size(); ++k) {
        const Element& e = elements_[k];
        const Complex v = s.nodes_[e.a] - s.nodes_[e.b];
        s.elementVoltages_.push_back(v);
        s.elementCurrents_.push_back(v * admittances[k]);
        if (e.a == kInput)
            s.inputCurrent_ += v * admittances[k];
        else if (e.b == kInput)
            s.inputCurrent_ -= v * admittances[k];
    }
    for (const Complex& v : s.nodes_) {
        if (!IsFinite(v))
            return std::nullopt;
    }
    if (!IsFinite(s.InputImpedance()))
        return std::nullopt;
    return s;
}

double CircuitSolution::ElementPower(int element) const
{
    return (elementVoltages_[element] * std::conj(elementCurrents_[element])).real();
}

} // namespace cw::calc
