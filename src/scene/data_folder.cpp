#include "scene/data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace tarvo::scene {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool IsSystemProgramFolder(const std::filesystem::path& folder, const std::filesystem::path& installed) {
  const std::filesystem::path plain = folder.lexically_normal();
  for (const std::filesystem::path& system :
       {std::filesystem::path("/bin"), {"/usr/bin"}, {"/usr/local/bin"}, {"/opt"}, installed}) {
    const std::filesystem::path under = plain.lexically_relative(system.lexically_normal());
    if (under == "." || (system == "/opt" && !under.empty() && *under.begin() != "..")) return true;
  }
  return false;
}

std::filesystem::path HomeFolder() {
  std::string home = Variable("HOME");
  if (home.empty()) {
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) home = user->pw_dir;
  }
  return home;
}

}  // namespace

std::filesystem::path ChooseDataFolder(const DataFolderFacts& facts) {
  if (facts.DirOption) return *facts.DirOption;
  if (facts.ProgramFolderHoldsDefinition ||
      (facts.ProgramFolderWritable && !IsSystemProgramFolder(facts.ProgramFolder, facts.InstalledPrograms))) {
    return facts.ProgramFolder;
  }
  const std::filesystem::path xdg = facts.XdgDataHome;
  const std::filesystem::path dataHome =
      xdg.is_absolute() ? xdg : facts.Home / ".local" / "share";
  return dataHome / "tarvo-tools";
}

DataFolderFacts SystemDataFolderFacts(std::optional<std::filesystem::path> dirOption,
                                      const std::filesystem::path& programFolder) {
  std::error_code error;
  return {std::move(dirOption),
          programFolder,
          std::filesystem::exists(programFolder / "usrprobe.dat", error),
          access(programFolder.c_str(), W_OK) == 0,
          TARVO_INSTALL_BINDIR,
          Variable("XDG_DATA_HOME"),
          HomeFolder()};
}

std::optional<std::string> EnsureFolder(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return std::nullopt;
  std::filesystem::create_directories(folder, error);
  if (error) return "Cannot create the folder " + folder.string() + ": " + error.message();
  if (!std::filesystem::is_directory(folder, error)) return "Not a folder: " + folder.string();
  return std::nullopt;
}

}  // namespace tarvo::scene
