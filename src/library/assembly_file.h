#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/assembly.h"
#include "library/library_file.h"
#include "platform/files.h"

namespace tarvo::library {

// The saved assemblies: assemblies.txt in the data folder, plain UTF-8, one
// assembly a line, "NAME<TAB>PART<TAB>PART..." (PART as ReadPart reads it;
// "NAME<TAB>" for one without parts yet).
// Empty lines and lines that begin with '#' are notes. A line that cannot be
// read is reported with its number and kept as it was.
inline constexpr std::string_view kAssembliesFile = "assemblies.txt";

struct AssemblyLine {
  std::string Raw;                // the line's bytes without its LF
  std::optional<Assembly> Read;   // nothing for a note or a damaged line
};

class AssembliesFile {
 public:
  static AssembliesFile Read(std::string_view bytes);

  // The file's bytes: every line as it was read unless changed since.
  std::string Bytes() const;
  const std::vector<Problem>& Problems() const { return problems_; }
  std::vector<const Assembly*> Assemblies() const;
  const Assembly* Find(std::string_view name) const;

  // Replaces the assembly of that name in its line, or appends it. The
  // reason when its name or a part cannot be written on one line.
  std::string Put(const Assembly& assembly);
  bool Remove(std::string_view name);
  // The reason when `to` cannot be used; nothing changes then.
  std::string Rename(std::string_view from, const std::string& to);

 private:
  std::vector<AssemblyLine> lines_;
  bool lastLineEnded_ = true;
  std::vector<Problem> problems_;
};

// The line of an assembly: "NAME<TAB>PART<TAB>PART...", "NAME<TAB>" without parts.
std::string AssemblyText(const Assembly& assembly);

// A missing file holds no assembly.
platform::FileStatus LoadAssemblies(platform::FileSystem& files, const std::filesystem::path& directory,
                                    AssembliesFile& assemblies);
// Written whole and durable, as usrprobe.dat is.
platform::FileStatus SaveAssemblies(platform::FileSystem& files, const std::filesystem::path& directory,
                                    const AssembliesFile& assemblies);

}  // namespace tarvo::library
