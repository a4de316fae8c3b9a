#include "platform/data_folder.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/text.h"

namespace tarvo::platform {
namespace {

namespace fs = std::filesystem;

// The folder's name in one spelling: normalised, '/' between its parts, no
// '/' at its end, and in lower case where case does not count.
std::string Spelling(const fs::path& folder, bool ignoreCase) {
  std::string text = PathText(folder.lexically_normal());
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  if (ignoreCase) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  }
  return text;
}

bool IsSharedProgramFolder(const DataFolderFacts& facts) {
  const std::string folder = Spelling(facts.ProgramFolder, facts.IgnoreCase);
  for (const fs::path& shared : facts.SharedFolders) {
    if (!shared.empty() && folder == Spelling(shared, facts.IgnoreCase)) return true;
  }
  for (const fs::path& tree : facts.SharedTrees) {
    const std::string top = Spelling(tree, facts.IgnoreCase);
    if (!tree.empty() && (folder == top || folder.starts_with(top + "/"))) return true;
  }
  return false;
}

}  // namespace

fs::path ChooseDataFolder(const DataFolderFacts& facts) {
  if (facts.DirOption) return *facts.DirOption;
  if (facts.ProgramFolderHoldsDefinition ||
      (facts.ProgramFolderWritable && !IsSharedProgramFolder(facts))) {
    return facts.ProgramFolder;
  }
  return facts.UserDataFolder;
}

DataFolderFacts SystemDataFolderFacts(std::optional<fs::path> dirOption, const fs::path& programFolder) {
  std::error_code error;
  DataFolderFacts facts;
  facts.DirOption = std::move(dirOption);
  facts.ProgramFolder = programFolder;
  facts.ProgramFolderHoldsDefinition = fs::exists(programFolder / "usrprobe.dat", error);
  facts.ProgramFolderWritable = CanWriteIn(programFolder);
  AddSystemFolders(facts);
  return facts;
}

fs::path PosixUserDataFolder(const std::string& xdgDataHome, const fs::path& home) {
  // Absolute as POSIX sees it, whichever system this runs on.
  const fs::path dataHome = xdgDataHome.starts_with('/') ? fs::path(xdgDataHome) : home / ".local" / "share";
  return dataHome / "tarvo-tools";
}

void AddPosixSharedFolders(DataFolderFacts& facts, const fs::path& installedPrograms) {
  facts.SharedFolders = {"/bin", "/usr/bin", "/usr/local/bin", installedPrograms};
  facts.SharedTrees = {"/opt"};
}

fs::path WindowsUserDataFolder(const fs::path& localAppData) { return localAppData / "TARVO Tools"; }

std::optional<std::string> EnsureFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return std::nullopt;
  fs::create_directories(folder, error);
  if (error) return "Cannot create the folder " + PathText(folder) + ": " + error.message();
  if (!fs::is_directory(folder, error)) return "Not a folder: " + PathText(folder);
  return std::nullopt;
}

}  // namespace tarvo::platform
