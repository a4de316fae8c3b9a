#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvo::scene {

// What decides where the window keeps its four files.
struct DataFolderFacts {
  std::optional<std::filesystem::path> DirOption;  // the window's --dir
  std::filesystem::path ProgramFolder;
  bool ProgramFolderHoldsDefinition = false;  // usrprobe.dat is there
  bool ProgramFolderWritable = false;
  std::filesystem::path InstalledPrograms;  // where `cmake --install` puts the programs
  std::string XdgDataHome;  // $XDG_DATA_HOME, empty when unset
  std::filesystem::path Home;
};

// --dir when given; otherwise the program's own folder when it already holds
// usrprobe.dat, or can be written and is no folder that installed programs
// share (/bin, /usr/bin, /usr/local/bin, anything under /opt, InstalledPrograms:
// root may write /usr/bin, but keeps its data elsewhere); otherwise the user's data folder,
// $XDG_DATA_HOME/tarvo-tools (only an absolute $XDG_DATA_HOME counts), else
// ~/.local/share/tarvo-tools.
std::filesystem::path ChooseDataFolder(const DataFolderFacts& facts);

// The facts as this process finds them: its environment and the program folder.
DataFolderFacts SystemDataFolderFacts(std::optional<std::filesystem::path> dirOption,
                                      const std::filesystem::path& programFolder);

// Makes the folder, with its parents, when it is missing. Returns what went
// wrong, in words for the user, or nothing when the folder is there.
std::optional<std::string> EnsureFolder(const std::filesystem::path& folder);

}  // namespace tarvo::scene
