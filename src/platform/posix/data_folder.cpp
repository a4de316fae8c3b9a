#include "platform/data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

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

bool CanWriteIn(const std::filesystem::path& folder) { return access(folder.c_str(), W_OK) == 0; }

void AddSystemFolders(DataFolderFacts& facts) {
  AddPosixSharedFolders(facts, TARVO_INSTALL_BINDIR);
  facts.UserDataFolder = PosixUserDataFolder(Variable("XDG_DATA_HOME"), HomeFolder());
}

}  // namespace tarvo::platform
