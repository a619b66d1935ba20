#pragma once
// The standard formulas the performance analysis is built from, one each.
#include <optional>
#include <vector>

#include "analysis/turbine_settings.h"

namespace tamsel {

inline constexpr double kHoursPerYear = 8760;

// kg/m³ from the site's altitude (m) and mean temperature (°C): the
// standard atmosphere's pressure at that height over the dry-air gas
// constant times the absolute temperature (1.2250 at 0 m and 15 °C).
double airDensity(double altitude, double temperature);

// The Rayleigh distribution's share of the time the wind is below `wind`
// when it averages `meanWind`; 0 at or below 0 m/s.
double rayleighShare(double wind, double meanWind);

// Power coefficient: the share of the wind's power through the rotor's
// swept area that comes out as `power` watts.
double powerCoefficient(double power, double wind, double density, double rotorDiameter);

// Tip-speed ratio: the blade tip's speed over the wind's, the rotor turning
// at the generator's `rpm` divided by the gear ratio.
double tipSpeedRatio(double rpm, double wind, double gearRatio, double rotorDiameter);

// What the maker's curve promises at `wind` m/s: linear between its points,
// the last point's power from there up to `cutOut`, 0 below the first point
// and above `cutOut`.
double curvePower(const std::vector<CurvePoint>& curve, double cutOut, double wind);

// A year's energy (kWh) at a Rayleigh wind of `meanWind` from points of a
// power curve rising in wind: trapezoids between the points, starting 0.5
// m/s below the first at 0 W. With `cutOut`, the last point's power is held
// from its wind up to the cut-out speed as well (nothing when the last point
// lies at or past it: the turbine stops there).
double annualEnergyKWh(const std::vector<CurvePoint>& points, double meanWind,
                       std::optional<double> cutOut);

}  // namespace tamsel
