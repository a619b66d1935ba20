#include "app/configuration.h"

#include <utility>

#include "platform/tag_reader.h"

namespace tamsel {
namespace {

template <class Values, size_t N>
KeysRead readInOrder(std::string_view text, Values& values,
                     const std::pair<const char*, std::string Values::*> (&keys)[N]) {
  KeysRead read;
  for (const auto& [key, member] : keys) {
    auto value = readTag(text, key);
    if (!value) {
      read.status = Status::failure(std::string("the key ") + key + " cannot be read");
      return read;
    }
    values.*member = std::move(*value);
    ++read.count;
  }
  return read;
}

}  // namespace

KeysRead readProgramValues(std::string_view text, ProgramValues& values) {
  using V = ProgramValues;
  static const std::pair<const char*, std::string V::*> keys[] = {
      {"Port", &V::Port},           {"BR", &V::BR},
      {"MR", &V::MR},               {"MP", &V::MP},
      {"Savehtml", &V::Savehtml},   {"SaveExcel", &V::SaveExcel},
      {"LogDelay", &V::LogDelay},   {"LogOn", &V::LogOn},
      {"DisplayRPM", &V::DisplayRPM}, {"DisplayWS", &V::DisplayWS},
      {"WSUnits", &V::WSUnits},     {"dispMessages", &V::dispMessages}};
  return readInOrder(text, values, keys);
}

KeysRead readCalibration(std::string_view text, Calibration& calibration) {
  using C = Calibration;
  static const std::pair<const char*, std::string C::*> keys[] = {
      {"VoltDivider", &C::VoltDivider},
      {"VoltOffset", &C::VoltOffset},
      {"AmpDivider", &C::AmpDivider},
      {"RPMDivider", &C::RPMDivider},
      {"WSDivider", &C::WSDivider}};
  return readInOrder(text, calibration, keys);
}

}  // namespace tamsel
