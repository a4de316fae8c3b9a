#include "ui/qt_message_boxes.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QMessageBox>
#include <algorithm>
#include <vector>

#include "ui/qt_text.h"

namespace tarvo::ui {

void QtMessageBoxes::Show(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::Ok, window_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::string QtMessageBoxes::Ask(const editor::Question& question) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(question.Title), ToQString(question.Text), QMessageBox::NoButton,
                  window_);
  box.setTextFormat(Qt::PlainText);
  std::vector<QAbstractButton*> buttons;
  for (const std::string& text : question.Buttons) {
    buttons.push_back(box.addButton(ToQString(text), QMessageBox::ActionRole));
  }
  if (!buttons.empty()) box.setEscapeButton(buttons.back());
  box.exec();
  const auto clicked = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  if (clicked == buttons.end()) return question.Buttons.empty() ? std::string() : question.Buttons.back();
  return question.Buttons[static_cast<std::size_t>(clicked - buttons.begin())];
}

}  // namespace tarvo::ui
