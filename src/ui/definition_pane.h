#pragma once

#include <QPlainTextEdit>

namespace tarvo::ui {

// The definition pane RTB_Tool: shows the tool definition with both scroll
// bars, can be scrolled and selected with the mouse, and cancels every key it
// receives, so typing changes nothing. Tab and Shift+Tab still move the focus on.
class DefinitionPane final : public QPlainTextEdit {
 public:
  explicit DefinitionPane(QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
};

}  // namespace tarvo::ui
