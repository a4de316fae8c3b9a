#include "ui/probes_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"
#include "platform/files.h"
#include "platform/text.h"
#include "ui/probe_choice.h"
#include "ui/qt_text.h"

namespace tarvo::ui {
namespace {

QString Figure(const std::optional<double>& value) {
  return value ? ToQString(numbers::FigureText(*value, 4)) : QStringLiteral("-");
}

// A number typed with a point or a comma; nothing for an empty field, and
// 0 (refused by the checks) for a text that is not a number.
std::optional<double> Typed(const QLineEdit& field) {
  const std::string text = ToUtf8(field.text().trimmed());
  if (text.empty() || text == "-") return std::nullopt;
  return numbers::ParseDecimal(text, text.find(',') != std::string::npos ? ',' : '.').value_or(0.0);
}

// A problem of the core's ("a probe named X is already there") as a sentence.
void Warn(QWidget* parent, QString text) {
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
  QMessageBox box(QMessageBox::Warning, QObject::tr("Probes"), text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

ProbesDialog::ProbesDialog(std::filesystem::path folder, QWidget* parent)
    : QDialog(parent),
      folder_(std::move(folder)),
      table_(new QTableWidget(0, 4, this)),
      problems_(new QLabel(this)),
      add_(new QPushButton(tr("&Add\u2026"), this)),
      change_(new QPushButton(tr("&Change\u2026"), this)),
      remove_(new QPushButton(tr("&Remove"), this)) {
  setWindowTitle(tr("Probes"));
  table_->setObjectName(QStringLiteral("ProbesTable"));
  table_->setHorizontalHeaderLabels({tr("Probe"), tr("Force (N)"), tr("Max length (mm)"), tr("Max mass (g)")});
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  problems_->setTextFormat(Qt::PlainText);
  problems_->setWordWrap(true);
  auto* note = new QLabel(tr("Kept in %1: the force bends the stylus on its data sheet and in the status line; "
                             "a stylus longer (L) or heavier than a limit is marked in red.")
                              .arg(ToQString(platform::PathText(folder_ / library::kProbesFile))),
                          this);
  note->setTextFormat(Qt::PlainText);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  for (QPushButton* button : {add_, change_, remove_}) buttons->addButton(button, QDialogButtonBox::ActionRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(table_, 1);
  layout->addWidget(problems_);
  layout->addWidget(buttons);
  resize(560, 360);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(add_, &QPushButton::clicked, this, [this] { Edit(std::nullopt); });
  connect(change_, &QPushButton::clicked, this, [this] {
    if (table_->currentRow() >= 0) Edit(ToUtf8(table_->item(table_->currentRow(), 0)->text()));
  });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row) { Edit(ToUtf8(table_->item(row, 0)->text())); });
  connect(remove_, &QPushButton::clicked, this, [this] {
    if (table_->currentRow() >= 0) Remove(ToUtf8(table_->item(table_->currentRow(), 0)->text()));
  });
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    const bool chosen = readable_ && !table_->selectedItems().isEmpty();
    change_->setEnabled(chosen);
    remove_->setEnabled(chosen);
  });
  Reload();
}

void ProbesDialog::Reload() {
  QString problem;
  file_ = LoadProbeFile(folder_, &problem);
  readable_ = problem.isEmpty();
  const std::vector<sheet::ProbeProfile> probes = file_.Profiles();
  table_->setRowCount(static_cast<int>(probes.size()));
  for (int row = 0; row < static_cast<int>(probes.size()); ++row) {
    const sheet::ProbeProfile& p = probes[static_cast<std::size_t>(row)];
    const QString cells[] = {ToQString(p.Name), Figure(p.Force), Figure(p.MaxLength), Figure(p.MaxMass)};
    for (int column = 0; column < 4; ++column) table_->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  QStringList lines;
  if (!readable_) lines << tr("The probes cannot be read or changed: %1").arg(problem);
  for (const std::string& line : file_.Problems()) {
    lines << tr("%1, kept as it stands: %2").arg(ToQString(std::string(library::kProbesFile)), ToQString(line));
  }
  problems_->setText(lines.join(QLatin1Char('\n')));
  problems_->setVisible(!lines.isEmpty());
  add_->setEnabled(readable_);
  change_->setEnabled(false);
  remove_->setEnabled(false);
  if (table_->rowCount() > 0) table_->selectRow(0);
}

void ProbesDialog::Edit(std::optional<std::string> replacing) {
  if (!readable_) return;
  const sheet::ProbeProfile* held = replacing ? file_.Find(*replacing) : nullptr;
  QDialog form(this);
  form.setWindowTitle(held ? tr("Change probe") : tr("Add probe"));
  auto* name = new QLineEdit(held ? ToQString(held->Name) : QString(), &form);
  auto* force = new QLineEdit(held ? Figure(held->Force) : Figure(sheet::kDefaultForce), &form);
  auto* length = new QLineEdit(held && held->MaxLength ? Figure(held->MaxLength) : QString(), &form);
  auto* mass = new QLineEdit(held && held->MaxMass ? Figure(held->MaxMass) : QString(), &form);
  name->setObjectName(QStringLiteral("ProbeName"));
  force->setObjectName(QStringLiteral("ProbeForce"));
  length->setObjectName(QStringLiteral("ProbeLength"));
  mass->setObjectName(QStringLiteral("ProbeMass"));
  length->setPlaceholderText(tr("no limit"));
  mass->setPlaceholderText(tr("no limit"));
  auto* fields = new QFormLayout(&form);
  fields->addRow(tr("&Name:"), name);
  fields->addRow(tr("&Force (N):"), force);
  fields->addRow(tr("Max &length (mm):"), length);
  fields->addRow(tr("Max &mass (g):"), mass);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
  fields->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, &form, [&] {
    sheet::ProbeProfile probe{ToUtf8(name->text()), Typed(*force).value_or(0.0), Typed(*length), Typed(*mass)};
    if (const std::optional<std::string> problem = library::ProbeProblem(file_, probe, replacing)) {
      Warn(&form, ToQString(*problem));
      return;
    }
    if (Put(probe, replacing)) form.accept();
  });
  form.exec();
}

bool ProbesDialog::Put(const sheet::ProbeProfile& probe, std::optional<std::string> replacing) {
  if (const std::optional<std::string> problem = library::ProbeProblem(file_, probe, replacing)) {
    Warn(this, ToQString(*problem));
    return false;
  }
  library::ProbeFile changed = file_;
  library::SetProbe(changed, probe, replacing);
  return Write(std::move(changed));
}

bool ProbesDialog::Remove(const std::string& name) {
  library::ProbeFile changed = file_;
  library::RemoveProbe(changed, name);
  return Write(std::move(changed));
}

bool ProbesDialog::Write(library::ProbeFile changed) {
  platform::DiskFileSystem files;
  const platform::FileStatus written = library::SaveProbes(files, folder_, changed);
  if (!written.IsOk()) {
    Warn(this, tr("The probes were not written: %1: %2")
                   .arg(ToQString(platform::PathText(folder_ / library::kProbesFile)), ToQString(written.Reason)));
  }
  Reload();
  emit ProbeChoiceSignal::Instance().changed();
  return written.IsOk();
}

}  // namespace tarvo::ui
