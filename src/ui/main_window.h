#pragma once

#include <QMainWindow>
#include <QMenu>
#include <filesystem>

#include "numbers/decimal_separator.h"
#include "ui/form1.h"
#include "ui/preview.h"

namespace tarvo::ui {

// The program's main window: the designed form Form1 with a menu bar above
// it; a larger window gives the preview the room; on a screen too small for
// the form, the form scrolls.
// The form keeps its caption, layout and behaviour; the menus only add ways
// around it. The window takes the form's caption.
class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(std::filesystem::path directory, Preview preview, numbers::LocaleQuery& locale,
             QWidget* parent = nullptr);

  // The window placed on the screen, then the form's load action (whose
  // message boxes so open over it); offset
  // as the `cascade`-th of the program's windows open at once (FitOnScreen).
  void Load(int cascade = 0);

  Form1& Form() { return *form_; }
  QMenu* FileMenu() const { return file_; }
  QMenu* ViewMenu() const { return view_; }
  QMenu* HelpMenu() const { return help_; }

  // A note on the 3D preview at the front of the status line; empty for none.
  void SetPreviewNote(const QString& note);
  const QString& PreviewNote() const { return previewNote_; }

 signals:
  void previewNoteChanged();

 private:
  void BuildFileMenu();

  Form1* form_;  // owned by the window
  QMenu* file_;
  QMenu* view_;
  QMenu* help_;
  QString previewNote_;
};

}  // namespace tarvo::ui
