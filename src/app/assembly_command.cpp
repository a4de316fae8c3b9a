// tarvo-library assembly and assemblies: the figures, sheet, STL and one
// tool of a stack of the library's tools, and the saved assemblies.
#include "assembly_command.h"

#include <cmath>
#include <iostream>
#include <optional>

#include "command_errors.h"
#include "library/assembly.h"
#include "library/assembly_file.h"
#include "library/assembly_output.h"
#include "library/assembly_tool.h"
#include "library/library_changes.h"
#include "library/probe_file.h"
#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/text.h"
#include "sheet/data_sheet.h"
#include "sheet_output.h"

namespace {

using namespace tarvo;

struct AssemblyOptions {
  std::vector<library::PartRef> Parts;
  std::optional<std::string> Name, Keep, SaveAs;
  std::optional<std::filesystem::path> Sheet, Stl;
  std::optional<sheet::Material> Tip;
  std::optional<double> Force;
  std::optional<std::string> Probe;
};

std::string FileFailure(const platform::FileStatus& status, const std::filesystem::path& file) {
  return platform::PathText(status.File.empty() ? file : status.File) + ": " + status.Reason;
}

// The saved assemblies; each line that cannot be read is reported, the
// others still count.
std::optional<library::AssembliesFile> SavedAssemblies(platform::FileSystem& files,
                                                       const std::filesystem::path& directory) {
  library::AssembliesFile saved;
  if (const platform::FileStatus read = library::LoadAssemblies(files, directory, saved); !read.IsOk()) {
    Failure(kFileFailed, FileFailure(read, directory / library::kAssembliesFile));
    return std::nullopt;
  }
  for (const library::Problem& problem : saved.Problems()) {
    std::cerr << "tarvo-library: " << library::kAssembliesFile << " line " << numbers::IntegerText(problem.Line) << ": " << problem.Text
              << "\n";
  }
  return saved;
}

int ListAssemblies(const std::filesystem::path& directory) {
  platform::DiskFileSystem files;
  const std::optional<library::AssembliesFile> saved = SavedAssemblies(files, directory);
  if (!saved) return kFileFailed;
  for (const library::Assembly* assembly : saved->Assemblies()) {
    std::cout << assembly->Name << "\t";
    for (std::size_t i = 0; i < assembly->Parts.size(); ++i) {
      std::cout << (i ? " " : "") << library::PartText(assembly->Parts[i]);
    }
    std::cout << "\n";
  }
  return saved->Problems().empty() ? kOk : kProblems;
}

// Saves the parts under `name`, replacing an assembly of that name.
int Keep(platform::FileSystem& files, const std::filesystem::path& directory, const library::Assembly& assembly) {
  std::optional<library::AssembliesFile> saved = SavedAssemblies(files, directory);
  if (!saved) return kFileFailed;
  if (const std::string refused = saved->Put(assembly); !refused.empty()) return UsageError(refused);
  if (const platform::FileStatus written = library::SaveAssemblies(files, directory, *saved); !written.IsOk()) {
    return Failure(kFileFailed, "the assembly was not saved: " +
                                    FileFailure(written, directory / library::kAssembliesFile));
  }
  return kOk;
}

int SaveAsOneTool(platform::FileSystem& files, const std::filesystem::path& directory,
                  const library::Library& library, const library::Stack& stack, const std::string& name) {
  const library::OneToolScript script = library::ScriptOfStack(library, stack, name);
  if (!script.Proven()) return Failure(kNotRebuildable, "the assembly is not written as one tool: " + script.Reason);
  const library::WrittenTool written = library::WriteOneTool(files, directory, script);
  if (!written.Notice.empty()) std::cerr << "tarvo-library: " << written.Notice << "\n";
  if (!written.Failure.empty()) return Failure(kFileFailed, written.Failure);
  return kOk;
}

}  // namespace

int AssemblyCommand(const std::string& command, const std::vector<std::string>& args,
                    const std::filesystem::path& directory) {
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) return UsageError("no directory " + platform::PathText(directory));
  if (command == "assemblies") {
    if (!args.empty()) return UsageError("assemblies takes no " + args.front());
    return ListAssemblies(directory);
  }
  AssemblyOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool valued = i + 1 < args.size();
    if (arg == "--tip" && valued) {
      options.Tip = sheet::MaterialNamed(args[++i]);
      if (!options.Tip) return UsageError("unknown material " + args[i]);
    } else if (arg == "--force" && valued) {
      options.Force = numbers::ParseDecimal(args[++i], '.');
      if (!options.Force || !(*options.Force > 0) || *options.Force == INFINITY) {
        return UsageError("--force takes newtons above 0");
      }
    } else if (arg == "--probe" && valued) {
      options.Probe = args[++i];
    } else if (arg == "--name" && valued) {
      options.Name = args[++i];
    } else if (arg == "--keep" && valued) {
      options.Keep = args[++i];
    } else if (arg == "--save-as" && valued) {
      options.SaveAs = args[++i];
    } else if (arg == "--stl" && valued) {
      options.Stl = platform::PathFromText(args[++i]);
    } else if (arg == "--sheet" && valued) {
      options.Sheet = platform::PathFromText(args[++i]);
      if (options.Sheet->extension() != ".pdf" && options.Sheet->extension() != ".svg") {
        return UsageError("--sheet writes a .pdf or an .svg file, not " + platform::PathText(options.Sheet->filename()));
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option " + arg);
    } else {
      std::string why;
      const std::optional<library::PartRef> part = library::ReadPart(arg, &why);
      if (!part) return UsageError(arg + ": " + why);
      options.Parts.push_back(*part);
    }
  }
  if (options.Name && !options.Parts.empty()) return UsageError("assembly takes either parts or --name");
  if (!options.Name && options.Parts.empty()) return UsageError("assembly needs its parts or --name");
  if (options.Name && options.Keep) return UsageError("--keep saves parts given on the command line");
  if (options.Force && options.Probe) return UsageError("--force and --probe exclude each other");

  // Only --save-as and --keep write the editor's files; they wait their turn.
  std::optional<platform::FolderLock> lock;
  if (options.SaveAs || options.Keep) {
    lock.emplace(platform::LockForCommandLine(directory, "tarvo-library", std::cerr));
    if (lock->IsBusy()) return platform::kFolderBusyStatus;
  }
  platform::DiskFileSystem files;
  library::Assembly assembly{options.Keep.value_or(options.Name.value_or("")), options.Parts};
  if (options.Name) {
    const std::optional<library::AssembliesFile> saved = SavedAssemblies(files, directory);
    if (!saved) return kFileFailed;
    const library::Assembly* found = saved->Find(*options.Name);
    if (found == nullptr) return Failure(kBadCommand, "no assembly named " + *options.Name + " in " +
                                                          std::string(library::kAssembliesFile));
    assembly = *found;
  }
  std::optional<sheet::ProbeProfile> probe;
  if (options.Probe) {
    library::ProbeFile probes;
    if (const platform::FileStatus read = library::LoadProbes(files, directory, probes); !read.IsOk()) {
      return Failure(kFileFailed, FileFailure(read, directory / library::kProbesFile));
    }
    for (const std::string& problem : probes.Problems()) std::cerr << library::kProbesFile << ": " << problem << "\n";
    const sheet::ProbeProfile* found = probes.Find(*options.Probe);
    if (found == nullptr) return Failure(kBadCommand, "no probe named " + *options.Probe + " in probes.txt");
    probe = *found;
  }
  library::Library library;
  if (const platform::FileStatus read = library::LoadLibrary(files, directory, library); !read.IsOk()) {
    return Failure(kFileFailed, FileFailure(read, directory / "usrprobe.dat"));
  }
  const library::Stack stack = library::StackOf(library, assembly.Parts);
  if (options.Keep) {
    // Saved even with a part missing: adding the tool again mends it.
    if (const int kept = Keep(files, directory, assembly); kept != kOk) return kept;
  }
  if (!stack.IsWhole()) {
    for (const std::string& line : stack.Missing) std::cerr << "tarvo-library: " << line << "\n";
    for (const std::string& line : stack.Refusals) std::cerr << "tarvo-library: " << line << "\n";
    return kBadCommand;
  }
  const double force = probe ? probe->Force : options.Force.value_or(sheet::kDefaultForce);
  const sheet::ToolFigures figures = library::StackFigures(stack, options.Tip, force);
  std::cout << sheet::FigureLines(figures) << "parts\t" << numbers::IntegerText(static_cast<int>(stack.Tools.size()))
            << "\n" << library::ConnectionLine(stack);
  if (probe) std::cout << "limits\t" << sheet::LimitsText(figures, *probe) << "\n";
  if (options.Stl) {
    const mesh::StlExport written = library::ExportStackStl(files, *options.Stl, library, stack, assembly.Name);
    if (!written.IsWritten()) {
      return Failure(written.Result == mesh::StlExport::Code::WriteFailed ? kFileFailed : kBadCommand, written.Message);
    }
  }
  if (options.Sheet) {
    const library::StackTitle title{assembly.Name, assembly.Parts, sheet::Today(), TARVO_VERSION, probe};
    const sheet::SheetDrawing drawing = library::StackSheet(library, stack, figures, title);
    if (const std::optional<std::string> failed = WriteSheetFile(*options.Sheet, drawing)) {
      return Failure(kFileFailed, *failed);
    }
  }
  if (options.SaveAs) return SaveAsOneTool(files, directory, library, stack, *options.SaveAs);
  return kOk;
}
