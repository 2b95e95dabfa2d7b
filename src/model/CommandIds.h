#pragma once

// Command ids of the project document's menu commands.
namespace cw::cmd
{

// Response switches and models
inline constexpr int FrequencyResponse = 32783;
inline constexpr int ExcursionResponse = 32786;
inline constexpr int PhaseResponse = 32784;
inline constexpr int GroupDelayResponse = 32785;
inline constexpr int ImpedanceResponse = 32787;
inline constexpr int DbSplMode = 32789;
inline constexpr int ModelEnclosure = 32973;
inline constexpr int ModelDiffraction = 32976;
inline constexpr int ModelAutoCabin = 32975;
inline constexpr int CalculateResponse = 32781;
inline constexpr int ClearAndCalculate = 32782;
inline constexpr int ClearDisplay = 32790;
inline constexpr int Redraw = 32791;

// Scales
inline constexpr int Db05 = 32885, Db1 = 32854, Db2 = 32855, Db3 = 32856, Db5 = 32886;
inline constexpr int Exc15 = 32889, Exc3 = 32858, Exc75 = 32912, Exc15mm = 32857, Exc30 = 32861,
                     Exc75mm = 32859;
inline constexpr int Phase0To450 = 32981, PhaseMinus180To495 = 32982;
inline constexpr int Delay15 = 32890, Delay3 = 32863, Delay75 = 32913, Delay15ms = 32862,
                     Delay30 = 32866, Delay75ms = 32864;
inline constexpr int Imp15 = 32867, Imp30 = 32868, Imp75 = 32869, Imp150 = 32870, Imp300 = 32871;

// Box types, in menu order
inline constexpr int Box2OCB = 32835, Box3OCB = 32836, Box4OVB = 32837, Box4OSBP = 32838,
                     Box5OABP = 32839, Box6OSBP = 32840, BoxPRB = 32841;
// The box-type commands in the order of kAllBoxTypes.
inline constexpr int kBoxTypeIds[] = {Box2OCB,  Box3OCB,  Box4OVB, Box4OSBP,
                                      Box5OABP, Box6OSBP, BoxPRB};

// Memories: Sys 1 to Sys 10 count up from these
inline constexpr int StoreSys1 = 32803;
inline constexpr int ShowSys1 = 32793;
inline constexpr int ShowWorkbench = 32966;
inline constexpr int ClearSys1 = 32902;

// Driver files
inline constexpr int OpenDriver = 32984;
inline constexpr int SaveDriver = 32985;

} // namespace cw::cmd
