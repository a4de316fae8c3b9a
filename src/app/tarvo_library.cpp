// tarvo-library: lists, checks, shows, scripts, removes and meshes the tools
// of usrprobe.dat, and prints their figures and data sheets.
#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "library/library_changes.h"
#include "library/library_file.h"
#include "library/probe_file.h"
#include "library/tool_script.h"
#include "library/tool_selection.h"
#include "mesh/stl_file.h"
#include "numbers/decimal_parser.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/process.h"
#include "platform/text.h"
#include "sheet/data_sheet.h"
#include "assembly_command.h"
#include "command_errors.h"
#include "sheet_output.h"

namespace {

constexpr const char* kUsage = R"(usage: tarvo-library [--dir DIR] list
       tarvo-library [--dir DIR] check
       tarvo-library [--dir DIR] show NAME [--index K]
       tarvo-library [--dir DIR] script NAME [--index K]
       tarvo-library [--dir DIR] remove NAME [--index K]
       tarvo-library [--dir DIR] stl NAME OUT.stl [--index K]
       tarvo-library [--dir DIR] figures NAME [--index K] [--stem M] [--tip M]
                     [--force N | --probe NAME]
       tarvo-library [--dir DIR] sheet NAME [--index K] [--stem M] [--tip M]
                     [--force N | --probe NAME] FILE.pdf|FILE.svg
       tarvo-library [--dir DIR] probes
       tarvo-library [--dir DIR] assembly PART[:M]... | --name NAME [--tip M]
                     [--force N | --probe NAME] [--sheet FILE.pdf|FILE.svg] [--stl FILE]
                     [--save-as NAME] [--keep NAME]
       tarvo-library [--dir DIR] assemblies

Reads usrprobe.dat in DIR (default: .) as tools.

  list     one line per tool: position, name, connection type, kind,
           element count, overall length, tip (ball D, disk D or -)
  check    one line per problem: position, name, line, what is wrong
  show     the tool's block exactly as it stands in the file
  script   a replay script that rebuilds the tool; run it with
           tarvo-replay --decimal-separator C (C from its first line)
  remove   copies usrprobe.dat to usrprobe_old.dat, then removes the block;
           it waits up to 5 seconds while another editor works on DIR
  stl      writes the tool to OUT.stl as a binary STL in millimetres, one
           closed solid per element, z along the probe axis
  figures  the figures of the tool's data sheet, one KEY<TAB>VALUE line each:
           L, EWL, D, ds, largest, elements, mass, bending, heat; lengths
           in mm, the mass in g, the bending under the probing force in um,
           the growth of L for one kelvin in um/K (the last three are
           estimates), - for EWL, D and ds without a tip; with --probe also
           limits: ok, or the probe's limits the tool passes, joined by "; "
  sheet    writes the tool's data sheet, an A4 page with its dimensioned
           side view and figures, as PDF or SVG (only in the build with the
           window, which brings the painter)
  probes   the probes of probes.txt in DIR, one NAME<TAB>force N<TAB>max
           length mm<TAB>max mass g line each, - for a limit not set; a line
           of the file that cannot be read is reported on stderr (status 1)

  assembly the figures of a stack of tools, from the probe down: extensions,
           then any one tool; each PART is a tool's NAME, NAME#K for the K-th
           tool of the file, with :M for its stem's material. Then
           parts<TAB>N and connection<TAB>ok, or what needs an adapter.
           --name uses a saved assembly, --keep saves the parts under NAME,
           --sheet and --stl write the stack's data sheet and STL, --save-as
           appends the stack to usrprobe.dat as one tool, as EXPORT does
  assemblies  the saved assemblies of DIR/assemblies.txt, NAME<TAB>PART PART...;
           a line of the file that cannot be read is reported on stderr (status 1)

--stem M and --tip M name the materials of the stem and of the tip for the
mass: steel, carbide, ruby, silicon-nitride, zirconia, titanium, aluminium,
carbon-fibre (default: steel, and ruby for a ball, steel for a disk).
--force N is the probing force in newtons for the bending (default 0.1);
--probe NAME takes the force and the limits of that probe of probes.txt.

NAME matches a tool's name exactly, blanks at its ends aside, as a reader
that splits the ITEM line at blanks sees it; --index K picks the K-th tool of
the file where several share the name.

Exit status, as for every TARVO Tools program: 0 done, 2 a wrong command line,
3 a file or folder that cannot be read or written (another editor working on
DIR included). Besides: 1 check, probes or assemblies found problems, 2 also
no such tool, probe or part (or no element to write as STL), 4 the tool is
not rebuildable.
)";

std::string FileFailure(const tarvo::platform::FileStatus& status, const std::filesystem::path& file) {
  return tarvo::platform::PathText(status.File.empty() ? file : status.File) + ": " + status.Reason;
}

}  // namespace

int main(int argc, char** argv) {
  tarvo::platform::UseBinaryStandardStreams();
  const std::vector<std::string> args = tarvo::platform::Utf8Arguments(argc, argv);
  using namespace tarvo;
  std::filesystem::path directory = ".";
  std::optional<std::string> command;
  std::optional<std::string> name;
  std::optional<std::filesystem::path> out;
  std::optional<int> index;
  sheet::MaterialChoice materials;
  bool materialGiven = false;
  std::optional<double> force;
  std::optional<std::string> probeName;
  for (int i = 1; i < argc; ++i) {
    const std::string& arg = args[i];
    if (arg == "--help") {
      std::cout << kUsage;
      return kOk;
    }
    if (arg == "--version") {
      std::cout << "tarvo-library " << TARVO_VERSION << "\n";
      return kOk;
    }
    if (arg == "--dir" && i + 1 < argc) {
      directory = tarvo::platform::PathFromText(args[++i]);
    } else if (arg == "--index" && i + 1 < argc) {
      index = library::ReadPosition(args[++i]);
      if (!index) return UsageError("--index takes a position from 1");
    } else if ((arg == "--stem" || arg == "--tip") && i + 1 < argc) {
      const std::optional<sheet::Material> material = sheet::MaterialNamed(args[++i]);
      if (!material) return UsageError("unknown material " + args[i]);
      (arg == "--stem" ? materials.Stem : materials.Tip.emplace()) = *material;
      materialGiven = true;
    } else if (arg == "--force" && i + 1 < argc) {
      force = numbers::ParseDecimal(args[++i], '.');
      if (!force || !(*force > 0) || *force == INFINITY) return UsageError("--force takes newtons above 0");
    } else if (arg == "--probe" && i + 1 < argc) {
      probeName = args[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option " + arg);
    } else if (!command) {
      command = arg;
      if (arg == "assembly" || arg == "assemblies") {
        // Its options follow it: one given before would be lost unseen.
        if (index || materialGiven || force || probeName) return UsageError(arg + " takes its options after it");
        return AssemblyCommand(arg, std::vector<std::string>(args.begin() + i + 1, args.end()), directory);
      }
    } else if (!name) {
      name = arg;
    } else if ((*command == "stl" || *command == "sheet") && !out) {
      out = tarvo::platform::PathFromText(arg);
    } else {
      return UsageError("unexpected " + arg);
    }
  }
  if (!command) return UsageError("no command given");
  const bool named = *command == "show" || *command == "script" || *command == "remove" || *command == "stl" ||
                     *command == "figures" || *command == "sheet";
  if (!named && *command != "list" && *command != "check" && *command != "probes") {
    return UsageError("unknown command " + *command);
  }
  if (named && !name) return UsageError(*command + " needs the NAME of a tool");
  if (!named && (name || index)) return UsageError(*command + " takes no tool");
  if (*command == "stl" && !out) return UsageError("stl needs the OUT.stl file to write");
  if (*command == "sheet" && !out) return UsageError("sheet needs the FILE.pdf or FILE.svg to write");
  if (*command == "sheet" && out->extension() != ".pdf" && out->extension() != ".svg") {
    return UsageError("sheet writes a .pdf or an .svg file, not " + tarvo::platform::PathText(out->filename()));
  }
  if (materialGiven && *command != "figures" && *command != "sheet") {
    return UsageError(*command + " takes no material");
  }
  if ((force || probeName) && *command != "figures" && *command != "sheet") {
    return UsageError(*command + " takes no force or probe");
  }
  if (force && probeName) return UsageError("--force and --probe exclude each other");
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    return Failure(kFileFailed, "no directory " + tarvo::platform::PathText(directory));
  }

  // Only remove writes the editor's files; it waits its turn like the replay.
  std::optional<platform::FolderLock> lock;
  if (*command == "remove") {
    lock.emplace(platform::LockForCommandLine(directory, "tarvo-library", std::cerr));
    if (lock->IsBusy()) return platform::kFolderBusyStatus;
  }

  platform::DiskFileSystem files;
  std::optional<sheet::ProbeProfile> probe;
  if (*command == "probes" || probeName) {
    library::ProbeFile probes;
    if (const platform::FileStatus read = library::LoadProbes(files, directory, probes); !read.IsOk()) {
      return Failure(kFileFailed, FileFailure(read, directory / library::kProbesFile));
    }
    for (const std::string& problem : probes.Problems()) std::cerr << library::kProbesFile << ": " << problem << "\n";
    if (*command == "probes") {
      for (const sheet::ProbeProfile& p : probes.Profiles()) std::cout << library::ProbeLineText(p) << "\n";
      return probes.Problems().empty() ? kOk : kProblems;
    }
    const sheet::ProbeProfile* found = probes.Find(*probeName);
    if (found == nullptr) return Failure(kBadCommand, "no probe named " + *probeName + " in probes.txt");
    probe = *found;
  }
  library::Library library;
  const std::filesystem::path file = directory / "usrprobe.dat";
  if (const platform::FileStatus read = library::LoadLibrary(files, directory, library); !read.IsOk()) {
    return Failure(kFileFailed, FileFailure(read, file));
  }
  if (*command == "list") {
    for (const library::Tool& tool : library.Tools) std::cout << library::ListLine(tool);
    return kOk;
  }
  if (*command == "check") {
    bool problems = false;
    for (const library::Tool& tool : library.Tools) {
      std::cout << library::CheckLines(tool);
      problems = problems || !tool.Problems.empty();
    }
    return problems ? kProblems : kOk;
  }
  const library::ToolSelection selection = library::SelectTool(library, *name, index);
  if (selection.Found == nullptr) return Failure(kBadCommand, selection.Error);
  const library::Tool& tool = *selection.Found;
  if (*command == "show") {
    std::cout << library.Block(tool) << std::flush;
    return kOk;
  }
  if (*command == "script") {
    const library::RebuildScript script = library::DeriveScript(library, tool);
    if (!script.Proven()) return Failure(kNotRebuildable, "tool " + *name + " is not rebuildable: " + script.Reason);
    std::cout << script.Script;
    return kOk;
  }
  if (*command == "stl") {
    const mesh::StlExport written = mesh::ExportStl(files, *out, library.Block(tool));
    if (written.IsWritten()) return kOk;
    return Failure(written.Result == mesh::StlExport::Code::WriteFailed ? kFileFailed : kBadCommand,
                   written.Message);
  }
  if (*command == "figures" || *command == "sheet") {
    const sheet::SheetContext context{materials, tool.Position, static_cast<int>(library.Tools.size()),
                                      sheet::Today(), TARVO_VERSION, probe, force.value_or(sheet::kDefaultForce)};
    std::string error;
    const std::optional<sheet::DataSheet> made = sheet::SheetOfBlock(library.Block(tool), context, &error);
    if (!made) return Failure(kBadCommand, "tool " + *name + ": " + error);
    if (*command == "figures") {
      std::cout << sheet::FigureLines(made->Figures);
      if (probe) std::cout << "limits\t" << sheet::LimitsText(made->Figures, *probe) << "\n";
      return kOk;
    }
    if (const std::optional<std::string> failed = WriteSheetFile(*out, made->Drawing)) {
      return Failure(kFileFailed, failed->c_str());
    }
    return kOk;
  }
  if (const platform::BackedUpChange removed = library::RemoveTool(files, directory, library, tool);
      !removed.Status.IsOk()) {
    return Failure(kFileFailed, (removed.Changed ? "the tool was removed, but usrprobe_old.dat keeps the older backup: "
                                                 : "the tool was not removed: ") +
                                    FileFailure(removed.Status, file));
  }
  return kOk;
}
