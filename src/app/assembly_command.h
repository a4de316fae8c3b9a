#pragma once

#include <filesystem>
#include <string>
#include <vector>

// `tarvo-library assembly ...` and `tarvo-library assemblies`: `args` are
// the words after the command. Returns the exit status.
int AssemblyCommand(const std::string& command, const std::vector<std::string>& args,
                    const std::filesystem::path& directory);
