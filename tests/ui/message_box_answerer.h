#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>

namespace tarvo::ui::test {

// What one message box showed.
struct ShownMessage {
  QString Text;
  QString Title;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  int ButtonCount = 0;
  bool Modal = false;
  bool operator==(const ShownMessage&) const = default;
};

// Answers every message box that appears with its OK button, as a user
// would, and keeps what each box showed.
class MessageBoxAnswerer final : public QObject {
 public:
  MessageBoxAnswerer();
  ~MessageBoxAnswerer() override;

  // The boxes shown since the last call.
  QList<ShownMessage> TakeShown();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QList<ShownMessage> shown_;
};

}  // namespace tarvo::ui::test
