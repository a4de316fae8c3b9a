#include "message_box_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <utility>

namespace tarvo::ui::test {

MessageBoxAnswerer::MessageBoxAnswerer() { qApp->installEventFilter(this); }

MessageBoxAnswerer::~MessageBoxAnswerer() { qApp->removeEventFilter(this); }

QList<ShownMessage> MessageBoxAnswerer::TakeShown() { return std::exchange(shown_, {}); }

bool MessageBoxAnswerer::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QMessageBox*>(watched);
  if (box == nullptr || event->type() != QEvent::Show) return false;
  shown_.append({box->text(), box->windowTitle(), box->icon(),
                 static_cast<int>(box->buttons().size()), box->isModal()});
  // The box is being shown on its way into its own event loop: answer from there.
  QTimer::singleShot(0, box, [box] {
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  });
  return false;
}

}  // namespace tarvo::ui::test
