#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace cw
{

// One loudspeaker driver. A real value of exactly 0 means "not given". The field order is the
// stored order of the driver (record copies and driver files follow it).
struct DriverParams {
    std::int32_t driverKey = 0; // kept with the driver; nothing calculates with it
    std::string manufacturer;
    std::string model;
    double nominalDiameterMm = 0; // mm
    double nominalDiameterIn = 0; // inches
    double nominalImpedance = 0;  // Ohms
    double nominalPower = 0;      // Watts
    std::string frequencyRange;
    std::string application;
    std::string highestXover; // Hz, as text
    std::string lowestXover;  // Hz, as text
    std::string suggestedBoxVolume;
    std::string coneMaterial;
    std::string surroundType;
    std::string makerAddress1;
    std::string makerAddress2;
    std::string makerPhone;
    std::string description; // multi-line; NOTE lines of the derived-value rules go here
    std::string keyword;
    double fs = 0;        // Hz, resonance in free air
    double fsb = 0;       // Hz, resonance on baffle
    double qts = 0;       // total Q
    double qes = 0;       // electrical Q
    double qms = 0;       // mechanical Q
    double vasLiters = 0; // liters, equivalent volume
    double vasCuFt = 0;   // cubic feet
    double cms = 0;       // mm/N, compliance
    double rms = 0;       // kg/s, mechanical resistance
    double re = 0;        // Ohms, DC resistance
    double zMax = 0;      // Ohms
    double zMin = 0;      // Ohms
    double pt = 0;        // Watts, maximum thermal power
    double rt = 0;        // deg C/W, thermal resistance
    double xMax = 0;      // mm peak, maximum linear excursion
    double spareReal35 = 0;
    double xPeak = 0;       // mm peak, maximum excursion
    double sdSqM = 0;       // square metres, piston area
    double sdSqIn = 0;      // square inches
    double vd = 0;          // liters, peak volume displacement
    double eta0 = 0;        // percent, reference efficiency
    double spl = 0;         // dB SPL at 1 W / 1 m
    double le = 0;          // mH, voice coil inductance
    double fluxDensity = 0; // Tesla
    double wireLength = 0;  // metres of wire in the gap
    double bl = 0;          // N/A
    double mms = 0;         // grams, moving mass
    double spareReal47 = 0;
    double dvcMm = 0; // mm, voice coil diameter
    double dvcIn = 0; // inches
    double dcd = 0;   // mm, voice coil depth
    double spareReal51 = 0;
    double dmg = 0; // mm, magnetic gap depth
    double spareReal53 = 0;
    std::string coilMaterial;
    std::string coilFormer;
    std::string coilLayers;
    std::string coilWireGauge;
    std::string coilVent;
    double outsideDiameterMm = 0; // mm
    double outsideDiameterIn = 0; // inches
    double boltCircleMm = 0;      // mm
    double boltCircleIn = 0;      // inches
    double boltCount = 0;         // held as a real
    double frontCutoutMm = 0;     // mm
    double frontCutoutIn = 0;     // inches
    double rearCutoutMm = 0;      // mm
    double rearCutoutIn = 0;      // inches
    double depthMm = 0;           // mm
    double depthIn = 0;           // inches
    double physicalVolumeLiters = 0;
    double physicalVolumeCuFt = 0;
    double magnetHeight = 0;         // mm
    double magnetDiameter = 0;       // mm
    double magnetWeight = 0;         // kg
    double magnetAssemblyWeight = 0; // kg
    double netWeight = 0;            // kg
    std::string infoDate;
    std::string retailPrice;
    std::array<std::string, 10> spareTexts{};
    std::array<double, 10> spareReals{};

    // Calls visit(name, field) for every field in stored order; the same list serves
    // const and mutable access (file formats, command-line paths, comparisons).
    template <class Self, class Visit> static void Fields(Self& d, Visit&& visit)
    {
        visit("driverKey", d.driverKey);
        visit("manufacturer", d.manufacturer);
        visit("model", d.model);
        visit("nominalDiameterMm", d.nominalDiameterMm);
        visit("nominalDiameterIn", d.nominalDiameterIn);
        visit("nominalImpedance", d.nominalImpedance);
        visit("nominalPower", d.nominalPower);
        visit("frequencyRange", d.frequencyRange);
        visit("application", d.application);
        visit("highestXover", d.highestXover);
        visit("lowestXover", d.lowestXover);
        visit("suggestedBoxVolume", d.suggestedBoxVolume);
        visit("coneMaterial", d.coneMaterial);
        visit("surroundType", d.surroundType);
        visit("makerAddress1", d.makerAddress1);
        visit("makerAddress2", d.makerAddress2);
        visit("makerPhone", d.makerPhone);
        visit("description", d.description);
        visit("keyword", d.keyword);
        visit("fs", d.fs);
        visit("fsb", d.fsb);
        visit("qts", d.qts);
        visit("qes", d.qes);
        visit("qms", d.qms);
        visit("vasLiters", d.vasLiters);
        visit("vasCuFt", d.vasCuFt);
        visit("cms", d.cms);
        visit("rms", d.rms);
        visit("re", d.re);
        visit("zMax", d.zMax);
        visit("zMin", d.zMin);
        visit("pt", d.pt);
        visit("rt", d.rt);
        visit("xMax", d.xMax);
        visit("spareReal35", d.spareReal35);
        visit("xPeak", d.xPeak);
        visit("sdSqM", d.sdSqM);
        visit("sdSqIn", d.sdSqIn);
        visit("vd", d.vd);
        visit("eta0", d.eta0);
        visit("spl", d.spl);
        visit("le", d.le);
        visit("fluxDensity", d.fluxDensity);
        visit("wireLength", d.wireLength);
        visit("bl", d.bl);
        visit("mms", d.mms);
        visit("spareReal47", d.spareReal47);
        visit("dvcMm", d.dvcMm);
        visit("dvcIn", d.dvcIn);
        visit("dcd", d.dcd);
        visit("spareReal51", d.spareReal51);
        visit("dmg", d.dmg);
        visit("spareReal53", d.spareReal53);
        visit("coilMaterial", d.coilMaterial);
        visit("coilFormer", d.coilFormer);
        visit("coilLayers", d.coilLayers);
        visit("coilWireGauge", d.coilWireGauge);
        visit("coilVent", d.coilVent);
        visit("outsideDiameterMm", d.outsideDiameterMm);
        visit("outsideDiameterIn", d.outsideDiameterIn);
        visit("boltCircleMm", d.boltCircleMm);
        visit("boltCircleIn", d.boltCircleIn);
        visit("boltCount", d.boltCount);
        visit("frontCutoutMm", d.frontCutoutMm);
        visit("frontCutoutIn", d.frontCutoutIn);
        visit("rearCutoutMm", d.rearCutoutMm);
        visit("rearCutoutIn", d.rearCutoutIn);
        visit("depthMm", d.depthMm);
        visit("depthIn", d.depthIn);
        visit("physicalVolumeLiters", d.physicalVolumeLiters);
        visit("physicalVolumeCuFt", d.physicalVolumeCuFt);
        visit("magnetHeight", d.magnetHeight);
        visit("magnetDiameter", d.magnetDiameter);
        visit("magnetWeight", d.magnetWeight);
        visit("magnetAssemblyWeight", d.magnetAssemblyWeight);
        visit("netWeight", d.netWeight);
        visit("infoDate", d.infoDate);
        visit("retailPrice", d.retailPrice);
        visit("spareTexts", d.spareTexts);
        visit("spareReals", d.spareReals);
    }

    bool operator==(const DriverParams&) const = default;
};

// The 200 mm woofer a new project starts with, so that it can be calculated at once.
DriverParams SampleDriver();

} // namespace cw
