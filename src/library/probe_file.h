#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "sheet/probe_limits.h"

namespace tarvo::library {

// probes.txt in the data folder: the probes the user's machines carry, plain
// UTF-8, one line each,
//   NAME<TAB>FORCE N<TAB>MAX LENGTH mm or -<TAB>MAX MASS g or -
// with a point as decimal separator. Empty lines and lines that begin with
// '#' are comments. Every line keeps its own end (LF or CR LF); a new line
// takes the end of the file's first line, LF in a new file.
inline constexpr std::string_view kProbesFile = "probes.txt";

struct ProbeLine {
  std::string Text;  // the line as it stands, without its end
  std::string End;   // "\n", "\r\n", or "" for a last line without one
  std::optional<sheet::ProbeProfile> Profile;  // nothing for a comment or a line that cannot be read
  std::string Problem;                         // why it cannot be read, else empty
};

struct ProbeFile {
  std::vector<ProbeLine> Lines;

  std::vector<sheet::ProbeProfile> Profiles() const;
  // "line 3: the force must be a number above 0", one for each line that
  // cannot be read; such a line is kept as it stands.
  std::vector<std::string> Problems() const;
  const sheet::ProbeProfile* Find(std::string_view name) const;
};

ProbeFile ReadProbes(std::string_view bytes);
// The file's bytes: what was read, byte for byte, where nothing changed.
std::string ProbeBytes(const ProbeFile& file);
// "NAME\t0.1\t50\t-": a profile's line, without its end.
std::string ProbeLineText(const sheet::ProbeProfile& probe);

// What is wrong with a profile the user typed ("the force must be a number
// above 0", "a probe named X is already there"); nothing when it can be
// kept. `replacing` names the profile it replaces, if any.
std::optional<std::string> ProbeProblem(const ProbeFile& file, const sheet::ProbeProfile& probe,
                                        std::optional<std::string_view> replacing = std::nullopt);

// Puts `probe` in place of the profile named `replacing`, or at the end.
void SetProbe(ProbeFile& file, const sheet::ProbeProfile& probe,
              std::optional<std::string_view> replacing = std::nullopt);
void RemoveProbe(ProbeFile& file, std::string_view name);

// probes.txt in `folder`; a missing file holds no probe.
platform::FileStatus LoadProbes(platform::FileSystem& files, const std::filesystem::path& folder, ProbeFile& file);
// Writes probes.txt whole and durably.
platform::FileStatus SaveProbes(platform::FileSystem& files, const std::filesystem::path& folder,
                                const ProbeFile& file);

}  // namespace tarvo::library
