#pragma once
// The small setup windows that edit one .cfg file (alarms, turbine) share one
// shape: a column of labelled boxes, one per key and named by it, a note, and
// a save and a cancel button. This builds it and moves values between the
// boxes and the file's model.
#include <QString>
#include <string>
#include <vector>

#include "config/config_file.h"
#include "platform/qt/latin1.h"

class QDialog;
class QLineEdit;
class QPushButton;

namespace tamsel {

struct ConfigBox {
  const char* name;  // the box's designer name, which is its key in the file
  QString caption;
  QString placeholder;
  QLineEdit* box = nullptr;
};

struct ConfigBoxButtons {
  QPushButton* save = nullptr;
  QPushButton* cancel = nullptr;  // rejects the window
};

// Lays out `boxes` (creating each box), `note` and the buttons on `window`;
// `saveName` and `saveCaption` name the save button, `buttonsName` their row.
ConfigBoxButtons buildConfigBoxes(QDialog& window, std::vector<ConfigBox>& boxes,
                                  const QString& note, const char* buttonsName,
                                  const char* saveName, const QString& saveCaption);

void setBoxText(const ConfigBox& box, const std::string& text);
std::string boxText(const ConfigBox& box);

// Each key's value into the box of its name.
template <class Model>
void showInBoxes(const std::vector<ConfigBox>& boxes, const KeyTable<Model>& keys,
                 const Model& config) {
  for (const ConfigKey<Model>& key : keys) {
    for (const ConfigBox& box : boxes) {
      if (key.name == box.name) setBoxText(box, config.*key.value);
    }
  }
}

// The model as the boxes hold it; keys without a box stay empty.
template <class Model>
Model readBoxes(const std::vector<ConfigBox>& boxes, const KeyTable<Model>& keys) {
  Model config;
  for (const ConfigKey<Model>& key : keys) {
    for (const ConfigBox& box : boxes) {
      if (key.name == box.name) config.*key.value = boxText(box);
    }
  }
  return config;
}

}  // namespace tamsel
