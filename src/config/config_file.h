#pragma once
// The one shape both configuration files share: a heading, then one
// "<Key>value</Key>" line per key, every value kept as the text it was stored
// as. A file is described by its key table; reading (strict or lenient) and
// writing are the same few operations over any table.
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/tag_reader.h"
#include "platform/text_file.h"

namespace tamsel {

template <class Model>
struct ConfigKey {
  std::string_view name;
  std::string Model::*value;
};

template <class Model>
using KeyTable = std::vector<ConfigKey<Model>>;

// How a file's text is laid out around its key lines.
struct ConfigLayout {
  std::string_view heading;
  int emptyLinesAfterHeading;
  int emptyLinesAfterKeys;
};

// What a strict read got through: the keys read, in order, before the first
// one that could not be read, which `status` names.
struct KeysRead {
  std::vector<std::string_view> keys;
  Status status;
  bool has(std::string_view key) const;
};

// Strict: the keys in the table's order, each by the tag rule, stopping at
// the first that cannot be read; the values read before it are set, the
// later ones keep what they held.
template <class Model>
KeysRead readKeysStrict(std::string_view text, const KeyTable<Model>& keys, Model& model) {
  KeysRead read;
  for (const ConfigKey<Model>& key : keys) {
    std::optional<std::string> value = readTag(text, key.name);
    if (!value) {
      read.status = Status::failure("the key " + std::string(key.name) + " cannot be read");
      return read;
    }
    model.*key.value = std::move(*value);
    read.keys.push_back(key.name);
  }
  return read;
}

// Lenient: every key that can be read replaces its value in `fallback`; the
// others keep the fallback's.
template <class Model>
Model readKeysLenient(std::string_view text, const KeyTable<Model>& keys, Model fallback) {
  for (const ConfigKey<Model>& key : keys) {
    if (std::optional<std::string> value = readTag(text, key.name)) {
      fallback.*key.value = std::move(*value);
    }
  }
  return fallback;
}

std::string configLines(const ConfigLayout& layout, const std::vector<std::string>& keyLines);

// The whole file, every line ended by CR LF.
template <class Model>
std::string configText(const ConfigLayout& layout, const KeyTable<Model>& keys,
                       const Model& model) {
  std::vector<std::string> lines;
  for (const ConfigKey<Model>& key : keys) {
    lines.push_back("<" + std::string(key.name) + ">" + model.*key.value + "</" +
                    std::string(key.name) + ">");
  }
  return configLines(layout, lines);
}

}  // namespace tamsel
