#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <optional>

#include "library/probe_file.h"

namespace tarvo::ui {

// File → Probes…: the probes of probes.txt in the data folder, each with its
// force and limits, to add, change and remove. Every change writes the file
// whole; a line of it that cannot be read is listed below the table and kept.
class ProbesDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit ProbesDialog(std::filesystem::path folder, QWidget* parent = nullptr);

  QTableWidget* Table() const { return table_; }
  QLabel* Problems() const { return problems_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* ChangeButton() const { return change_; }
  QPushButton* RemoveButton() const { return remove_; }

  // What Add… and Change… do once their form is accepted, and Remove: true
  // when the file was written; otherwise a message says why and nothing changed.
  bool Put(const sheet::ProbeProfile& probe, std::optional<std::string> replacing);
  bool Remove(const std::string& name);

 private:
  void Reload();
  void Edit(std::optional<std::string> replacing);
  bool Write(library::ProbeFile changed);

  std::filesystem::path folder_;
  library::ProbeFile file_;
  bool readable_ = true;
  QTableWidget* table_;
  QLabel* problems_;
  QPushButton* add_;
  QPushButton* change_;
  QPushButton* remove_;
};

}  // namespace tarvo::ui
