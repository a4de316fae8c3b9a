#pragma once

#include <QString>
#include <QWidget>

namespace tarvo::ui {

// Asks where to save a file: a dialog that opens in `folder` with `name`
// suggested, and adds `suffix` to a name typed without one. Empty when the
// user cancels.
QString AskSavePath(QWidget* parent, const QString& caption, const QString& folder,
                    const QString& name, const QString& filter, const QString& suffix);

}  // namespace tarvo::ui
