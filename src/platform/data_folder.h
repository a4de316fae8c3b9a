#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::platform {

// What decides where the window keeps its four files.
struct DataFolderFacts {
  std::optional<std::filesystem::path> DirOption;  // the window's --dir
  std::filesystem::path ProgramFolder;
  bool ProgramFolderHoldsDefinition = false;  // usrprobe.dat is there
  bool ProgramFolderWritable = false;
  // Folders that installed programs share: these folders themselves, and
  // every folder under the trees.
  std::vector<std::filesystem::path> SharedFolders;
  std::vector<std::filesystem::path> SharedTrees;
  bool IgnoreCase = false;  // folder names compare without case (Windows)
  std::filesystem::path UserDataFolder;  // the user's own folder for the files
};

// --dir when given; otherwise the program's own folder when it already holds
// usrprobe.dat, or can be written and is no folder that installed programs
// share (root may write /usr/bin, an administrator Program Files, but their
// data goes elsewhere); otherwise the user's data folder.
std::filesystem::path ChooseDataFolder(const DataFolderFacts& facts);

// The user's data folder on POSIX: $XDG_DATA_HOME/tarvo-tools (only an
// absolute $XDG_DATA_HOME counts), else HOME/.local/share/tarvo-tools.
std::filesystem::path PosixUserDataFolder(const std::string& xdgDataHome,
                                          const std::filesystem::path& home);
// The folders installed programs share on POSIX: /bin, /usr/bin,
// /usr/local/bin and `installedPrograms` (where `cmake --install` puts the
// programs), and everything under /opt.
void AddPosixSharedFolders(DataFolderFacts& facts, const std::filesystem::path& installedPrograms);

// The user's data folder on Windows: %LOCALAPPDATA%\TARVO Tools.
std::filesystem::path WindowsUserDataFolder(const std::filesystem::path& localAppData);

// The facts as this process finds them: its environment and the program
// folder.
DataFolderFacts SystemDataFolderFacts(std::optional<std::filesystem::path> dirOption,
                                      const std::filesystem::path& programFolder);

// Each system's own part of the facts: whether this user may make files in
// the folder, and the shared folders and user's data folder of the system.
bool CanWriteIn(const std::filesystem::path& folder);
void AddSystemFolders(DataFolderFacts& facts);

// Makes the folder, with its parents, when it is missing. Returns what went
// wrong, in words for the user, or nothing when the folder is there.
std::optional<std::string> EnsureFolder(const std::filesystem::path& folder);

}  // namespace tarvo::platform
