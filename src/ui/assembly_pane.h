#pragma once

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <string>

#include "library/assembly.h"
#include "library/assembly_file.h"
#include "library/assembly_tool.h"
#include "library/probe_file.h"
#include "ui/preview.h"

namespace tarvo::ui {

// The library window's assemblies: the saved ones with New, Rename and
// Remove; the chosen one's parts (add a tool, move it up or down, remove it,
// its stem material) and tip material; its figures, connection notices and
// missing parts; the preview of the whole stack; its data sheet, STL, and
// Write as one tool. Every change of the parts is saved to assemblies.txt.
class AssemblyPane final : public QWidget {
  Q_OBJECT

 public:
  AssemblyPane(std::filesystem::path directory, Preview preview, QWidget* parent = nullptr);

  // The library's tools were read again (the pane keeps no copy of them).
  void SetLibrary(const library::Library& library);
  // Reads assemblies.txt again, keeping the chosen assembly.
  void Reload();

  // What the buttons do once their dialogs are answered; the reason when
  // nothing changed.
  QString NewAssembly(const QString& name);
  QString RenameAssembly(const QString& name);
  QString RemoveAssembly();
  // Adds the tool at this position (1-based) of usrprobe.dat at the end.
  QString AddPart(int position);
  QString MovePart(int by);  // -1 up, +1 down
  QString RemovePart();
  QString SetStem(int part, sheet::Material material);
  // The chosen assembly's one tool named `name`, or why there is none.
  library::OneToolScript OneTool(const QString& name) const;

  const library::Assembly* Chosen() const;
  const library::Stack& CurrentStack() const { return stack_; }
  QListWidget* List() const { return list_; }
  QTableWidget* Parts() const { return parts_; }
  QComboBox* ToolChoice() const { return toolChoice_; }
  QComboBox* TipMaterial() const { return tip_; }
  // The probe whose force and limits the figures take: probes.txt's, or none.
  QComboBox* ProbeChoice() const { return probe_; }
  QPlainTextEdit* FigureText() const { return figures_; }
  QLabel* Notice() const { return notice_; }
  // Says what an action did, below the file's problems.
  void SetDone(const QString& text);
  QPushButton* WriteButton() const { return write_; }

 signals:
  // The user asks to write the chosen assembly as one tool.
  void writeRequested(const QString& name, const library::OneToolScript& script);

 private:
  QString Change(const library::Assembly& changed);
  // Shows the file's problems and, after them, what the last action did.
  void ShowNotice();
  void FillList(const QString& chosen);
  void ShowChosen();
  std::optional<sheet::ProbeProfile> ChosenProbe() const;
  sheet::ToolFigures Figures() const;
  void SaveSheet();
  void SaveStl();
  void AskToWrite();

  std::filesystem::path directory_;
  const library::Library* library_ = nullptr;
  library::AssembliesFile file_;
  QStringList problems_;
  QString done_;
  library::Stack stack_;
  QListWidget* list_;
  QTableWidget* parts_;
  QComboBox* toolChoice_;
  QComboBox* tip_;
  QComboBox* probe_;
  library::ProbeFile probes_;
  QPlainTextEdit* figures_;
  QLabel* notice_;
  Preview preview_;
  QPushButton* write_;
  QList<QPushButton*> needChosen_;  // enabled with a chosen assembly
  QList<QPushButton*> needWhole_;   // enabled with a whole stack
  QTemporaryDir sceneFolder_;
};

}  // namespace tarvo::ui
