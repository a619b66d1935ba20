#include "analysis/turbine_formulas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tamsel {

double airDensity(double altitude, double temperature) {
  const double pressure = 101325 * std::pow(1 - 2.25577e-5 * altitude, 5.25588);
  return pressure / (287.05 * (temperature + 273.15));
}

double rayleighShare(double wind, double meanWind) {
  if (wind <= 0) return 0;
  const double ratio = wind / meanWind;
  return 1 - std::exp(-std::numbers::pi / 4 * ratio * ratio);
}

double powerCoefficient(double power, double wind, double density, double rotorDiameter) {
  const double radius = rotorDiameter / 2;
  return power / (0.5 * density * std::numbers::pi * radius * radius * wind * wind * wind);
}

double tipSpeedRatio(double rpm, double wind, double gearRatio, double rotorDiameter) {
  return (2 * std::numbers::pi * rpm / gearRatio / 60) * (rotorDiameter / 2) / wind;
}

double curvePower(const std::vector<CurvePoint>& curve, double cutOut, double wind) {
  if (curve.empty() || wind < curve.front().wind || wind > cutOut) return 0;
  if (wind >= curve.back().wind) return curve.back().watts;
  const auto above = std::upper_bound(curve.begin(), curve.end(), wind,
                                      [](double w, const CurvePoint& p) { return w < p.wind; });
  const CurvePoint& high = *above;
  const CurvePoint& low = *(above - 1);
  return low.watts + (high.watts - low.watts) * (wind - low.wind) / (high.wind - low.wind);
}

double annualEnergyKWh(const std::vector<CurvePoint>& points, double meanWind,
                       std::optional<double> cutOut) {
  if (points.empty()) return 0;
  double previousWind = points.front().wind - 0.5;
  double previousPower = 0;
  double wattHours = 0;
  for (const CurvePoint& point : points) {
    wattHours += kHoursPerYear *
                 (rayleighShare(point.wind, meanWind) - rayleighShare(previousWind, meanWind)) *
                 (previousPower + point.watts) / 2;
    previousWind = point.wind;
    previousPower = point.watts;
  }
  // Past the cut-out speed the turbine stops: nothing is held beyond it.
  if (cutOut && *cutOut > previousWind) {
    wattHours += kHoursPerYear *
                 (rayleighShare(*cutOut, meanWind) - rayleighShare(previousWind, meanWind)) *
                 previousPower;
  }
  return wattHours / 1000;
}

}  // namespace tamsel
