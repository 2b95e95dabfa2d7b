#pragma once

#include "calculators/Circuit.h"
#include "model/CSpkSys.h"

#include <optional>
#include <string>
#include <vector>

// The designed networks as circuits, and what they do over a list of frequencies: the voltage
// each driver gets and their sum for a crossover, the impedance with and without the network for
// a compensator, the tweeter's level and the input impedance for the attenuator.
namespace cw::calc
{

// The drivers a crossover feeds; an empty function stands for a resistor of the entered impedance.
struct DriverLoads {
    ImpedanceFn tweeter;
    ImpedanceFn woofer;
};

// A network ready to solve. tweeter and woofer are the drivers' load elements, each from its
// "+" terminal to its "-" terminal, so that their element voltage is what drives them (-1 where
// the network has no such driver).
struct NetworkCircuit {
    Circuit circuit;
    int tweeter = -1;
    int woofer = -1;
};

NetworkCircuit Xover1OBWCircuit(const Xover1OBW& g, const DriverLoads& loads = {});
// Also the 2nd order Linkwitz-Riley network, which has the same layout.
NetworkCircuit Xover2OBWCircuit(const Xover2OBW& g, const DriverLoads& loads = {});
NetworkCircuit Xover3OBWCircuit(const Xover3OBW& g, const DriverLoads& loads = {});
NetworkCircuit Xover1OSCircuit(const Xover1OS& g, const DriverLoads& loads = {});
NetworkCircuit Xover4OLRCircuit(const Xover4OLR& g, const DriverLoads& loads = {});
NetworkCircuit TweeterAttenCircuit(const TweeterAtten& g);
// The driver the resonance compensator is designed for (R(e) = driver impedance, a motional
// R(es) || L(ces) || C(mes) from F(s), Q(t) and the designed-for Max Z), with the network across
// it when withNetwork; nothing when those inputs describe no driver (see ResonanceCompRefusal).
std::optional<NetworkCircuit> ResonanceCompCircuit(const ResonanceComp& g, double maxZ,
                                                   bool withNetwork);
// R(e) + jωL(e), with the Zobel network across it when withNetwork.
NetworkCircuit InductanceCompCircuit(const InductanceComp& g, bool withNetwork);

enum class CurveKind {
    Transfer,  // magnitude in dB of output over input voltage
    Impedance, // magnitude in Ohms
};

struct NetworkCurve {
    std::string name;
    CurveKind kind;
    std::vector<double> magnitude; // dB or Ohms, one per frequency
    std::vector<double> phase;     // degrees, one per frequency
};

struct NetworkResponse {
    std::vector<double> frequencies; // Hz
    std::vector<NetworkCurve> curves;
};

// Each page's curves over hz: "Tweeter", "Woofer" and "Sum" for the crossovers, "Driver" and
// "Compensated" (impedances) for the compensators, "Tweeter" and "Input impedance" for the
// attenuator. A transfer of exactly 0 shows as -300 dB. Nothing when the network cannot be solved
// at one of the frequencies (a component still 0, a frequency of 0).
std::optional<NetworkResponse> Xover1OBWResponse(const Xover1OBW& g, const std::vector<double>& hz);
// Also the 2nd order Linkwitz-Riley response.
std::optional<NetworkResponse> Xover2OBWResponse(const Xover2OBW& g, const std::vector<double>& hz);
std::optional<NetworkResponse> Xover3OBWResponse(const Xover3OBW& g, const std::vector<double>& hz);
std::optional<NetworkResponse> Xover1OSResponse(const Xover1OS& g, const std::vector<double>& hz);
std::optional<NetworkResponse> Xover4OLRResponse(const Xover4OLR& g, const std::vector<double>& hz);
std::optional<NetworkResponse> ResonanceCompResponse(const ResonanceComp& g, double maxZ,
                                                     const std::vector<double>& hz);
std::optional<NetworkResponse> InductanceCompResponse(const InductanceComp& g,
                                                      const std::vector<double>& hz);
std::optional<NetworkResponse> TweeterAttenResponse(const TweeterAtten& g,
                                                    const std::vector<double>& hz);

// The response of calculator page 0 … 8 for the record's values; nothing for another page.
std::optional<NetworkResponse> CrossoverPageResponse(const CSpkSys& s, int page,
                                                     const std::vector<double>& hz);

} // namespace cw::calc
