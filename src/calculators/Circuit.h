#pragma once

#include <complex>
#include <functional>
#include <optional>
#include <vector>

// A small AC circuit simulator for the passive networks the calculators design: resistors,
// inductors, capacitors and loads of any given impedance between numbered nodes, driven by an
// ideal 1 V source at the input node. Nodal analysis with a dense complex solver; the networks
// have a handful of nodes, so nothing cleverer is needed.
namespace cw::calc
{

using Complex = std::complex<double>;
// The impedance of a load at a frequency in Hz, in Ohms.
using ImpedanceFn = std::function<Complex(double hz)>;

class CircuitSolution;

class Circuit
{
public:
    // Node 0 is ground; node 1 is held at 1 V (RMS, phase 0) against it by the source.
    static constexpr int kGround = 0;
    static constexpr int kInput = 1;

    // A new node, not yet connected to anything.
    int AddNode();

    // Each adds one element between nodes a and b and returns its index for the solution.
    int AddResistor(int a, int b, double ohms);
    int AddInductor(int a, int b, double henrys);
    int AddCapacitor(int a, int b, double farads);
    int AddImpedance(int a, int b, ImpedanceFn impedance);

    // The steady state at hz; nothing when an element's admittance is not finite there (a zero
    // resistance or inductance, a frequency of 0), when a node floats, when the source sees an
    // open circuit, or when the result would not be finite.
    std::optional<CircuitSolution> Solve(double hz) const;

private:
    enum class Kind { Resistor, Inductor, Capacitor, Impedance };
    struct Element {
        Kind kind;
        int a, b;
        double value; // Ohms, henrys or farads
        ImpedanceFn impedance;
    };

    int Add(Element e);
    Complex Admittance(const Element& e, double hz) const;

    int nodeCount_ = 2;
    std::vector<Element> elements_;
};

class CircuitSolution
{
public:
    // The voltage of node a against node b.
    Complex Voltage(int a, int b = Circuit::kGround) const { return nodes_[a] - nodes_[b]; }
    // The voltage across an element (its node a against its node b) and the current through it
    // from a to b.
    Complex ElementVoltage(int element) const { return elementVoltages_[element]; }
    Complex ElementCurrent(int element) const { return elementCurrents_[element]; }
    // The real power an element takes, in Watts for the 1 V RMS drive.
    double ElementPower(int element) const;
    // The current the source delivers into the input node, and the impedance it sees.
    Complex InputCurrent() const { return inputCurrent_; }
    Complex InputImpedance() const { return 1.0 / inputCurrent_; }

private:
    friend class Circuit;
    std::vector<Complex> nodes_;
    std::vector<Complex> elementVoltages_;
    std::vector<Complex> elementCurrents_;
    Complex inputCurrent_;
};

} // namespace cw::calc
