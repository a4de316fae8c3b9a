#include "library/library_file.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "definition/tool_blocks.h"
#include "definition/tool_names.h"
#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"

namespace tarvo::library {
namespace {

// Elements that meet within this distance follow one another; the second term
// absorbs the binary error of decimal texts such as -5.001.
constexpr double kStackTolerance = 0.001 + 1e-9;

// How many fields follow each keyword; -1 where the count depends on the line.
const std::map<std::string_view, int, std::less<>> kFieldCounts = {
    {"begintip", 0}, {"endtip", 0}, {"color", 3},   {"ribcount", 1}, {"cylinder", 7},
    {"cone", 8},     {"sphere", 4}, {"cilinder", 7}, {"hotspot", 9},  {"connect", -1},
    {"solid", 1},    {"face", -1}};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Amount(double value) { return numbers::SingleText(static_cast<float>(value), '.'); }

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t at = 0;
  for (;;) {
    const std::size_t blank = line.find(' ', at);
    fields.push_back(line.substr(at, blank == std::string_view::npos ? blank : blank - at));
    if (blank == std::string_view::npos) return;
    at = blank + 1;
  }
}

// Reads one block's lines into its tool.
class BlockReader {
 public:
  BlockReader(Tool& tool) : tool_(tool) {}

  void Read() {
    ReadItemLine();
    bool endtip = false;
    for (std::size_t i = 1; i < tool_.Lines.size(); ++i) {
      lineNumber_ = tool_.FirstLine + static_cast<int>(i);
      const std::string_view line = tool_.Lines[i];
      if (line.empty()) continue;
      SplitFields(line, fields_);
      const std::string_view keyword = fields_[0];
      const auto count = kFieldCounts.find(keyword);
      if (count == kFieldCounts.end()) {
        AddProblem("unknown keyword " + Quoted(keyword));
        continue;
      }
      if (!HasFieldCount(keyword, count->second)) continue;
      if (keyword == "begintip") {
        if (i != 1) AddProblem("begintip is not directly after the ITEM line");
      } else if (keyword == "endtip") {
        endtip = true;
        if (tool_.Kind != ToolKind::Tip) AddProblem("endtip in a tool that is not a tip");
      } else {
        ReadElementLine(keyword);
      }
    }
    if (tool_.Kind == ToolKind::Tip && !endtip) {
      tool_.Problems.push_back({tool_.FirstLine, "the tip has no endtip line"});
    }
    CheckStacking();
    if (tool_.Lines.size() < 2 || !tool_.Lines.back().empty()) {
      tool_.Problems.push_back({tool_.FirstLine + static_cast<int>(tool_.Lines.size()) - 1,
                                "the tool is not followed by an empty line"});
    }
  }

 private:
  void AddProblem(std::string text) { tool_.Problems.push_back({lineNumber_, std::move(text)}); }

  void ReadItemLine() {
    const std::string_view text = tool_.Lines[0].substr(5);
    const std::size_t blank = text.rfind(' ');
    tool_.Name = definition::ItemName(tool_.Lines[0]).value_or("");
    if (definition::NameAsRead(tool_.Name) != tool_.Name) {
      tool_.Problems.push_back({tool_.FirstLine, "the name has blanks at its ends"});
    }
    if (blank != std::string_view::npos) tool_.Connection = std::string(text.substr(blank + 1));
    for (std::string_view line : tool_.Lines) {
      if (line == "begintip") tool_.Kind = ToolKind::Tip;
    }
    if (tool_.Kind != ToolKind::Tip) {
      for (std::string_view line : tool_.Lines) {
        if (line.starts_with("solid ") || line == "solid") tool_.Kind = ToolKind::Polygonal;
      }
    }
  }

  bool HasFieldCount(std::string_view keyword, int expected) {
    const int found = static_cast<int>(fields_.size()) - 1;
    std::string wanted;
    if (keyword == "connect") {
      if (found >= 7) return true;
      wanted = "at least 7";
    } else if (keyword == "face") {
      const std::optional<double> n = found >= 1 ? ReadNumber(fields_[1]) : std::nullopt;
      if (n && *n >= 0 && *n == std::floor(*n) && found == 1 + 3 * static_cast<int>(*n)) return true;
      wanted = n ? std::to_string(1 + 3 * static_cast<long long>(*n)) : "1 + 3 per vertex";
    } else {
      if (found == expected) return true;
      wanted = std::to_string(expected);
    }
    AddProblem("wrong number of fields after " + std::string(keyword) + ": " + std::to_string(found) +
               " (" + wanted + " expected)");
    return false;
  }

  // Field i as a number; `locale` marks a number that follows the locale.
  std::optional<double> Number(std::size_t i, bool locale = true) {
    const std::string_view text = fields_[i];
    const std::optional<double> value = ReadNumber(text);
    if (!value) {
      AddProblem("the number " + Quoted(text) + " cannot be read");
      return std::nullopt;
    }
    if (text.find(',') != std::string_view::npos) tool_.CommaSeparator = true;
    if (locale && text.find('.') != std::string_view::npos) tool_.PointSeparator = true;
    return value;
  }

  // Reads every number field; false when one cannot be read.
  bool Numbers(std::size_t count, std::vector<double>& values, bool locale = true) {
    values.assign(count + 1, 0);
    bool ok = true;
    for (std::size_t i = 1; i <= count; ++i) {
      const std::optional<double> value = Number(i, locale);
      if (value) values[i] = *value;
      ok = ok && value.has_value();
    }
    return ok;
  }

  Element& Start(ElementType type, double top, double bottom) {
    Element element;
    element.Type = type;
    element.Line = type == ElementType::Ball || type == ElementType::Disk ? tipColorLine_ : 0;
    if (element.Line == 0) element.Line = lineNumber_;
    element.LastLine = lineNumber_;
    element.TopZ = top;
    element.BottomZ = bottom;
    tool_.Elements.push_back(element);
    return tool_.Elements.back();
  }

  Element* Current(ElementType type) {
    if (tool_.Elements.empty() || tool_.Elements.back().Type != type) return nullptr;
    return &tool_.Elements.back();
  }

  void ReadElementLine(std::string_view keyword) {
    std::vector<double>& v = values_;
    if (keyword == "color") {
      if (Numbers(3, v) && v[1] == 255 && v[2] == 0 && v[3] == 0) tipColorLine_ = lineNumber_;
      return;
    }
    if (keyword == "ribcount" || keyword == "solid") {
      if (!Numbers(1, v) || keyword == "ribcount") return;
      Element& polygon = Start(ElementType::Polygon, 0, 0);
      polygon.Edges = static_cast<int>(v[1] / 2);
      polygonFaces_ = 0;
      return;
    }
    if (keyword == "cylinder" || keyword == "cilinder") {
      if (!Numbers(7, v)) return;
      Element& e = Start(keyword == "cylinder" ? ElementType::Cylinder : ElementType::Disk, v[3], v[6]);
      e.Diameter = v[7];
    } else if (keyword == "cone") {
      if (!Numbers(8, v)) return;
      Element& e = Start(ElementType::Cone, v[3], v[7]);
      e.Diameter = v[4];
      e.Diameter2 = v[8];
    } else if (keyword == "sphere") {
      if (!Numbers(4, v)) return;
      Start(ElementType::Ball, v[3], v[3]).Diameter = v[4];
    } else if (keyword == "hotspot") {
      if (!Numbers(8, v)) return;
      Element* tip = Current(ElementType::Ball);
      if (tip == nullptr) tip = Current(ElementType::Disk);
      if (tip != nullptr) {
        tip->HotspotZ = v[3];
        tip->LastLine = lineNumber_;
      }
    } else if (keyword == "connect") {
      // An axial point (x and y written "0") follows the locale; the side
      // points of a polygonal element are coordinates, always with a point.
      const bool axial = fields_[1] == "0" && fields_[2] == "0";
      if (!Numbers(6, v, axial)) return;
      if (!tool_.Elements.empty()) tool_.Elements.back().LastLine = lineNumber_;
      Element* polygon = Current(ElementType::Polygon);
      if (polygon != nullptr && axial) polygon->BottomZ = v[3];
    } else if (keyword == "face") {
      ReadFace();
    }
    tipColorLine_ = keyword == "color" ? tipColorLine_ : 0;
  }

  void ReadFace() {
    const std::size_t count = fields_.size() - 1;
    bool ok = Number(1, false).has_value();
    std::vector<double> z;
    for (std::size_t i = 2; i <= count; ++i) {
      const bool isZ = (i - 1) % 3 == 0;
      const std::optional<double> value = Number(i, isZ);
      ok = ok && value.has_value();
      if (value && isZ) z.push_back(*value);
    }
    Element* polygon = Current(ElementType::Polygon);
    if (!ok || polygon == nullptr) return;
    polygon->LastLine = lineNumber_;
    if (polygonFaces_ == 0 && !z.empty()) polygon->TopZ = polygon->BottomZ = z.front();
    for (const double value : z) {
      polygon->TopZ = std::max(polygon->TopZ, value);
      polygon->BottomZ = std::min(polygon->BottomZ, value);
    }
    ++polygonFaces_;
  }

  void CheckStacking() {
    double expected = 0;
    for (const Element& element : tool_.Elements) {
      const double step = expected - element.TopZ;
      if (step > kStackTolerance) {
        tool_.Problems.push_back({element.Line, "a gap of " + Amount(step) + " above the element"});
      } else if (step < -kStackTolerance) {
        tool_.Problems.push_back(
            {element.Line, "an overlap of " + Amount(-step) + " with the element above"});
      }
      expected = element.BottomZ;
    }
  }

  Tool& tool_;
  int lineNumber_ = 0;
  int tipColorLine_ = 0;
  int polygonFaces_ = 0;
  std::vector<std::string_view> fields_;
  std::vector<double> values_;
};

// Each kind of line end other than CR LF, at its first line, with the tool
// that holds that line (the first tool for lines before it).
void AddLineEndProblems(Library& library, const definition::OtherLineEnds& found) {
  const std::pair<int, const char*> kinds[] = {{found.FirstLf, "LF alone"}, {found.FirstCr, "CR alone"}};
  for (const auto& [line, kind] : kinds) {
    if (line == 0 || library.Tools.empty()) continue;
    Tool* holder = &library.Tools.front();
    for (Tool& tool : library.Tools) {
      if (tool.FirstLine <= line) holder = &tool;
    }
    holder->Problems.push_back({line, std::string("the line ends in ") + kind +
                                          ", not CR LF (the first such line of the file)"});
  }
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
  if (std::optional<double> value = numbers::ParseDecimal(text, '.')) return value;
  return numbers::ParseDecimal(text, ',');
}

std::string_view KindWord(ToolKind kind) {
  switch (kind) {
    case ToolKind::Tip: return "tip";
    case ToolKind::Polygonal: return "polygonal";
    case ToolKind::Extension: return "extension";
  }
  return "extension";
}

std::optional<double> Tool::Length() const {
  if (Elements.empty()) return std::nullopt;
  const Element& last = Elements.back();
  if (const Element* tip = Tip(); tip != nullptr && tip->HotspotZ) return -*tip->HotspotZ;
  return -std::min(last.TopZ, last.BottomZ);
}

const Element* Tool::Tip() const {
  if (Elements.empty()) return nullptr;
  const Element& last = Elements.back();
  return last.Type == ElementType::Ball || last.Type == ElementType::Disk ? &last : nullptr;
}

Library ReadLibrary(std::string bytes) {
  Library library;
  library.Bytes = std::make_shared<const std::string>(std::move(bytes));
  const std::string_view file(*library.Bytes);
  const std::vector<definition::BlockSpan> blocks = definition::ToolBlocks(file);
  library.Tools.reserve(blocks.size());
  int lineNumber = 1;
  for (std::size_t at = 0; at < (blocks.empty() ? 0 : blocks[0].Begin); ++lineNumber) {
    at = definition::LineAt(file, at).Next;
  }
  std::map<std::string_view, int> firstByName;
  for (const definition::BlockSpan& span : blocks) {
    Tool& tool = library.Tools.emplace_back();
    tool.Position = static_cast<int>(library.Tools.size());
    tool.Begin = span.Begin;
    tool.End = span.End;
    tool.FirstLine = lineNumber;
    for (std::size_t at = span.Begin; at < span.End;) {
      const definition::FileLine line = definition::LineAt(file, at);
      if (line.End != definition::LineEnd::CrLf) tool.CrLfOnly = false;
      tool.Lines.push_back(line.Text);
      at = line.Next;
    }
    lineNumber += static_cast<int>(tool.Lines.size());
    BlockReader(tool).Read();
    const auto [first, inserted] = firstByName.try_emplace(definition::NameAsRead(tool.Name), tool.Position);
    if (!inserted) {
      tool.Problems.push_back({tool.FirstLine, "the name " + Quoted(tool.Name) +
                                                   " is used by tool " + std::to_string(first->second)});
    }
  }
  AddLineEndProblems(library, definition::FindOtherLineEnds(file));
  for (Tool& tool : library.Tools) {
    std::stable_sort(tool.Problems.begin(), tool.Problems.end(),
                     [](const Problem& a, const Problem& b) { return a.Line < b.Line; });
  }
  return library;
}

}  // namespace tarvo::library
