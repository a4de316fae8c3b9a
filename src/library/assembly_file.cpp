#include "library/assembly_file.h"

#include <set>
#include "numbers/number_text.h"

namespace tarvo::library {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line = line.substr(tab + 1);
  }
}

// The assembly of one line, or why it cannot be read.
std::optional<Assembly> ReadAssembly(std::string_view line, std::string& error) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() < 2) {
    error = "no tab between the name and the parts";
    return std::nullopt;
  }
  Assembly assembly{std::string(fields[0]), {}};
  if (assembly.Name.empty()) {
    error = "the assembly has no name";
    return std::nullopt;
  }
  // "NAME<TAB>": an assembly without parts yet.
  for (std::size_t i = 1; i < fields.size() && !(fields.size() == 2 && fields[1].empty()); ++i) {
    std::string why;
    const std::optional<PartRef> part = ReadPart(fields[i], &why);
    if (!part) {
      error = "part " + numbers::IntegerText(static_cast<int>(i)) + ": " + why;
      return std::nullopt;
    }
    assembly.Parts.push_back(*part);
  }
  return assembly;
}

constexpr const char* kNameRule =
    "an assembly's name must not be empty, hold a tab or a line end, or begin with #";

bool Writable(std::string_view text) { return text.find_first_of("\t\r\n") == std::string_view::npos; }

}  // namespace

AssembliesFile AssembliesFile::Read(std::string_view bytes) {
  AssembliesFile file;
  std::set<std::string, std::less<>> names;
  int number = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    AssemblyLine line{std::string(bytes.substr(0, end)), std::nullopt};
    file.lastLineEnded_ = end != std::string_view::npos;
    bytes = file.lastLineEnded_ ? bytes.substr(end + 1) : std::string_view();
    ++number;
    std::string_view text = line.Raw;
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (!text.empty() && text[0] != '#') {
      std::string error;
      line.Read = ReadAssembly(text, error);
      if (line.Read && !names.insert(line.Read->Name).second) {
        error = "a second assembly named " + line.Read->Name;
        line.Read.reset();
      }
      if (!line.Read) file.problems_.push_back({number, error});
    }
    file.lines_.push_back(std::move(line));
  }
  return file;
}

std::string AssembliesFile::Bytes() const {
  std::string bytes;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    bytes += lines_[i].Raw;
    if (i + 1 < lines_.size() || lastLineEnded_) bytes += '\n';
  }
  return bytes;
}

std::vector<const Assembly*> AssembliesFile::Assemblies() const {
  std::vector<const Assembly*> assemblies;
  for (const AssemblyLine& line : lines_) {
    if (line.Read) assemblies.push_back(&*line.Read);
  }
  return assemblies;
}

const Assembly* AssembliesFile::Find(std::string_view name) const {
  for (const AssemblyLine& line : lines_) {
    if (line.Read && line.Read->Name == name) return &*line.Read;
  }
  return nullptr;
}

std::string AssemblyText(const Assembly& assembly) {
  std::string text = assembly.Name;
  for (const PartRef& part : assembly.Parts) text += "\t" + PartText(part);
  return assembly.Parts.empty() ? text + "\t" : text;
}

std::string AssembliesFile::Put(const Assembly& assembly) {
  if (assembly.Name.empty() || !Writable(assembly.Name) || assembly.Name[0] == '#') return kNameRule;
  for (const PartRef& part : assembly.Parts) {
    if (!Writable(part.Name) || part.Name.empty()) return "a part's name holds a tab or a line end";
  }
  for (AssemblyLine& line : lines_) {
    if (line.Read && line.Read->Name == assembly.Name) {
      line = {AssemblyText(assembly), assembly};
      return {};
    }
  }
  lines_.push_back({AssemblyText(assembly), assembly});
  lastLineEnded_ = true;
  return {};
}

bool AssembliesFile::Remove(std::string_view name) {
  for (auto line = lines_.begin(); line != lines_.end(); ++line) {
    if (line->Read && line->Read->Name == name) {
      lines_.erase(line);
      return true;
    }
  }
  return false;
}

std::string AssembliesFile::Rename(std::string_view from, const std::string& to) {
  if (Find(from) == nullptr) return "there is no assembly named " + std::string(from);
  if (from == to) return {};
  if (to.empty() || !Writable(to) || to[0] == '#') return kNameRule;
  if (Find(to) != nullptr) return "an assembly named " + to + " is already there";
  for (AssemblyLine& line : lines_) {
    if (line.Read && line.Read->Name == from) {
      line.Read->Name = to;
      line.Raw = AssemblyText(*line.Read);
    }
  }
  return {};
}

platform::FileStatus LoadAssemblies(platform::FileSystem& files, const std::filesystem::path& directory,
                                    AssembliesFile& assemblies) {
  std::string bytes;
  const platform::FileStatus read = files.Read(directory / kAssembliesFile, bytes);
  if (read.Result == platform::FileStatus::Code::Failed) return read;
  assemblies = AssembliesFile::Read(bytes);
  return platform::FileStatus::Ok();
}

platform::FileStatus SaveAssemblies(platform::FileSystem& files, const std::filesystem::path& directory,
                                    const AssembliesFile& assemblies) {
  return files.Write(directory / kAssembliesFile, assemblies.Bytes(), platform::Durability::Durable);
}

}  // namespace tarvo::library
