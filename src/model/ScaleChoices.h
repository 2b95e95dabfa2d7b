#pragma once

#include "model/CommandIds.h"

#include <span>
#include <string_view>

namespace cw
{

// One entry of a scale or frequency-limit popup: its command id, its menu text and the value the
// command stores. The document's commands and the menus read the same tables.
struct ScaleChoice {
    int id;
    std::string_view text;
    double value;
};

// dB per division: the value is the full height of the SPL plot, 15 divisions.
inline constexpr ScaleChoice kDbChoices[] = {{cmd::Db05, "0.5 dB", 7.5},
                                             {cmd::Db1, "1 dB", 15},
                                             {cmd::Db2, "2 dB", 30},
                                             {cmd::Db3, "3 dB", 45},
                                             {cmd::Db5, "5 dB", 75}};
inline constexpr ScaleChoice kExcursionChoices[] = {
    {cmd::Exc15, "1.5 mm", 1.5}, {cmd::Exc3, "3 mm", 3},    {cmd::Exc75, "7.5 mm", 7.5},
    {cmd::Exc15mm, "15 mm", 15}, {cmd::Exc30, "30 mm", 30}, {cmd::Exc75mm, "75 mm", 75}};
// Phase choices store phaseTop; the bottom follows from the top.
inline constexpr ScaleChoice kPhaseChoices[] = {
    {cmd::Phase0To450, "     0 to 450 degrees", 450},
    {cmd::PhaseMinus180To495, "-180 to 495 degrees", 495}};
inline constexpr ScaleChoice kDelayChoices[] = {
    {cmd::Delay15, "1.5 msec", 1.5}, {cmd::Delay3, "3 msec", 3},
    {cmd::Delay75, "7.5 msec", 7.5}, {cmd::Delay15ms, "15 msec", 15},
    {cmd::Delay30, "30 msec", 30},   {cmd::Delay75ms, "75 msec", 75}};
inline constexpr ScaleChoice kImpedanceChoices[] = {{cmd::Imp15, "15 Ohms", 15},
                                                    {cmd::Imp30, "30 Ohms", 30},
                                                    {cmd::Imp75, "75 Ohms", 75},
                                                    {cmd::Imp150, "150 Ohms", 150},
                                                    {cmd::Imp300, "300 Ohms", 300}};

// Frequency limits in Hz, highest first as the menus list them.
inline constexpr ScaleChoice kHighLimits[] = {
    {32851, "100 kHz", 100000}, {32852, "50 kHz", 50000}, {32853, "20 kHz", 20000},
    {32860, "10 kHz", 10000},   {32865, "5 kHz", 5000},   {32872, "2 kHz", 2000},
    {32873, "1 kHz", 1000},     {32874, "500 Hz", 500},   {32875, "200 Hz", 200},
    {32876, "100 Hz", 100},     {32877, "50 Hz", 50},     {32879, "20 Hz", 20},
    {32878, "10 Hz", 10}};
inline constexpr ScaleChoice kLowLimits[] = {
    {32884, "10 kHz", 10000}, {32883, "5 kHz", 5000}, {32882, "2 kHz", 2000},
    {32881, "1 kHz", 1000},   {32880, "500 Hz", 500}, {32813, "200 Hz", 200},
    {32814, "100 Hz", 100},   {32815, "50 Hz", 50},   {32816, "20 Hz", 20},
    {32817, "10 Hz", 10},     {32818, "5 Hz", 5},     {32822, "2 Hz", 2},
    {32833, "1 Hz", 1}};

// The choice of a table that a command id stands for, or null.
inline const ScaleChoice* FindChoice(std::span<const ScaleChoice> table, int id)
{
    for (const ScaleChoice& c : table) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

} // namespace cw
