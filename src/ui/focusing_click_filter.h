#pragma once

#include <QObject>

namespace tarvo::ui {

// The mouse click that brings the focus into a text box only focuses it: the
// box keeps the whole text that it selected on getting the focus, where the
// press would place the caret and a drag or the release would change the
// selection. Later clicks into the focused box behave as usual.
class FocusingClickFilter final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QObject* focusedByMouse_ = nullptr;  // waits for the press that focused it
  QObject* swallowing_ = nullptr;      // its focusing press is held until the release
};

}  // namespace tarvo::ui
