#include "model/DriverParams.h"

namespace cw
{

DriverParams SampleDriver()
{
    DriverParams d;
    d.manufacturer = "Conewright Sample Drivers";
    d.model = "CW-200W";
    d.nominalDiameterMm = 200;
    d.nominalDiameterIn = 8;
    d.nominalImpedance = 8;
    d.nominalPower = 150;
    d.frequencyRange = "40 to 2kHz";
    d.application = "Hi-Fi";
    d.highestXover = "1k";
    d.coneMaterial = "paper";
    d.surroundType = "rubber";
    d.makerAddress1 = "1 Workbench Lane";
    d.makerAddress2 = "Springfield";
    d.makerPhone = "555-0100";
    d.description = "This is a fictitious driver!";
    d.keyword = "project";
    d.fs = 41;
    d.fsb = 0;
    d.qts = 0.49;
    d.qes = 0.6;
    d.qms = 2.6;
    d.vasLiters = 90;
    d.vasCuFt = 3.18;
    d.cms = 1.14;
    d.rms = 0;
    d.re = 6.3;
    d.zMax = 34;
    d.zMin = 7;
    d.pt = 75;
    d.rt = 0.25;
    d.xMax = 6;
    d.xPeak = 9;
    d.sdSqM = 0.025;
    d.sdSqIn = 0;
    d.vd = 0;
    d.eta0 = 0.977;
    d.spl = 92;
    d.le = 0.35;
    d.fluxDensity = 1.1;
    d.wireLength = 5.45;
    d.bl = 6;
    d.mms = 13.3;
    d.dvcMm = 25;
    d.dvcIn = 1;
    d.dcd = 17;
    d.dmg = 5;
    d.coilMaterial = "copper";
    d.coilFormer = "aluminum";
    d.coilLayers = "4";
    d.coilVent = "rear vented pole piece";
    d.outsideDiameterMm = 213;
    d.outsideDiameterIn = 8.386;
    d.boltCircleMm = 199;
    d.boltCircleIn = 7.835;
    d.boltCount = 8;
    d.frontCutoutMm = 186;
    d.frontCutoutIn = 7.323;
    d.rearCutoutMm = 184;
    d.rearCutoutIn = 7.244;
    d.depthMm = 87.5;
    d.depthIn = 3.445;
    d.physicalVolumeLiters = 0.15;
    d.physicalVolumeCuFt = 0.00597;
    d.magnetHeight = 25;
    d.magnetDiameter = 87;
    d.magnetWeight = 0.38;
    d.magnetAssemblyWeight = 9;
    d.netWeight = 1;
    d.infoDate = "June, 2001";
    d.retailPrice = "$49.95";
    return d;
}

} // namespace cw
