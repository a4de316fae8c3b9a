#pragma once

#include <QFileSystemWatcher>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "library/library_file.h"
#include "ui/assembly_pane.h"
#include "ui/preview.h"

namespace tarvo::ui {

// The tool library: the tools of usrprobe.dat in a sortable table as
// `tarvo-library list` shows them, problems and duplicate names marked; the
// selected tool's block and its 3D shape; Edit, Remove, Copy and its data
// sheet. Beside the tools, the assemblies of the tools. It reads the files
// again whenever they change on disk.
class LibraryWindow final : public QWidget {
  Q_OBJECT

 public:
  using PreviewFactory = std::function<Preview(QWidget* parent)>;

  LibraryWindow(std::filesystem::path directory, const PreviewFactory& makePreview,
                QWidget* parent = nullptr);

  // Reads usrprobe.dat again, keeping the selected tool where it still is.
  void Reload();

  const library::Library& Tools() const { return library_; }
  // The selected tool, or none.
  const library::Tool* Selected() const;
  // Selects the tool at this position (1-based) of the file.
  void Select(int position);

  QTableWidget* Table() const { return table_; }
  QPushButton* EditButton() const { return edit_; }
  QPushButton* RemoveButton() const { return remove_; }
  QPushButton* CopyButton() const { return copy_; }
  QPushButton* SheetButton() const { return sheet_; }
  // The count of tools, or for a few seconds what the last action did.
  QLabel* StatusText() const { return status_; }
  QPlainTextEdit* BlockText() const { return block_; }
  // The tools and the assemblies, each on its tab.
  QTabWidget* Tabs() const { return tabs_; }
  AssemblyPane* Assemblies() const { return assemblies_; }

 signals:
  // The user asks to edit the tool at this position (1-based) of the file.
  void editRequested(int position);
  // The user asks to write an assembly as one tool.
  void writeRequested(const QString& name, const library::OneToolScript& script);

 private:
  void Fill();
  void ShowSelected();
  void RemoveSelected();
  void Watch();
  // Says what an action did, until the timer or the next selection ends it.
  void ShowNotice(const QString& text);
  void ShowCount();

  std::filesystem::path directory_;
  library::Library library_;
  QTableWidget* table_;
  QPlainTextEdit* block_;
  QLabel* status_;
  QString count_;
  QTimer notice_;
  Preview shape_;
  QPushButton* edit_;
  QPushButton* remove_;
  QPushButton* copy_;
  QPushButton* sheet_;
  QFileSystemWatcher watcher_;
  QTemporaryDir sceneFolder_;
  QTabWidget* tabs_;
  AssemblyPane* assemblies_;
};

}  // namespace tarvo::ui
