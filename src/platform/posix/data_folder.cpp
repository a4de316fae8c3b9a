#include "platform/data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace tarvo::platform {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::filesystem::path HomeFolder() {
  std::string home = Variable("HOME");
  if (home.empty()) {
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) home = user->pw_dir;
  }
  return home;
}

}  // namespace

DataFolderFacts SystemDataFolderFacts(std::optional<std::filesystem::path> dirOption,
                                      const std::filesystem::path& programFolder) {
  std::error_code error;
  DataFolderFacts facts;
  facts.DirOption = std::move(dirOption);
  facts.ProgramFolder = programFolder;
  facts.ProgramFolderHoldsDefinition = std::filesystem::exists(programFolder / "usrprobe.dat", error);
  facts.ProgramFolderWritable = access(programFolder.c_str(), W_OK) == 0;
  AddPosixSharedFolders(facts, TARVO_INSTALL_BINDIR);
  facts.UserDataFolder = PosixUserDataFolder(Variable("XDG_DATA_HOME"), HomeFolder());
  return facts;
}

}  // namespace tarvo::platform
