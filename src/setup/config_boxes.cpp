#include "setup/config_boxes.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/form_layout.h"

namespace tamsel {
namespace {

constexpr int kBoxWidthPixels = 240;

}  // namespace

ConfigBoxButtons buildConfigBoxes(QDialog& window, std::vector<ConfigBox>& boxes,
                                  const QString& note, const char* buttonsName,
                                  const char* saveName, const QString& saveCaption) {
  auto* form = new QFormLayout;
  for (ConfigBox& row : boxes) {
    row.box = named(new QLineEdit(&window), row.name, row.caption);
    row.box->setPlaceholderText(row.placeholder);
    row.box->setMinimumWidth(kBoxWidthPixels);
    form->addRow(row.caption, row.box);
  }
  auto* buttons =
      named(new QDialogButtonBox(&window), buttonsName, QStringLiteral("Save or cancel"));
  ConfigBoxButtons made;
  made.save =
      named(buttons->addButton(saveCaption, QDialogButtonBox::AcceptRole), saveName, saveCaption);
  made.cancel = named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole),
                      "CancelButton", QStringLiteral("Cancel"));
  made.save->setDefault(true);
  QObject::connect(made.cancel, &QPushButton::clicked, &window, &QDialog::reject);
  auto* layout = new QVBoxLayout(&window);
  layout->addLayout(form);
  layout->addWidget(new QLabel(note, &window));
  layout->addWidget(buttons);
  return made;
}

void setBoxText(const ConfigBox& box, const std::string& text) {
  box.box->setText(fromBytes(text));
}

std::string boxText(const ConfigBox& box) {
  return toBytes(box.box->text());
}

}  // namespace tamsel
