#include "ui/probe_choice.h"

#include "platform/files.h"
#include "platform/text.h"
#include "ui/qt_text.h"

namespace tarvo::ui {

QSettings Settings() { return QSettings(QStringLiteral("TARVO Tools"), QStringLiteral("tarvo-tools")); }

library::ProbeFile LoadProbeFile(const std::filesystem::path& folder, QString* problem) {
  platform::DiskFileSystem files;
  library::ProbeFile file;
  const platform::FileStatus read = library::LoadProbes(files, folder, file);
  if (problem) {
    *problem = read.IsOk() ? QString()
                           : ToQString(platform::PathText(folder / library::kProbesFile) + ": " + read.Reason);
  }
  return file;
}

ProbeChoice RememberedChoice(const std::filesystem::path& folder) {
  const QSettings settings = Settings();
  ProbeChoice choice;
  const auto material = [&](const char* key) {
    return sheet::MaterialNamed(ToUtf8(settings.value(QString::fromLatin1(key)).toString()));
  };
  choice.Materials.Stem = material("sheet/stem").value_or(sheet::Material::Steel);
  choice.Materials.Tip = material("sheet/tip");
  const QString name = settings.value(QStringLiteral("sheet/probe")).toString();
  if (name.isEmpty()) return choice;
  const library::ProbeFile probes = LoadProbeFile(folder);
  if (const sheet::ProbeProfile* probe = probes.Find(ToUtf8(name))) choice.Probe = *probe;
  return choice;
}

ProbeChoiceSignal& ProbeChoiceSignal::Instance() {
  static ProbeChoiceSignal instance;
  return instance;
}

}  // namespace tarvo::ui
