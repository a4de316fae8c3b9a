#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <filesystem>
#include <optional>

#include "library/probe_file.h"
#include "sheet/materials.h"

namespace tarvo::ui {

// The program's settings, where the data sheet's choices are kept.
QSettings Settings();

// probes.txt of the data folder; `problem` says why it cannot be read (a
// missing file holds no probe and is no problem).
library::ProbeFile LoadProbeFile(const std::filesystem::path& folder, QString* problem = nullptr);

// The probe and the materials last chosen in a data sheet dialog, as the
// settings keep them ("sheet/probe" by its name, "sheet/stem", "sheet/tip");
// no probe when none is chosen or probes.txt no longer holds it.
struct ProbeChoice {
  sheet::MaterialChoice Materials;
  std::optional<sheet::ProbeProfile> Probe;
};
ProbeChoice RememberedChoice(const std::filesystem::path& folder);

// Says when the probes or the choice change, so that the status line follows.
class ProbeChoiceSignal final : public QObject {
  Q_OBJECT

 public:
  static ProbeChoiceSignal& Instance();

 signals:
  void changed();
};

}  // namespace tarvo::ui
