#include "ui/library_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <fstream>

#include "definition/code_page.h"
#include "editor/status_line.h"
#include "library/library_changes.h"
#include "library/tool_scene.h"
#include "library/tool_script.h"
#include "numbers/number_text.h"
#include "platform/files.h"
#include "ui/desktop_actions.h"
#include "ui/sheet_dialog.h"

namespace tarvo::ui {
namespace {

enum Column { kPosition, kName, kConnection, kKind, kElements, kLength, kTip, kProblems, kColumns };

QString FromFile(std::string_view bytes) { return QString::fromStdString(definition::FromWindows1252(bytes)); }

QTableWidgetItem* Item(const QVariant& value) {
  auto* item = new QTableWidgetItem;
  item->setData(Qt::DisplayRole, value);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

}  // namespace

LibraryWindow::LibraryWindow(std::filesystem::path directory, const PreviewFactory& makePreview,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      directory_(std::move(directory)),
      table_(new QTableWidget(0, kColumns, this)),
      block_(new QPlainTextEdit(this)),
      status_(new QLabel(this)),
      shape_(makePreview(this)),
      edit_(new QPushButton(tr("&Edit"), this)),
      remove_(new QPushButton(tr("&Remove"), this)),
      copy_(new QPushButton(tr("&Copy"), this)),
      sheet_(new QPushButton(tr("Data &sheet\u2026"), this)),
      tabs_(new QTabWidget(this)),
      assemblies_(new AssemblyPane(directory_, makePreview(this), this)) {
  setWindowTitle(tr("Tool library: %1").arg(QString::fromStdString((directory_ / "usrprobe.dat").string())));
  table_->setHorizontalHeaderLabels({tr("#"), tr("Name"), tr("Type"), tr("Kind"), tr("Elements"),
                                     tr("Length"), tr("Tip"), tr("Problems")});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  block_->setReadOnly(true);
  block_->setLineWrapMode(QPlainTextEdit::NoWrap);
  block_->setFont(QFont("monospace"));

  auto* details = new QSplitter(Qt::Horizontal, this);
  details->addWidget(block_);
  details->addWidget(shape_.Widget);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(table_);
  split->addWidget(details);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  for (QPushButton* button : {edit_, remove_, copy_, sheet_}) buttons->addWidget(button);
  auto* tools = new QWidget(this);
  auto* toolsLayout = new QVBoxLayout(tools);
  toolsLayout->addWidget(split, 1);
  toolsLayout->addLayout(buttons);
  tabs_->addTab(tools, tr("&Tools"));
  tabs_->addTab(assemblies_, tr("&Assemblies"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_);
  resize(900, 700);
  connect(assemblies_, &AssemblyPane::writeRequested, this, &LibraryWindow::writeRequested);

  table_->sortByColumn(kPosition, Qt::AscendingOrder);
  connect(table_, &QTableWidget::itemSelectionChanged, this, &LibraryWindow::ShowSelected);
  connect(copy_, &QPushButton::clicked, this, [this] {
    const library::Tool* tool = Selected();
    if (tool == nullptr) return;
    QApplication::clipboard()->setText(FromFile(library_.Block(*tool)));
    ShowNotice(QString::fromStdString(editor::CopiedToolNotice(tool->Name)));
  });
  notice_.setSingleShot(true);
  notice_.setInterval(kNoticeMilliseconds);
  connect(&notice_, &QTimer::timeout, this, &LibraryWindow::ShowCount);
  connect(remove_, &QPushButton::clicked, this, &LibraryWindow::RemoveSelected);
  connect(edit_, &QPushButton::clicked, this, [this] {
    if (const library::Tool* tool = Selected()) emit editRequested(tool->Position);
  });
  connect(sheet_, &QPushButton::clicked, this, [this] {
    const library::Tool* tool = Selected();
    if (tool == nullptr) return;
    auto* dialog = new SheetDialog(std::string(library_.Block(*tool)), tool->Position,
                                   static_cast<int>(library_.Tools.size()),
                                   QString::fromStdString(directory_.string()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
  });
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LibraryWindow::Reload);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &LibraryWindow::Reload);
  Reload();
}

void LibraryWindow::Reload() {
  const library::Tool* selected = Selected();
  const int position = selected != nullptr ? selected->Position : 0;
  platform::DiskFileSystem files;
  const platform::FileStatus read = library::LoadLibrary(files, directory_, library_);
  count_ = read.IsOk() ? tr("%n tool(s)", nullptr, static_cast<int>(library_.Tools.size()))
                       : tr("usrprobe.dat cannot be read: %1").arg(QString::fromStdString(read.Reason));
  ShowCount();
  Fill();
  Select(position);
  assemblies_->SetLibrary(library_);
  assemblies_->Reload();
  Watch();
}

void LibraryWindow::Watch() {
  const QString folder = QString::fromStdString(directory_.string());
  const QString file = QString::fromStdString((directory_ / "usrprobe.dat").string());
  if (!watcher_.directories().contains(folder)) watcher_.addPath(folder);
  // A file replaced by a rename is no longer watched: watch the new one.
  if (!watcher_.files().contains(file) && QFile::exists(file)) watcher_.addPath(file);
}

void LibraryWindow::Fill() {
  const QSignalBlocker blocker(table_);
  table_->setSortingEnabled(false);
  table_->clearContents();
  table_->setRowCount(static_cast<int>(library_.Tools.size()));
  for (const library::Tool& tool : library_.Tools) {
    const int row = tool.Position - 1;
    const std::optional<double> length = tool.Length();
    QString tip = "-";
    if (const library::Element* element = tool.Tip()) {
      tip = QString(element->Type == library::ElementType::Ball ? "ball " : "disk ") +
            QString::fromStdString(numbers::SingleText(static_cast<float>(element->Diameter), '.'));
    }
    QStringList problems;
    bool duplicate = false;
    for (const library::Problem& problem : tool.Problems) {
      problems << tr("line %1: %2").arg(problem.Line).arg(QString::fromStdString(problem.Text));
      duplicate = duplicate || problem.Text.find(" is used by tool ") != std::string::npos;
    }
    // The first problem's text; all of them in the tooltip.
    QString firstProblem;
    if (!problems.isEmpty()) firstProblem = problems.front();
    if (problems.size() > 1) firstProblem += tr(" (+%n more)", nullptr, static_cast<int>(problems.size() - 1));
    const QVariant values[kColumns] = {tool.Position,
                                       FromFile(tool.Name),
                                       FromFile(tool.Connection),
                                       QString::fromStdString(std::string(library::KindWord(tool.Kind))),
                                       static_cast<int>(tool.Elements.size()),
                                       length ? QVariant(static_cast<double>(static_cast<float>(*length))) : QVariant("-"),
                                       tip,
                                       firstProblem};
    for (int column = 0; column < kColumns; ++column) {
      QTableWidgetItem* item = Item(values[column]);
      if (!problems.isEmpty()) {
        item->setBackground(QColor(255, 225, 225));
        item->setToolTip(problems.join('\n'));
      }
      if (duplicate && column == kName) item->setBackground(QColor(255, 200, 120));
      table_->setItem(row, column, item);
    }
  }
  table_->setSortingEnabled(true);
  table_->resizeColumnsToContents();
  ShowSelected();
}

const library::Tool* LibraryWindow::Selected() const {
  const QList<QTableWidgetItem*> items = table_->selectedItems();
  if (items.isEmpty()) return nullptr;
  const int position = table_->item(items.front()->row(), kPosition)->data(Qt::DisplayRole).toInt();
  if (position < 1 || position > static_cast<int>(library_.Tools.size())) return nullptr;
  return &library_.Tools[static_cast<std::size_t>(position - 1)];
}

void LibraryWindow::Select(int position) {
  for (int row = 0; row < table_->rowCount(); ++row) {
    if (table_->item(row, kPosition)->data(Qt::DisplayRole).toInt() == position) {
      table_->selectRow(row);
      return;
    }
  }
  table_->clearSelection();
}

void LibraryWindow::ShowNotice(const QString& text) {
  status_->setText(text);
  notice_.start();
}

void LibraryWindow::ShowCount() {
  notice_.stop();
  status_->setText(count_);
}

void LibraryWindow::ShowSelected() {
  ShowCount();
  const library::Tool* tool = Selected();
  for (QPushButton* button : {edit_, remove_, copy_, sheet_}) button->setEnabled(tool != nullptr);
  edit_->setToolTip({});
  const std::filesystem::path scene = sceneFolder_.filePath("Tool.wrl").toStdString();
  if (tool == nullptr) {
    block_->clear();
    std::ofstream(scene, std::ios::binary | std::ios::trunc) << library::ToolScene(library_, library::Tool{});
    shape_.View->Navigate(scene);
    return;
  }
  block_->setPlainText(FromFile(library_.Block(*tool)));
  const library::RebuildScript script = library::DeriveScript(library_, *tool);
  if (!script.Proven()) {
    edit_->setEnabled(false);
    edit_->setToolTip(tr("Not rebuildable: %1").arg(QString::fromStdString(script.Reason)));
  }
  std::ofstream(scene, std::ios::binary | std::ios::trunc) << library::ToolScene(library_, *tool);
  shape_.View->Navigate(scene);
}

void LibraryWindow::RemoveSelected() {
  const library::Tool* tool = Selected();
  if (tool == nullptr) return;
  const QString name = FromFile(tool->Name);
  if (QMessageBox::question(this, windowTitle(),
                            tr("Remove the tool %1 (position %2) from usrprobe.dat? Its backup "
                               "usrprobe_old.dat is written first.")
                                .arg(name)
                                .arg(tool->Position)) != QMessageBox::Yes) {
    return;
  }
  platform::DiskFileSystem files;
  const platform::BackedUpChange removed = library::RemoveTool(files, directory_, library_, *tool);
  if (!removed.Status.IsOk()) {
    const QString text = removed.Changed ? tr("The tool was removed, but usrprobe_old.dat keeps the older backup: %1: %2")
                                         : tr("The tool was not removed: %1: %2");
    QMessageBox::warning(this, windowTitle(),
                         text.arg(QString::fromStdString(removed.Status.File.string()),
                                  QString::fromStdString(removed.Status.Reason)));
  }
  Reload();
}

}  // namespace tarvo::ui
