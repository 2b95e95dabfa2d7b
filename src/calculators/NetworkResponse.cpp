#include "calculators/NetworkResponse.h"

#include "calculators/NetworkDesign.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>

namespace cw::calc
{

namespace
{

constexpr int kGround = Circuit::kGround;
constexpr int kInput = Circuit::kInput;
constexpr double kTwoPi = 2 * std::numbers::pi;
// Where a transfer of exactly 0 (a driver cut off by a series capacitor of 0) is drawn.
constexpr double kFloorDb = -300;

// The value groups keep millihenrys and microfarads.
double Henrys(double mH)
{
    return mH / 1000;
}
double Farads(double uF)
{
    return uF / 1e6;
}

int AddLoad(Circuit& c, int plus, int minus, const ImpedanceFn& given, double ohms)
{
    return given ? c.AddImpedance(plus, minus, given) : c.AddResistor(plus, minus, ohms);
}

// One part of a ladder: an inductor (mH) or a capacitor (µF), in series along the branch or
// across it to ground.
struct Part {
    enum Kind { L, C } kind;
    bool series;
    double value;
};
Part Series(Part::Kind kind, double value)
{
    return {kind, true, value};
}
Part Shunt(Part::Kind kind, double value)
{
    return {kind, false, value};
}

enum class Polarity { Normal, Reversed };

// A ladder from the input; returns the node at its end.
int AddLadder(Circuit& c, std::initializer_list<Part> parts)
{
    int node = kInput;
    for (const Part& p : parts) {
        const int a = node;
        int b = kGround;
        if (p.series)
            b = node = c.AddNode();
        if (p.kind == Part::L)
            c.AddInductor(a, b, Henrys(p.value));
        else
            c.AddCapacitor(a, b, Farads(p.value));
    }
    return node;
}

// A parallel two-way crossover: the tweeter at the end of its ladder (its "+" terminal on
// ground when reversed), the woofer at the end of the other.
template <class Group>
NetworkCircuit TwoWay(const Group& g, const DriverLoads& loads, std::initializer_list<Part> tweeter,
                      std::initializer_list<Part> woofer, Polarity polarity = Polarity::Normal)
{
    NetworkCircuit n;
    Circuit& c = n.circuit;
    const int t = AddLadder(c, tweeter);
    const bool reversed = polarity == Polarity::Reversed;
    n.tweeter = AddLoad(c, reversed ? kGround : t, reversed ? t : kGround, loads.tweeter,
                        g.tweeterImpedance);
    n.woofer = AddLoad(c, AddLadder(c, woofer), kGround, loads.woofer, g.wooferImpedance);
    return n;
}

// One curve of a response: what it shows from the solution of its network.
struct Probe {
    std::string name;
    CurveKind kind;
    const NetworkCircuit* network;
    std::function<Complex(const NetworkCircuit&, const CircuitSolution&)> value;
};

std::optional<NetworkResponse> Trace(const std::vector<double>& hz,
                                     const std::vector<Probe>& probes)
{
    NetworkResponse r;
    r.frequencies = hz;
    for (const Probe& p : probes)
        r.curves.push_back({p.name, p.kind, {}, {}});
    for (double f : hz) {
        const NetworkCircuit* solvedFor = nullptr;
        std::optional<CircuitSolution> solution;
        for (std::size_t k = 0; k < probes.size(); ++k) {
            const Probe& p = probes[k];
            if (p.network != solvedFor) {
                solution = p.network->circuit.Solve(f);
                solvedFor = p.network;
            }
            if (!solution)
                return std::nullopt;
            const Complex z = p.value(*p.network, *solution);
            NetworkCurve& curve = r.curves[k];
            curve.magnitude.push_back(p.kind == CurveKind::Transfer
                                          ? std::max(20 * std::log10(std::abs(z)), kFloorDb)
                                          : std::abs(z));
            curve.phase.push_back(std::arg(z) * 180 / std::numbers::pi);
        }
    }
    return r;
}

Complex TweeterVolts(const NetworkCircuit& n, const CircuitSolution& s)
{
    return s.ElementVoltage(n.tweeter);
}
Complex WooferVolts(const NetworkCircuit& n, const CircuitSolution& s)
{
    return s.ElementVoltage(n.woofer);
}
Complex SumVolts(const NetworkCircuit& n, const CircuitSolution& s)
{
    return TweeterVolts(n, s) + WooferVolts(n, s);
}
Complex InputImpedance(const NetworkCircuit&, const CircuitSolution& s)
{
    return s.InputImpedance();
}

std::optional<NetworkResponse> CrossoverResponse(const NetworkCircuit& n,
                                                 const std::vector<double>& hz)
{
    return Trace(hz, {{"Tweeter", CurveKind::Transfer, &n, TweeterVolts},
                      {"Woofer", CurveKind::Transfer, &n, WooferVolts},
                      {"Sum", CurveKind::Transfer, &n, SumVolts}});
}

std::optional<NetworkResponse> CompensatorResponse(const NetworkCircuit& driver,
                                                   const NetworkCircuit& compensated,
                                                   const std::vector<double>& hz)
{
    return Trace(hz, {{"Driver", CurveKind::Impedance, &driver, InputImpedance},
                      {"Compensated", CurveKind::Impedance, &compensated, InputImpedance}});
}

} // namespace

NetworkCircuit Xover1OBWCircuit(const Xover1OBW& g, const DriverLoads& loads)
{
    return TwoWay(g, loads, {Series(Part::C, g.c1)}, {Series(Part::L, g.l1)});
}

NetworkCircuit Xover2OBWCircuit(const Xover2OBW& g, const DriverLoads& loads)
{
    return TwoWay(g, loads, {Series(Part::C, g.c1), Shunt(Part::L, g.l2)},
                  {Series(Part::L, g.l1), Shunt(Part::C, g.c2)}, Polarity::Reversed);
}

NetworkCircuit Xover3OBWCircuit(const Xover3OBW& g, const DriverLoads& loads)
{
    return TwoWay(g, loads, {Series(Part::C, g.c1), Shunt(Part::L, g.l3), Series(Part::C, g.c2)},
                  {Series(Part::L, g.l1), Shunt(Part::C, g.c3), Series(Part::L, g.l2)},
                  Polarity::Reversed);
}

NetworkCircuit Xover1OSCircuit(const Xover1OS& g, const DriverLoads& loads)
{
    NetworkCircuit n;
    Circuit& c = n.circuit;
    const int m = c.AddNode();
    n.tweeter = AddLoad(c, kInput, m, loads.tweeter, g.tweeterImpedance);
    c.AddInductor(kInput, m, Henrys(g.l1));
    n.woofer = AddLoad(c, m, kGround, loads.woofer, g.wooferImpedance);
    c.AddCapacitor(m, kGround, Farads(g.c1));
    return n;
}

NetworkCircuit Xover4OLRCircuit(const Xover4OLR& g, const DriverLoads& loads)
{
    return TwoWay(
        g, loads,
        {Series(Part::C, g.c1), Shunt(Part::L, g.l1), Series(Part::C, g.c2), Shunt(Part::L, g.l2)},
        {Series(Part::L, g.l3), Shunt(Part::C, g.c3), Series(Part::L, g.l4), Shunt(Part::C, g.c4)});
}

NetworkCircuit TweeterAttenCircuit(const TweeterAtten& g)
{
    NetworkCircuit n;
    Circuit& c = n.circuit;
    const int t = c.AddNode();
    c.AddResistor(kInput, t, g.r1);
    c.AddResistor(t, kGround, g.r2);
    n.tweeter = c.AddResistor(t, kGround, g.tweeterImpedance);
    return n;
}

std::optional<NetworkCircuit> ResonanceCompCircuit(const ResonanceComp& g, double maxZ,
                                                   bool withNetwork)
{
    if (ResonanceCompRefusal(g, maxZ))
        return std::nullopt;
    const double re = g.driverImpedance;
    const double zmax = ResonanceMaxZ(g, maxZ);
    const double ws = kTwoPi * g.driverFs;
    const double res = zmax - re;
    const double qes = g.driverQt * zmax / res;
    const double cmes = qes / (ws * re);
    const double lces = re / (ws * qes);
    if (!std::isfinite(cmes) || !std::isfinite(lces) || cmes == 0 || lces == 0 || re == 0 ||
        res == 0)
        return std::nullopt;
    NetworkCircuit n;
    Circuit& c = n.circuit;
    const int m = c.AddNode();
    c.AddResistor(kInput, m, re);
    c.AddResistor(m, kGround, res);
    c.AddInductor(m, kGround, lces);
    c.AddCapacitor(m, kGround, cmes);
    if (withNetwork) {
        const int x = c.AddNode(), y = c.AddNode();
        c.AddCapacitor(kInput, x, Farads(g.c1));
        c.AddInductor(x, y, Henrys(g.l1));
        c.AddResistor(y, kGround, g.r1);
    }
    return n;
}

NetworkCircuit InductanceCompCircuit(const InductanceComp& g, bool withNetwork)
{
    NetworkCircuit n;
    Circuit& c = n.circuit;
    if (g.driverLe == 0) {
        c.AddResistor(kInput, kGround, g.driverImpedance);
    } else {
        const int m = c.AddNode();
        c.AddResistor(kInput, m, g.driverImpedance);
        c.AddInductor(m, kGround, Henrys(g.driverLe));
    }
    if (withNetwork) {
        const int x = c.AddNode();
        c.AddResistor(kInput, x, g.r1);
        c.AddCapacitor(x, kGround, Farads(g.c1));
    }
    return n;
}

std::optional<NetworkResponse> Xover1OBWResponse(const Xover1OBW& g, const std::vector<double>& hz)
{
    return CrossoverResponse(Xover1OBWCircuit(g), hz);
}

std::optional<NetworkResponse> Xover2OBWResponse(const Xover2OBW& g, const std::vector<double>& hz)
{
    return CrossoverResponse(Xover2OBWCircuit(g), hz);
}

std::optional<NetworkResponse> Xover3OBWResponse(const Xover3OBW& g, const std::vector<double>& hz)
{
    return CrossoverResponse(Xover3OBWCircuit(g), hz);
}

std::optional<NetworkResponse> Xover1OSResponse(const Xover1OS& g, const std::vector<double>& hz)
{
    return CrossoverResponse(Xover1OSCircuit(g), hz);
}

std::optional<NetworkResponse> Xover4OLRResponse(const Xover4OLR& g, const std::vector<double>& hz)
{
    return CrossoverResponse(Xover4OLRCircuit(g), hz);
}

std::optional<NetworkResponse> ResonanceCompResponse(const ResonanceComp& g, double maxZ,
                                                     const std::vector<double>& hz)
{
    const std::optional<NetworkCircuit> driver = ResonanceCompCircuit(g, maxZ, false);
    const std::optional<NetworkCircuit> compensated = ResonanceCompCircuit(g, maxZ, true);
    if (!driver || !compensated)
        return std::nullopt;
    return CompensatorResponse(*driver, *compensated, hz);
}

std::optional<NetworkResponse> InductanceCompResponse(const InductanceComp& g,
                                                      const std::vector<double>& hz)
{
    return CompensatorResponse(InductanceCompCircuit(g, false), InductanceCompCircuit(g, true), hz);
}

std::optional<NetworkResponse> TweeterAttenResponse(const TweeterAtten& g,
                                                    const std::vector<double>& hz)
{
    const NetworkCircuit n = TweeterAttenCircuit(g);
    return Trace(hz, {{"Tweeter", CurveKind::Transfer, &n, TweeterVolts},
                      {"Input impedance", CurveKind::Impedance, &n, InputImpedance}});
}

std::optional<NetworkResponse> CrossoverPageResponse(const CSpkSys& s, int page,
                                                     const std::vector<double>& hz)
{
    switch (page) {
    case 0:
        return Xover1OBWResponse(s.xover1OBW, hz);
    case 1:
        return Xover2OBWResponse(s.xover2OBW, hz);
    case 2:
        return Xover3OBWResponse(s.xover3OBW, hz);
    case 3:
        return Xover1OSResponse(s.xover1OS, hz);
    case 4:
        return Xover2OBWResponse(s.xover2OLR, hz);
    case 5:
        return Xover4OLRResponse(s.xover4OLR, hz);
    case 6:
        return ResonanceCompResponse(s.resonanceComp, s.resonanceCompMaxZ, hz);
    case 7:
        return InductanceCompResponse(s.inductanceComp, hz);
    case 8:
        return TweeterAttenResponse(s.tweeterAtten, hz);
    default:
        return std::nullopt;
    }
}

} // namespace cw::calc
