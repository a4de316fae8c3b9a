#include "library/tool_script.h"

#include <algorithm>
#include <functional>
#include <cmath>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "script/replay_script.h"
#include "definition/code_page.h"
#include "definition/confirmation.h"
#include "definition/polygon_element.h"
#include "numbers/decimal_parser.h"
#include "definition/tool_definition.h"
#include "numbers/number_text.h"
#include "scene/memory_file_system.h"
#include "scene/scene_view.h"

namespace tarvo::library {
namespace {

using numbers::SingleText;

// The Step 4 texts of one element, as the script types them.
struct Fields {
  std::string Kind, Height = "0", Diam = "0", Diam2 = "0", LengthMin = "0", Edges;
  bool Disk = false;
};

// A failure of the derivation: why the tool cannot be rebuilt.
struct NotRebuildable {
  std::string Reason;
};

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  for (;;) {
    const std::size_t blank = line.find(' ', at);
    fields.push_back(line.substr(at, blank == std::string_view::npos ? blank : blank - at));
    if (blank == std::string_view::npos) return fields;
    at = blank + 1;
  }
}

// Bounds the search for hand-written blocks: enough for every text of
// 7 significant digits near a value read from a coordinate or a bottom.
constexpr int kMaxCandidates = 20000;
// Bounds the elements tried while telling equal-looking positions apart.
constexpr int kMaxNodes = 10000;

// Calls `take` with the decimal texts near `value`, shortest first and the
// nearest first among equally long ones: every text within `spread` of it
// with at most 7 significant digits, as the value checks leave a field.
// Stops when `take` says so; whether it did.
bool ForEachNearbyText(double value, double spread, char separator,
                       const std::function<bool(const std::string&)>& take) {
  std::set<std::string> seen;
  const int wholeDigits = value >= 1 ? static_cast<int>(std::floor(std::log10(value))) + 1 : 0;
  const int maxDecimals = std::clamp(7 - wholeDigits, 0, 8);
  int tried = 0;
  for (int decimals = 0; decimals <= maxDecimals && tried < kMaxCandidates; ++decimals) {
    const double scale = std::pow(10.0, decimals);
    const auto centre = static_cast<long long>(std::llround(value * scale));
    const auto reach = static_cast<long long>(std::ceil(spread * scale)) + 1;
    for (long long step = 0; step <= 2 * reach && tried < kMaxCandidates; ++step) {
      // centre, centre + 1, centre - 1, centre + 2, ...
      const long long k = centre + (step % 2 == 1 ? (step + 1) / 2 : -(step / 2));
      if (k <= 0) continue;
      std::string text = SingleText(static_cast<float>(static_cast<double>(k) / scale), separator);
      if (!seen.insert(text).second) continue;
      ++tried;
      if (take(text)) return true;
    }
  }
  return false;
}

class Deriver {
 public:
  Deriver(const Tool& tool, char separator) : tool_(tool), separator_(separator) {
    format_.CommaLocale = separator == ',';
  }

  std::string Derive() {
    const std::vector<std::string_view>& lines = tool_.Lines;
    const bool tip = tool_.Kind == ToolKind::Tip;
    const std::vector<std::string_view> header =
        tip ? std::vector<std::string_view>{"begintip", "color 142 142 142", "ribcount 20"}
            : std::vector<std::string_view>{"color 142 142 142", "ribcount 20"};
    std::size_t end = lines.size();
    if (end < 2 || !lines[end - 1].empty()) throw NotRebuildable{"no empty line ends the block"};
    --end;
    if (tip) {
      if (lines[end - 1] != "endtip") throw NotRebuildable{"the tip does not end with endtip"};
      --end;
    }
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (i + 1 >= end || lines[i + 1] != header[i]) {
        throw NotRebuildable{"line " + std::to_string(tool_.FirstLine + 1 + static_cast<int>(i)) +
                             " is not the header line \"" + std::string(header[i]) + "\""};
      }
    }
    cursor_ = 1 + header.size();
    end_ = end;
    extend_ = !tip && HasCylinderConnect();
    StartTool(tip);
    if (!Solve()) throw NotRebuildable{LineAt(failedAt_) + " cannot be reproduced by any element"};
    Emit("click Cmd_Export");
    return script_;
  }

 private:
  bool HasCylinderConnect() const {
    for (std::size_t i = 1; i + 1 < tool_.Lines.size(); ++i) {
      if (tool_.Lines[i].starts_with("cylinder ") && tool_.Lines[i + 1].starts_with("connect 0 0 ")) {
        return true;
      }
    }
    return false;
  }

  void Emit(std::string line) { script_ += line + "\n"; }

  std::string LineAt(std::size_t i) const {
    return "line " + std::to_string(tool_.FirstLine + static_cast<int>(i));
  }

  void StartTool(bool tip) {
    const std::string_view raw = tool_.Lines[0].substr(5);
    std::size_t split = raw.rfind(' ');
    if (extend_) {
      // The connect lines carry the connection type text exactly.
      for (std::size_t i = 1; i < tool_.Lines.size(); ++i) {
        if (!tool_.Lines[i].starts_with("connect 0 0 ")) continue;
        std::string_view rest = tool_.Lines[i];
        for (int blank = 0; blank < 7 && !rest.empty(); ++blank) {
          const std::size_t at = rest.find(' ');
          rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
        }
        connection_ = std::string(rest);
        if (raw.size() > connection_.size() && raw.ends_with(" " + connection_)) {
          split = raw.size() - connection_.size() - 1;
        }
        break;
      }
    }
    if (split == std::string_view::npos) {
      throw NotRebuildable{"the ITEM line has no blank before the connection type"};
    }
    connection_ = std::string(raw.substr(split + 1));
    Emit("# --decimal-separator " + std::string(1, separator_));
    Emit("set Tb_ToolName " + definition::FromWindows1252(raw.substr(0, split)));
    if (connection_ != "TARVO1") Emit("set Cb_Extension " + definition::FromWindows1252(connection_));
    Emit("click Cmd_NewTool");
    Emit(tip ? "click Ob_Tip" : extend_ ? "click Ob_Extend" : "click Ob_Polyg");
    Emit("click Cmd_Add");
  }

  // The element's lines in the block, joined as the definition stores them.
  std::string Expected(std::size_t count) const {
    std::string text;
    for (std::size_t i = cursor_; i < cursor_ + count && i < end_; ++i) {
      text.append(tool_.Lines[i]);
      text.append("\r\n");
    }
    return text;
  }

  // Where the simulated tool stands on the axis.
  struct Position {
    std::int16_t ElementCount = 0;
    float ElementTopZ = 0;
    float ElementBottomZ = 0;
  };
  Position Snapshot() const { return {sim_->ElementCount, sim_->ElementTopZ, sim_->ElementBottomZ}; }
  void Restore(const Position& state) {
    sim_->ElementCount = state.ElementCount;
    sim_->ElementTopZ = state.ElementTopZ;
    sim_->ElementBottomZ = state.ElementBottomZ;
  }

  // One way to read the element at the cursor: its script lines, the
  // position it leaves and how many lines it takes.
  struct Option {
    std::string Script;
    Position After;
    std::size_t Lines = 0;
  };

  // Confirms the element on the simulated tool and puts it back; where it
  // ends when it writes `expected`.
  std::optional<Position> Try(const Fields& fields, const std::string& expected, int lineCount) {
    const Position saved = Snapshot();
    mesh_->Reset();
    const definition::ElementInput input{fields.Kind,     fields.Disk,  extend_,
                                         fields.Height,   fields.Diam,  fields.Diam2,
                                         fields.LengthMin, fields.Edges, connection_};
    sim_->LineCount = 0;
    const std::optional<definition::Footprint> footprint = definition::ElementFootprint(input);
    bool same = false;
    if (footprint && footprint->Lines == lineCount) {
      definition::ConfirmElement(*sim_, *mesh_, input, format_);
      same = sim_->LastLines(sim_->LineCount) == expected;
    }
    const Position after = Snapshot();
    Restore(saved);
    if (!same) return std::nullopt;
    return after;
  }

  float Top() const { return sim_->ElementCount == 0 ? 0.0F : sim_->ElementBottomZ; }

  // Height texts that may lead from the running top to `bottomText`: the
  // bottom is known to half a unit of its 7th significant digit.
  std::vector<std::string> HeightTexts(std::string_view bottomText) const {
    const std::optional<double> bottom = ReadNumber(bottomText);
    if (!bottom) return {};
    const double magnitude = std::max(std::abs(*bottom), 1e-3);
    const double spread = 0.6 * std::pow(10.0, std::floor(std::log10(magnitude)) + 1 - 7);
    std::vector<std::string> texts;
    ForEachNearbyText(static_cast<double>(Top()) - *bottom, spread, separator_, [&](const std::string& text) {
      texts.push_back(text);
      return false;
    });
    return texts;
  }

  // Reads the elements from the cursor on. Several heights may print the
  // same lower end yet leave different single-precision positions, which
  // only the following elements tell apart: each is tried in turn.
  bool Solve() {
    if (cursor_ >= end_) return true;
    if (++nodes_ > kMaxNodes) throw NotRebuildable{"the elements can be read in too many ways"};
    if (sim_->ElementCount >= definition::ToolDefinition::kMaxElements) {
      throw NotRebuildable{"the tool has more than 50 elements"};
    }
    const std::vector<Option> options = Options();
    if (options.empty()) failedAt_ = std::max(failedAt_, cursor_);
    for (const Option& option : options) {
      const Position saved = Snapshot();
      const std::size_t scriptSize = script_.size();
      Restore(option.After);
      script_ += option.Script;
      cursor_ += option.Lines;
      if (Solve()) return true;
      cursor_ -= option.Lines;
      script_.resize(scriptSize);
      Restore(saved);
    }
    return false;
  }

  // Adds an option unless one that ends at the same position is there.
  static void Add(std::vector<Option>& options, Option option) {
    for (const Option& known : options) {
      if (known.After.ElementBottomZ == option.After.ElementBottomZ) return;
    }
    options.push_back(std::move(option));
  }

  std::vector<Option> Options() {
    std::vector<Option> options;
    const std::vector<std::string_view> f = SplitFields(tool_.Lines[cursor_]);
    const std::string_view keyword = f[0];
    if ((keyword == "cylinder" && f.size() == 8) || (keyword == "cone" && f.size() == 9)) {
      const bool cone = keyword == "cone";
      const int count = !cone && extend_ ? 2 : 1;
      Fields fields;
      fields.Kind = cone ? "Cone" : "Cyl";
      fields.Diam = std::string(cone ? f[4] : f[7]);
      if (cone) fields.Diam2 = std::string(f[8]);
      const std::string expected = Expected(static_cast<std::size_t>(count));
      for (const std::string& height : HeightTexts(cone ? f[7] : f[6])) {
        fields.Height = height;
        if (const std::optional<Position> after = Try(fields, expected, count)) {
          std::string script = cone ? "click Ob_Cone\n" : "click Ob_Cylinder\n";
          script += "set Tb_Height " + fields.Height + "\nset Tb_Diam " + fields.Diam + "\n";
          if (cone) script += "set Tb_Diam2 " + fields.Diam2 + "\n";
          Add(options, {script + "click Cmd_Confirm\n", *after, static_cast<std::size_t>(count)});
        }
      }
    } else if (keyword == "color" && cursor_ + 2 < end_) {
      const std::vector<std::string_view> shape = SplitFields(tool_.Lines[cursor_ + 1]);
      const std::vector<std::string_view> hotspot = SplitFields(tool_.Lines[cursor_ + 2]);
      const bool disk = shape[0] == "cilinder" && shape.size() == 8 && hotspot.size() == 10;
      const bool ball = shape[0] == "sphere" && shape.size() == 5;
      if (disk || ball) {
        Fields fields;
        fields.Kind = "Sphere";
        fields.Disk = disk;
        fields.Diam = std::string(disk ? shape[7] : shape[4]);
        if (disk) fields.Height = std::string(hotspot[8]);
        if (const std::optional<Position> after = Try(fields, Expected(3), 3)) {
          std::string script = disk ? "click Ob_Sphere\nclick Cb_Disk\nset Tb_Height " + fields.Height + "\n"
                                    : "click Ob_Sphere\n";
          Add(options, {script + "set Tb_Diam " + fields.Diam + "\nclick Cmd_Confirm\n", *after, 3});
        }
      }
    } else if (keyword == "solid" && f.size() == 2) {
      PolygonOptions(f[1], options);
    }
    return options;
  }

  void PolygonOptions(std::string_view solid, std::vector<Option>& options) {
    const std::optional<double> twice = ReadNumber(solid);
    if (!twice || *twice < 6 || *twice > 200 || std::fmod(*twice, 2) != 0) return;
    const int n = static_cast<int>(*twice / 2);
    const auto count = static_cast<std::size_t>(2 * n + 4);
    if (cursor_ + count > end_) return;
    const std::string expected = Expected(count);
    const std::vector<std::string_view> topCap = SplitFields(tool_.Lines[cursor_ + n + 1]);
    const std::vector<std::string_view> bottomCap = SplitFields(tool_.Lines[cursor_ + n + 2]);
    const std::vector<std::string_view> axial = SplitFields(tool_.Lines[cursor_ + n + 3]);
    if (topCap.size() < 5 || bottomCap.size() < 5 || axial.size() < 4) return;

    Fields fields;
    fields.Kind = "Polygon";
    fields.Edges = numbers::IntegerText(n);
    fields.Diam2 = "1";
    // The axial connection point depends on the height alone, each cap on
    // its own edge length alone.
    std::vector<Option> heights;
    for (const std::string& height : HeightTexts(axial[3])) {
      // As CONFIRM places an element: the height read in single precision.
      const float bottom = Top() - static_cast<float>(numbers::FieldNumber(height, format_));
      if (numbers::SingleText(bottom, separator_) != axial[3]) continue;
      Position after = Snapshot();
      ++after.ElementCount;
      after.ElementTopZ = Top();
      after.ElementBottomZ = bottom;
      Add(heights, {height, after, count});
    }
    // A prism has the same vertices in both caps; a two-level polygon's
    // lower polygon, computed in single precision, has an edge length of its own.
    for (const Option& height : heights) {
      fields.Height = height.Script;
      bool found = false;
      const auto confirmed = [&](const char* kind) {
        fields.Kind = kind;
        found = Try(fields, expected, static_cast<int>(count)).has_value();
        return found;
      };
      if (CapsDifferOnlyInZ(topCap, bottomCap)) {
        fields.Kind = "Polygon";
        ForEachEdge(fields.Diam2, topCap, n, false, [&] {
          fields.LengthMin = fields.Diam2;
          return confirmed("Polygon");
        });
      }
      if (!found) {
        fields.Kind = "Complex";
        fields.LengthMin = "1";
        ForEachEdge(fields.Diam2, topCap, n, false, [&] {
          return ForEachEdge(fields.LengthMin, bottomCap, n, true, [&] { return confirmed("Complex"); });
        });
      }
      if (!found) continue;
      const bool prism = fields.Kind == "Polygon";
      std::string script = prism ? "click Ob_Cone\n" : "click Ob_Sphere\n";
      script += "set Cb_Edges " + fields.Edges + "\nset Tb_Diam2 " + fields.Diam2 + "\n";
      if (!prism) script += "set Tb_LengthMin " + fields.LengthMin + "\n";
      script += "set Tb_Height " + fields.Height + "\nclick Cmd_Confirm\n";
      Add(options, {script, height.After, count});
    }
  }

  // Whether two cap lines list the same x and y, whatever their z.
  static bool CapsDifferOnlyInZ(const std::vector<std::string_view>& top,
                                const std::vector<std::string_view>& bottom) {
    if (top.size() != bottom.size()) return false;
    for (std::size_t i = 2; i < top.size(); ++i) {
      if ((i - 1) % 3 != 0 && top[i] != bottom[i]) return false;
    }
    return true;
  }

  // Puts each edge length text whose cap line lists the same vertices into `field`,
  // shortest first, until `found` says so: the cap's first vertex gives the
  // circumradius, and the rounding of the coordinates to 3 decimals bounds
  // the search. Whether `found` said so.
  bool ForEachEdge(std::string& field, const std::vector<std::string_view>& cap, int n, bool lowerLevel,
                   const std::function<bool()>& found) {
    const std::optional<double> x = ReadNumber(cap[2]);
    const std::optional<double> y = ReadNumber(cap[3]);
    if (!x || !y) return false;
    const double alpha = 2 * static_cast<double>(format_.PiValue) / n;
    const double radius = std::hypot(*x, *y);
    const double edge = std::sqrt(2 * radius * radius * (1 - std::cos(alpha)));
    return ForEachNearbyText(edge, 0.002, separator_, [&](const std::string& text) {
      const std::vector<std::string> vertices = definition::CapVertexTexts(
          n, numbers::FieldNumber(text, format_), lowerLevel, format_.PiValue);
      bool same = vertices.size() * 3 / 2 + 2 == cap.size();
      for (std::size_t i = 0; same && i < vertices.size(); ++i) {
        same = vertices[i] == cap[2 + i / 2 * 3 + i % 2];
      }
      field = text;
      return same && found();
    });
  }

  const Tool& tool_;
  char separator_;
  numbers::NumberFormat format_;
  std::unique_ptr<definition::ToolDefinition> sim_ = std::make_unique<definition::ToolDefinition>();
  std::unique_ptr<scene::PreviewMesh> mesh_ = std::make_unique<scene::PreviewMesh>();
  std::string script_;
  std::string connection_;
  std::size_t cursor_ = 0;
  std::size_t end_ = 0;
  std::size_t failedAt_ = 0;  // the furthest element that nothing reproduced
  int nodes_ = 0;
  bool extend_ = false;
};

// Runs the script on an empty editor in memory; the reason when the export
// is not exactly `block`.
std::string Prove(const std::string& script, char separator, std::string_view block) {
  scene::MemoryFileSystem files;
  scene::NoSceneView view;
  std::ostringstream out;
  std::ostringstream err;
  replay::ReplayMessages messages(out);
  numbers::FixedLocaleQuery locale(std::string(1, separator));
  editor::Editor editor("rebuild", files, view, messages, locale);
  editor.Load();
  const int status = replay::RunScript("script", script, editor, messages, out, err);
  if (status != replay::kOk) return "the derived script fails: " + err.str() + out.str();
  if (!messages.Pending().empty()) return "the derived script shows the message " + messages.Pending().front();
  const auto exported = files.Files.find("rebuild/usrprobe.dat");
  if (exported == files.Files.end() || exported->second != block) {
    return "the derived script does not export the same bytes";
  }
  return {};
}

}  // namespace

std::string RebuildScript::UpToExport() const {
  const std::string_view last = "click Cmd_Export\n";
  if (Script.ends_with(last)) return Script.substr(0, Script.size() - last.size());
  return Script;
}

RebuildScript DeriveScript(const Library& library, const Tool& tool, std::optional<char> separator) {
  RebuildScript result;
  if (tool.CommaSeparator && tool.PointSeparator) {
    result.Reason = "the block writes numbers with both a point and a comma";
    return result;
  }
  const char written = tool.CommaSeparator ? ',' : tool.PointSeparator ? '.' : '\0';
  if (separator && written != '\0' && *separator != written) {
    result.Reason = std::string("the block is written with ") + (written == ',' ? "a comma" : "a point") +
                    " as decimal separator";
    return result;
  }
  result.Separator = written != '\0' ? written : separator.value_or('.');
  if (!tool.CrLfOnly) {
    result.Reason = "its lines do not all end in CR LF, as an export writes them";
    return result;
  }
  if (tool.Elements.empty()) {
    result.Reason = "the tool has no element";
    return result;
  }
  try {
    result.Script = Deriver(tool, result.Separator).Derive();
  } catch (const NotRebuildable& failure) {
    result.Reason = failure.Reason;
    return result;
  }
  result.Reason = Prove(result.Script, result.Separator, library.Block(tool));
  if (!result.Proven()) result.Script.clear();
  return result;
}

}  // namespace tarvo::library
