#include "ui/qt_message_boxes.h"

#include <QMessageBox>

#include "ui/qt_text.h"

namespace tarvo::ui {

void QtMessageBoxes::Show(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::Ok, window_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace tarvo::ui
