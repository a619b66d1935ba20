#include "app/configuration.h"

#include <utility>
#include <vector>

#include "platform/tag_reader.h"

namespace tamsel {
namespace {

template <class Values, class Keys>
KeysRead readInOrder(std::string_view text, Values& values, const Keys& keys) {
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

KeysRead readProgramValues(std::string_view text, ProgramConfig& values) {
  static const auto keys = [] {
    static constexpr std::string_view order[] = {
        "Port",     "BR",    "MR",         "MP",        "Savehtml", "SaveExcel",
        "LogDelay", "LogOn", "DisplayRPM", "DisplayWS", "WSUnits",  "dispMessages"};
    std::vector<std::pair<const char*, std::string ProgramConfig::*>> inOrder;
    for (std::string_view name : order) {
      for (const ProgramConfigKey& key : programConfigKeys()) {
        if (key.name == name) inOrder.emplace_back(key.name.data(), key.value);
      }
    }
    return inOrder;
  }();
  return readInOrder(text, values, keys);
}

KeysRead readCalibration(std::string_view text, Calibration& calibration) {
  using C = Calibration;
  static const std::pair<const char*, std::string C::*> keys[] = {{"VoltDivider", &C::VoltDivider},
                                                                  {"VoltOffset", &C::VoltOffset},
                                                                  {"AmpDivider", &C::AmpDivider},
                                                                  {"RPMDivider", &C::RPMDivider},
                                                                  {"WSDivider", &C::WSDivider}};
  return readInOrder(text, calibration, keys);
}

}  // namespace tamsel
