#include "ui/status_line_label.h"

#include <QStatusBar>

#include "editor/status_line.h"
#include "ui/desktop_actions.h"
#include "ui/main_window.h"
#include "ui/probe_choice.h"
#include "ui/qt_text.h"

namespace tarvo::ui {

StatusLineLabel::StatusLineLabel(MainWindow& window)
    : QLabel(&window), window_(window), limits_(new QLabel(&window)), commands_(window.Form().Editor().Commands()) {
  setObjectName(QStringLiteral("StatusLine"));
  limits_->setObjectName(QStringLiteral("LimitNotice"));
  limits_->setTextFormat(Qt::PlainText);
  limits_->setStyleSheet(QStringLiteral("color: red"));
  limits_->hide();
  window.statusBar()->addPermanentWidget(limits_);
  // The line never widens the window: it is cut to the room it has.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  setTextFormat(Qt::PlainText);
  // A permanent widget over the whole bar: the bar's own message text has no
  // room and shows here instead, beside the counts.
  window.statusBar()->addPermanentWidget(this, 1);
  window.statusBar()->setSizeGripEnabled(false);
  connect(window.statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    passing_ = message;
    log_.Add(ToUtf8(message));
    Update();
  });
  connect(&window.Form(), &Form1::commandRun, this, &StatusLineLabel::Update);
  connect(&window, &MainWindow::previewNoteChanged, this, &StatusLineLabel::Update);
  // The probe and materials chosen last follow into the status line.
  const auto choose = [&window] {
    const ProbeChoice choice = RememberedChoice(window.Form().Editor().Scene().DefinitionPath().parent_path());
    window.Form().ChooseProbe(choice.Materials, choice.Probe);
  };
  connect(&ProbeChoiceSignal::Instance(), &ProbeChoiceSignal::changed, this, choose);
  choose();
  Update();
}

void StatusLineLabel::Update() {
  const editor::Editor& editor = window_.Form().Editor();
  if (editor.Commands() != commands_) {  // not typing nor a focus change
    commands_ = editor.Commands();
    window_.statusBar()->clearMessage();
    if (const auto notice = editor::ExportNotice(editor)) ShowNotice(window_, *notice);
  }
  parts_ = editor::StatusPartsOf(editor, false);
  const std::optional<std::string> limit = editor::LimitNotice(editor);
  limitText_ = limit ? ToQString(*limit) : QString();
  limits_->setVisible(limit.has_value());
  // In a folder that cannot be written the preview's trouble is no news.
  if (!window_.PreviewNote().isEmpty() && !editor.UnwritableFolder()) {
    parts_.Notices.insert(parts_.Notices.begin(), ToUtf8(window_.PreviewNote()));
  }
  std::vector<std::string> standing = parts_.Notices;
  if (limit) standing.push_back(*limit);
  log_.Standing(standing);
  if (!passing_.isEmpty()) parts_.Notices.insert(parts_.Notices.begin(), ToUtf8(passing_));
  setToolTip(limit ? limitText_ + QStringLiteral(" | ") + ToQString(parts_.Whole()) : ToQString(parts_.Whole()));
  limits_->setToolTip(limitText_);
  Fit();
}

void StatusLineLabel::Fit() {
  const QFontMetrics metrics = fontMetrics();
  const editor::TextMeasure measure = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  };
  // The red limit takes at most a third of the bar, so that the counts show.
  const int bar = window_.statusBar()->width();
  limits_->setText(metrics.elidedText(limitText_, Qt::ElideRight, bar / 3));
  setText(ToQString(editor::FitStatusLine(parts_, contentsRect().width() - 2 * margin() - 4, measure)));
}

void StatusLineLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

}  // namespace tarvo::ui
