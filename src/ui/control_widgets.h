#pragma once

#include <QButtonGroup>
#include <QWidget>
#include <array>
#include <optional>

#include "editor/controls.h"

namespace tarvo::ui {

// One widget per control of the controls table, named after its control,
// placed in its container's widget, laid out and styled. The option buttons
// form their two exclusive groups.
class ControlWidgets {
 public:
  // `window` is Form1 itself; `preview` takes the place of TasterView.
  ControlWidgets(QWidget* window, QWidget* preview);

  QWidget* Widget(editor::ControlId id) const { return widgets_[static_cast<std::size_t>(id)]; }
  // The widget of a control whose kind fixes the widget's class.
  template <typename T>
  T* As(editor::ControlId id) const {
    return static_cast<T*>(Widget(id));
  }
  // The control whose widget takes the focus as `focused`: the widget itself,
  // or the focus proxy that it hands the focus to.
  std::optional<editor::ControlId> FocusedAs(const QObject* focused) const;
  // The exclusive group of option buttons numbered `group` in the controls table.
  QButtonGroup* Group(int group) const { return groups_[static_cast<std::size_t>(group - 1)]; }

 private:
  QWidget* Create(const editor::ControlRow& control, QWidget* window, QWidget* preview);

  std::array<QWidget*, editor::kControls.size()> widgets_{};
  std::array<QButtonGroup*, 2> groups_{};
};

}  // namespace tarvo::ui
