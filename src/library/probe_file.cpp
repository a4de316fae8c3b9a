#include "library/probe_file.h"

#include <algorithm>
#include <cmath>

#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"

namespace tarvo::library {
namespace {

constexpr std::string_view kFields = "NAME<TAB>force<TAB>max length or -<TAB>max mass or - expected";

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1)) {
    fields.push_back(Trimmed(line.substr(0, tab)));
  }
  fields.push_back(Trimmed(line));
  return fields;
}

std::optional<double> Positive(std::string_view text) {
  const std::optional<double> value = numbers::ParseDecimal(text, '.');
  if (!value || !(*value > 0) || *value == INFINITY) return std::nullopt;
  return value;
}

bool IsComment(std::string_view text) { return Trimmed(text).empty() || text.front() == '#'; }

// The profile a line holds, or why it holds none.
std::optional<sheet::ProbeProfile> ProfileOf(std::string_view text, std::string& problem) {
  const std::vector<std::string_view> fields = Fields(text);
  if (fields.size() != 4) {
    problem = kFields;
    return std::nullopt;
  }
  sheet::ProbeProfile probe;
  probe.Name = fields[0];
  if (probe.Name.empty()) problem = "the probe has no name";
  const std::optional<double> force = Positive(fields[1]);
  if (problem.empty() && !force) problem = "the force must be a number above 0";
  if (force) probe.Force = *force;
  const std::pair<std::string_view, std::optional<double>*> limits[] = {{"length", &probe.MaxLength},
                                                                         {"mass", &probe.MaxMass}};
  for (std::size_t i = 0; i < 2; ++i) {
    if (fields[i + 2] == "-") continue;
    *limits[i].second = Positive(fields[i + 2]);
    if (problem.empty() && !*limits[i].second) {
      problem = "the " + std::string(limits[i].first) + " limit must be a number above 0 or -";
    }
  }
  if (!problem.empty()) return std::nullopt;
  return probe;
}

std::string Optional(const std::optional<double>& value) { return value ? numbers::FigureText(*value, 4) : "-"; }

}  // namespace

std::vector<sheet::ProbeProfile> ProbeFile::Profiles() const {
  std::vector<sheet::ProbeProfile> profiles;
  for (const ProbeLine& line : Lines) {
    if (line.Profile) profiles.push_back(*line.Profile);
  }
  return profiles;
}

std::vector<std::string> ProbeFile::Problems() const {
  std::vector<std::string> problems;
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    if (!Lines[i].Problem.empty()) problems.push_back("line " + numbers::IntegerText(static_cast<int>(i + 1)) + ": " + Lines[i].Problem);
  }
  return problems;
}

const sheet::ProbeProfile* ProbeFile::Find(std::string_view name) const {
  for (const ProbeLine& line : Lines) {
    if (line.Profile && line.Profile->Name == name) return &*line.Profile;
  }
  return nullptr;
}

ProbeFile ReadProbes(std::string_view bytes) {
  ProbeFile file;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    ProbeLine line;
    line.Text = bytes.substr(0, end);
    if (end != std::string_view::npos) {
      line.End = "\n";
      if (!line.Text.empty() && line.Text.back() == '\r') {
        line.Text.pop_back();
        line.End = "\r\n";
      }
    }
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!IsComment(line.Text)) {
      line.Profile = ProfileOf(line.Text, line.Problem);
      if (line.Profile && file.Find(line.Profile->Name)) {
        line.Problem = "a probe named " + line.Profile->Name + " is already there";
        line.Profile.reset();
      }
    }
    file.Lines.push_back(std::move(line));
  }
  return file;
}

std::string ProbeBytes(const ProbeFile& file) {
  std::string bytes;
  for (const ProbeLine& line : file.Lines) bytes += line.Text + line.End;
  return bytes;
}

std::string ProbeLineText(const sheet::ProbeProfile& probe) {
  return probe.Name + "\t" + numbers::FigureText(probe.Force, 4) + "\t" + Optional(probe.MaxLength) + "\t" +
         Optional(probe.MaxMass);
}

std::optional<std::string> ProbeProblem(const ProbeFile& file, const sheet::ProbeProfile& probe,
                                        std::optional<std::string_view> replacing) {
  if (probe.Name.find_first_of("\t\r\n") != std::string::npos || Trimmed(probe.Name) != probe.Name ||
      probe.Name.starts_with('#')) {
    return "a probe's name may not hold a tab, begin with # or begin or end with a blank";
  }
  // What the line will say when it is read back.
  std::string problem;
  const std::optional<sheet::ProbeProfile> read = ProfileOf(ProbeLineText(probe), problem);
  if (!read) return problem;
  if (probe.Name != replacing && file.Find(probe.Name)) return "a probe named " + probe.Name + " is already there";
  return std::nullopt;
}

void SetProbe(ProbeFile& file, const sheet::ProbeProfile& probe, std::optional<std::string_view> replacing) {
  const auto held = std::find_if(file.Lines.begin(), file.Lines.end(), [&](const ProbeLine& line) {
    return replacing && line.Profile && line.Profile->Name == *replacing;
  });
  if (held != file.Lines.end()) {
    held->Text = ProbeLineText(probe);
    held->Profile = probe;
    return;
  }
  const std::string end = file.Lines.empty() || file.Lines.front().End.empty() ? "\n" : file.Lines.front().End;
  if (!file.Lines.empty() && file.Lines.back().End.empty()) file.Lines.back().End = end;
  file.Lines.push_back({ProbeLineText(probe), end, probe, {}});
}

void RemoveProbe(ProbeFile& file, std::string_view name) {
  std::erase_if(file.Lines, [&](const ProbeLine& line) { return line.Profile && line.Profile->Name == name; });
}

platform::FileStatus LoadProbes(platform::FileSystem& files, const std::filesystem::path& folder, ProbeFile& file) {
  std::string bytes;
  platform::FileStatus read = files.Read(folder / kProbesFile, bytes);
  if (read.Result == platform::FileStatus::Code::MissingSource) read = platform::FileStatus::Ok();
  file = ReadProbes(bytes);
  return read;
}

platform::FileStatus SaveProbes(platform::FileSystem& files, const std::filesystem::path& folder,
                                const ProbeFile& file) {
  return files.Write(folder / kProbesFile, ProbeBytes(file), platform::Durability::Durable);
}

}  // namespace tarvo::library
