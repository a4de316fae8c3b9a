#include "ui/assembly_pane.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <fstream>

#include "definition/code_page.h"
#include "definition/tool_names.h"
#include "library/assembly_output.h"
#include "library/tool_selection.h"
#include "numbers/number_text.h"
#include "platform/files.h"
#include "sheet/data_sheet.h"
#include "ui/qt_text.h"
#include "ui/save_dialog.h"
#include "ui/sheet_painter.h"

namespace tarvo::ui {
namespace {

QPushButton* Button(const QString& caption, QWidget* parent) { return new QPushButton(caption, parent); }

QString Reason(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

AssemblyPane::AssemblyPane(std::filesystem::path directory, Preview preview, QWidget* parent)
    : QWidget(parent),
      directory_(std::move(directory)),
      list_(new QListWidget(this)),
      parts_(new QTableWidget(0, 2, this)),
      toolChoice_(new QComboBox(this)),
      tip_(new QComboBox(this)),
      probe_(new QComboBox(this)),
      figures_(new QPlainTextEdit(this)),
      notice_(new QLabel(this)),
      preview_(preview),
      write_(Button(tr("&Write as one tool\u2026"), this)) {
  parts_->setHorizontalHeaderLabels({tr("Part, from the probe down"), tr("Stem material")});
  parts_->setSelectionBehavior(QAbstractItemView::SelectRows);
  parts_->setSelectionMode(QAbstractItemView::SingleSelection);
  parts_->verticalHeader()->hide();
  parts_->horizontalHeader()->setStretchLastSection(true);
  figures_->setReadOnly(true);
  figures_->setFont(QFont("monospace"));
  notice_->setWordWrap(true);
  tip_->addItem(tr("tip: as usual"), QString());
  for (const sheet::MaterialData& material : sheet::AllMaterials()) {
    tip_->addItem(tr("tip: %1").arg(Reason(std::string(material.Name))), Reason(std::string(material.Key)));
  }

  QPushButton* add = Button(tr("Add &part"), this);
  QPushButton* up = Button(tr("&Up"), this);
  QPushButton* down = Button(tr("&Down"), this);
  QPushButton* removePart = Button(tr("Remo&ve part"), this);
  QPushButton* create = Button(tr("&New\u2026"), this);
  QPushButton* rename = Button(tr("Rena&me\u2026"), this);
  QPushButton* remove = Button(tr("&Remove"), this);
  QPushButton* sheet = Button(tr("Data &sheet\u2026"), this);
  QPushButton* stl = Button(tr("Export ST&L\u2026"), this);
  needChosen_ = {add, up, down, removePart, rename, remove};
  needWhole_ = {sheet, stl, write_};

  auto* saved = new QWidget(this);
  auto* savedLayout = new QVBoxLayout(saved);
  savedLayout->setContentsMargins(0, 0, 0, 0);
  savedLayout->addWidget(new QLabel(tr("Saved assemblies"), saved));
  savedLayout->addWidget(list_, 1);
  auto* savedButtons = new QHBoxLayout;
  for (QPushButton* button : {create, rename, remove}) savedButtons->addWidget(button);
  savedLayout->addLayout(savedButtons);

  auto* stack = new QWidget(this);
  auto* stackLayout = new QGridLayout(stack);
  stackLayout->setContentsMargins(0, 0, 0, 0);
  stackLayout->addWidget(parts_, 0, 0, 1, 4);
  stackLayout->addWidget(toolChoice_, 1, 0, 1, 3);
  stackLayout->addWidget(add, 1, 3);
  stackLayout->addWidget(up, 2, 0);
  stackLayout->addWidget(down, 2, 1);
  stackLayout->addWidget(removePart, 2, 2);
  stackLayout->addWidget(tip_, 2, 3);
  stackLayout->addWidget(probe_, 3, 0, 1, 4);

  auto* top = new QSplitter(Qt::Horizontal, this);
  top->addWidget(saved);
  top->addWidget(stack);
  top->setStretchFactor(1, 2);
  auto* bottom = new QSplitter(Qt::Horizontal, this);
  bottom->addWidget(figures_);
  bottom->addWidget(preview_.Widget);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(top);
  split->addWidget(bottom);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(notice_, 1);
  for (QPushButton* button : {sheet, stl, write_}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split, 1);
  layout->addLayout(buttons);

  const auto report = [this](const QString& reason) {
    if (!reason.isEmpty()) QMessageBox::warning(this, window()->windowTitle(), reason);
  };
  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowChosen(); });
  connect(create, &QPushButton::clicked, this, [this, report] {
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("New assembly"), tr("Name:"), QLineEdit::Normal, {}, &ok);
    if (ok) report(NewAssembly(name));
  });
  connect(rename, &QPushButton::clicked, this, [this, report] {
    const library::Assembly* chosen = Chosen();
    if (chosen == nullptr) return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Rename assembly"), tr("Name:"), QLineEdit::Normal,
                                               Reason(chosen->Name), &ok);
    if (ok) report(RenameAssembly(name));
  });
  connect(remove, &QPushButton::clicked, this, [this, report] {
    const library::Assembly* chosen = Chosen();
    if (chosen == nullptr) return;
    if (QMessageBox::question(this, window()->windowTitle(),
                              tr("Remove the assembly %1? Its tools stay in usrprobe.dat.").arg(Reason(chosen->Name))) ==
        QMessageBox::Yes) {
      report(RemoveAssembly());
    }
  });
  connect(add, &QPushButton::clicked, this, [this, report] { report(AddPart(toolChoice_->currentData().toInt())); });
  connect(up, &QPushButton::clicked, this, [this, report] { report(MovePart(-1)); });
  connect(down, &QPushButton::clicked, this, [this, report] { report(MovePart(1)); });
  connect(removePart, &QPushButton::clicked, this, [this, report] { report(RemovePart()); });
  connect(tip_, &QComboBox::currentIndexChanged, this, [this] { ShowChosen(); });
  connect(probe_, &QComboBox::currentIndexChanged, this, [this] { ShowChosen(); });
  connect(sheet, &QPushButton::clicked, this, &AssemblyPane::SaveSheet);
  connect(stl, &QPushButton::clicked, this, &AssemblyPane::SaveStl);
  connect(write_, &QPushButton::clicked, this, &AssemblyPane::AskToWrite);
  Reload();
}

void AssemblyPane::SetLibrary(const library::Library& library) {
  library_ = &library;
  const QSignalBlocker blocker(toolChoice_);
  const int position = toolChoice_->currentData().toInt();
  toolChoice_->clear();
  for (const library::Tool& tool : library.Tools) {
    toolChoice_->addItem(tr("%1 (%2, %3)")
                             .arg(Reason(definition::FromWindows1252(tool.Name)),
                                  Reason(std::string(library::KindWord(tool.Kind))),
                                  Reason(definition::FromWindows1252(tool.Connection))),
                         tool.Position);
  }
  toolChoice_->setCurrentIndex(std::max(0, toolChoice_->findData(position)));
  ShowChosen();
}

void AssemblyPane::Reload() {
  const library::Assembly* chosen = Chosen();
  const QString name = chosen ? Reason(chosen->Name) : QString();
  platform::DiskFileSystem files;
  const platform::FileStatus read = library::LoadAssemblies(files, directory_, file_);
  problems_.clear();
  if (!read.IsOk()) problems_ << tr("assemblies.txt cannot be read: %1").arg(Reason(read.Reason));
  if (const platform::FileStatus probes = library::LoadProbes(files, directory_, probes_); !probes.IsOk()) {
    problems_ << tr("probes.txt cannot be read: %1").arg(Reason(probes.Reason));
  }
  {
    const QSignalBlocker blocker(probe_);
    const QString probe = probe_->currentData().toString();
    probe_->clear();
    probe_->addItem(tr("probe: none, %1 N").arg(Reason(numbers::FigureText(sheet::kDefaultForce, 4))), QString());
    for (const sheet::ProbeProfile& profile : probes_.Profiles()) {
      probe_->addItem(tr("probe: %1, %2 N").arg(Reason(profile.Name), Reason(numbers::FigureText(profile.Force, 4))),
                      Reason(profile.Name));
    }
    probe_->setCurrentIndex(std::max(0, probe_->findData(probe)));
  }
  for (const library::Problem& problem : file_.Problems()) {
    problems_ << tr("assemblies.txt line %1: %2 (the line is kept)").arg(problem.Line).arg(Reason(problem.Text));
  }
  ShowNotice();
  FillList(name);
}

void AssemblyPane::SetDone(const QString& text) {
  done_ = text;
  ShowNotice();
}

void AssemblyPane::ShowNotice() {
  QStringList lines = problems_;
  if (!done_.isEmpty()) lines << done_;
  notice_->setText(lines.join('\n'));
}

const library::Assembly* AssemblyPane::Chosen() const {
  const QListWidgetItem* item = list_->currentItem();
  return item ? file_.Find(item->text().toStdString()) : nullptr;
}

void AssemblyPane::FillList(const QString& chosen) {
  {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (const library::Assembly* assembly : file_.Assemblies()) list_->addItem(Reason(assembly->Name));
    const QList<QListWidgetItem*> found = list_->findItems(chosen, Qt::MatchExactly);
    list_->setCurrentItem(found.isEmpty() ? list_->item(0) : found.front());
  }
  ShowChosen();
}

// Saves the assemblies with `changed` in place; on failure nothing changes.
QString AssemblyPane::Change(const library::Assembly& changed) {
  library::AssembliesFile next = file_;
  if (const std::string refused = next.Put(changed); !refused.empty()) return Reason(refused);
  platform::DiskFileSystem files;
  if (const platform::FileStatus written = library::SaveAssemblies(files, directory_, next); !written.IsOk()) {
    return tr("The assemblies were not saved: %1").arg(Reason(written.Reason));
  }
  file_ = next;
  FillList(Reason(changed.Name));
  return {};
}

QString AssemblyPane::NewAssembly(const QString& name) {
  if (file_.Find(name.toStdString()) != nullptr) return tr("An assembly named %1 is already there.").arg(name);
  return Change({name.toStdString(), {}});
}

QString AssemblyPane::RenameAssembly(const QString& name) {
  const library::Assembly* chosen = Chosen();
  if (chosen == nullptr) return {};
  library::AssembliesFile next = file_;
  if (const std::string refused = next.Rename(chosen->Name, name.toStdString()); !refused.empty()) {
    return Reason(refused);
  }
  platform::DiskFileSystem files;
  if (const platform::FileStatus written = library::SaveAssemblies(files, directory_, next); !written.IsOk()) {
    return tr("The assemblies were not saved: %1").arg(Reason(written.Reason));
  }
  file_ = next;
  FillList(name);
  return {};
}

QString AssemblyPane::RemoveAssembly() {
  const library::Assembly* chosen = Chosen();
  if (chosen == nullptr) return {};
  library::AssembliesFile next = file_;
  next.Remove(chosen->Name);
  platform::DiskFileSystem files;
  if (const platform::FileStatus written = library::SaveAssemblies(files, directory_, next); !written.IsOk()) {
    return tr("The assemblies were not saved: %1").arg(Reason(written.Reason));
  }
  file_ = next;
  FillList({});
  return {};
}

QString AssemblyPane::AddPart(int position) {
  const library::Assembly* chosen = Chosen();
  if (chosen == nullptr || library_ == nullptr || position < 1 ||
      position > static_cast<int>(library_->Tools.size())) {
    return {};
  }
  const library::Tool& tool = library_->Tools[static_cast<std::size_t>(position - 1)];
  library::PartRef part;
  part.Name = definition::FromWindows1252(definition::NameAsRead(tool.Name));
  // By name and position only where several tools share the name.
  if (library::SelectTool(*library_, part.Name, std::nullopt).Found == nullptr) part.Position = position;
  library::Assembly changed = *chosen;
  changed.Parts.push_back(part);
  const QString reason = Change(changed);
  parts_->selectRow(parts_->rowCount() - 1);
  return reason;
}

QString AssemblyPane::MovePart(int by) {
  const library::Assembly* chosen = Chosen();
  const int row = parts_->currentRow();
  if (chosen == nullptr || row < 0 || row + by < 0 || row + by >= static_cast<int>(chosen->Parts.size())) return {};
  library::Assembly changed = *chosen;
  std::swap(changed.Parts[static_cast<std::size_t>(row)], changed.Parts[static_cast<std::size_t>(row + by)]);
  const QString reason = Change(changed);
  parts_->selectRow(row + by);
  return reason;
}

QString AssemblyPane::RemovePart() {
  const library::Assembly* chosen = Chosen();
  const int row = parts_->currentRow();
  if (chosen == nullptr || row < 0 || row >= static_cast<int>(chosen->Parts.size())) return {};
  library::Assembly changed = *chosen;
  changed.Parts.erase(changed.Parts.begin() + row);
  const QString reason = Change(changed);
  parts_->selectRow(std::min(row, parts_->rowCount() - 1));
  return reason;
}

QString AssemblyPane::SetStem(int part, sheet::Material material) {
  const library::Assembly* chosen = Chosen();
  if (chosen == nullptr || part < 0 || part >= static_cast<int>(chosen->Parts.size())) return {};
  library::Assembly changed = *chosen;
  changed.Parts[static_cast<std::size_t>(part)].Stem = material;
  changed.Parts[static_cast<std::size_t>(part)].StemGiven = material != sheet::Material::Steel;
  const QString reason = Change(changed);
  parts_->selectRow(part);
  return reason;
}

void AssemblyPane::ShowChosen() {
  const library::Assembly* chosen = Chosen();
  static const library::Library kNone;
  const library::Library& tools = library_ ? *library_ : kNone;
  stack_ = library::StackOf(tools, chosen ? chosen->Parts : std::vector<library::PartRef>{});
  const int row = parts_->currentRow();
  parts_->setRowCount(0);
  if (chosen != nullptr) {
    parts_->setRowCount(static_cast<int>(chosen->Parts.size()));
    for (int i = 0; i < parts_->rowCount(); ++i) {
      const library::PartRef& part = chosen->Parts[static_cast<std::size_t>(i)];
      std::string text = part.Name;
      if (part.Position) text += "#" + numbers::IntegerText(*part.Position);
      auto* item = new QTableWidgetItem(Reason(text));
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      if (stack_.Tools[static_cast<std::size_t>(i)] == nullptr) item->setBackground(QColor(255, 225, 225));
      parts_->setItem(i, 0, item);
      auto* stem = new QComboBox(parts_);
      for (const sheet::MaterialData& material : sheet::AllMaterials()) {
        stem->addItem(Reason(std::string(material.Name)), static_cast<int>(material.Id));
      }
      stem->setCurrentIndex(stem->findData(static_cast<int>(part.Stem)));
      connect(stem, &QComboBox::currentIndexChanged, this, [this, i, stem] {
        const QString reason = SetStem(i, static_cast<sheet::Material>(stem->currentData().toInt()));
        if (!reason.isEmpty()) QMessageBox::warning(this, window()->windowTitle(), reason);
      });
      parts_->setCellWidget(i, 1, stem);
    }
    parts_->selectRow(std::min(row, parts_->rowCount() - 1));
  }
  parts_->resizeColumnToContents(0);
  for (QPushButton* button : needChosen_) button->setEnabled(chosen != nullptr);
  for (QPushButton* button : needWhole_) button->setEnabled(stack_.IsWhole());

  std::string text;
  for (const std::string& line : stack_.Missing) text += line + "\n";
  for (const std::string& line : stack_.Refusals) text += line + "\n";
  if (stack_.IsWhole()) {
    const sheet::ToolFigures figures = Figures();
    text += sheet::FigureLines(figures) + "parts\t" + numbers::IntegerText(static_cast<int>(stack_.Tools.size())) +
            "\n" + library::ConnectionLine(stack_);
    if (const std::optional<sheet::ProbeProfile> probe = ChosenProbe()) {
      text += "limits\t" + sheet::LimitsText(figures, *probe) + "\n";
    }
  } else if (chosen != nullptr && chosen->Parts.empty()) {
    text = tr("Add the parts from the probe down: extensions first, then any one tool.").toStdString();
  }
  figures_->setPlainText(Reason(text));
  const std::filesystem::path scene = sceneFolder_.filePath("Stack.wrl").toStdString();
  std::ofstream(scene, std::ios::binary | std::ios::trunc) << library::StackScene(stack_);
  preview_.View->Navigate(scene);
}

std::optional<sheet::ProbeProfile> AssemblyPane::ChosenProbe() const {
  const sheet::ProbeProfile* probe = probes_.Find(probe_->currentData().toString().toStdString());
  if (probe == nullptr || probe_->currentIndex() == 0) return std::nullopt;
  return *probe;
}

sheet::ToolFigures AssemblyPane::Figures() const {
  const std::optional<sheet::Material> tip = sheet::MaterialNamed(tip_->currentData().toString().toStdString());
  const std::optional<sheet::ProbeProfile> probe = ChosenProbe();
  return library::StackFigures(stack_, tip, probe ? probe->Force : sheet::kDefaultForce);
}

library::OneToolScript AssemblyPane::OneTool(const QString& name) const {
  static const library::Library kNone;
  return library::ScriptOfStack(library_ ? *library_ : kNone, stack_, name.toStdString());
}

void AssemblyPane::SaveSheet() {
  const library::Assembly* chosen = Chosen();
  if (chosen == nullptr || !stack_.IsWhole()) return;
  const QString filter = SheetSvgAvailable() ? tr("PDF files (*.pdf);;SVG files (*.svg)") : tr("PDF files (*.pdf)");
  const QString file = AskSavePath(this, tr("Data sheet of the assembly"), Reason(directory_.string()),
                                   Reason(chosen->Name) + ".pdf", filter, QStringLiteral("pdf"));
  if (file.isEmpty()) return;
  const library::StackTitle title{chosen->Name, chosen->Parts, sheet::Today(), TARVO_VERSION, ChosenProbe()};
  const sheet::SheetDrawing drawing = library::StackSheet(*library_, stack_, Figures(), title);
  if (const std::optional<std::string> failed = WriteSheet(QFile::encodeName(file).toStdString(), drawing)) {
    QMessageBox::warning(this, window()->windowTitle(), tr("The data sheet was not saved: %1").arg(Reason(*failed)));
    return;
  }
  SetDone(tr("Saved %1").arg(QDir::toNativeSeparators(file)));
}

void AssemblyPane::SaveStl() {
  const library::Assembly* chosen = Chosen();
  if (chosen == nullptr || !stack_.IsWhole()) return;
  const QString file = AskSavePath(this, tr("Export STL of the assembly"), Reason(directory_.string()),
                                   Reason(chosen->Name) + ".stl", tr("STL files (*.stl)"), QStringLiteral("stl"));
  if (file.isEmpty()) return;
  platform::DiskFileSystem files;
  const mesh::StlExport written =
      library::ExportStackStl(files, QFile::encodeName(file).toStdString(), *library_, stack_, chosen->Name);
  if (!written.IsWritten()) {
    QMessageBox::warning(this, window()->windowTitle(), Reason(written.Message));
    return;
  }
  SetDone(tr("Saved %1").arg(QDir::toNativeSeparators(file)));
}

void AssemblyPane::AskToWrite() {
  const library::Assembly* chosen = Chosen();
  if (chosen == nullptr || !stack_.IsWhole()) return;
  bool ok = false;
  const QString name = QInputDialog::getText(this, tr("Write as one tool"),
                                             tr("Name of the new tool in usrprobe.dat:"), QLineEdit::Normal,
                                             Reason(chosen->Name), &ok);
  if (!ok) return;
  const library::OneToolScript script = OneTool(name);
  if (!script.Proven()) {
    QMessageBox::warning(this, window()->windowTitle(),
                         tr("The assembly is not written as one tool: %1").arg(Reason(script.Reason)));
    return;
  }
  emit writeRequested(name, script);
}

}  // namespace tarvo::ui
