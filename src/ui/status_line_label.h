#pragma once

#include <QLabel>
#include <string>

#include "editor/notice_log.h"
#include "editor/status_fit.h"

namespace tarvo::ui {

class MainWindow;

// The main window's status line: the notices that stand (the preview's note
// first), the passing notice of the status bar's message, the figures and
// the folder, fitted to its width (editor::FitStatusLine); the whole text in
// its tooltip. Every notice goes into the log of Help → Last messages. A
// limit of the chosen probe that the tool passes stands before it, in red.
class StatusLineLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLineLabel(MainWindow& window);

  const editor::NoticeLog& Log() const { return log_; }
  // The parts as last shown, the passing notice first.
  const editor::StatusParts& Parts() const { return parts_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // After every command: the parts read again; a new command ends the
  // passing notice and may bring its own (EXPORT's).
  void Update();
  void Fit();

  MainWindow& window_;
  QLabel* limits_;
  QString limitText_;
  editor::NoticeLog log_;
  editor::StatusParts parts_;
  QString passing_;
  int commands_ = 0;
};

}  // namespace tarvo::ui
