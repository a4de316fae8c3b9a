#include "editor/history.h"

#include <array>
#include <charconv>

namespace tarvo::editor {
namespace {

using enum ControlId;

// The Step 3 types by their script names and kind words.
struct TypeRow {
  std::string_view Type;
  std::string_view Kind;
};
constexpr std::array<TypeRow, 5> kTypes = {{{"cylinder", "Cyl"},
                                            {"cone", "Cone"},
                                            {"sphere", "Sphere"},
                                            {"polygon", "Polygon"},
                                            {"two-level-polygon", "Complex"}}};

constexpr std::array<std::string_view, 3> kToolKinds = {"tip", "extension", "polygonal"};

std::string_view TypeOfKind(std::string_view kind) {
  for (const TypeRow& row : kTypes) {
    if (row.Kind == kind) return row.Type;
  }
  return "?";
}

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = line.find(separator);
    parts.push_back(line.substr(0, at));
    if (at == std::string_view::npos) return parts;
    line.remove_prefix(at + 1);
  }
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

constexpr std::string_view kHeader = "TARVO TOOLS HISTORY 1";
// The line after a step that began an edit of a tool of usrprobe.dat.
constexpr std::string_view kEditKey = "EDIT";

// A block's bytes on one line: backslash, CR, LF and tab escaped.
std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\r': escaped += "\\r"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': bytes += '\\'; break;
      case 'r': bytes += '\r'; break;
      case 'n': bytes += '\n'; break;
      case 't': bytes += '\t'; break;
      default: return std::nullopt;
    }
  }
  return bytes;
}

// "EDIT", the tool's position, name and block: what a step's BeginsEdit holds.
std::optional<EditedTool> EditOf(const std::vector<std::string_view>& parts) {
  EditedTool tool;
  if (parts.size() != 4 || parts[0] != kEditKey) return std::nullopt;
  const auto [end, ec] = std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), tool.Position);
  if (ec != std::errc() || end != parts[1].data() + parts[1].size()) return std::nullopt;
  std::optional<std::string> name = Unescaped(parts[2]), block = Unescaped(parts[3]);
  if (!name || !block) return std::nullopt;
  tool.Name = std::move(*name);
  tool.Block = std::move(*block);
  return tool;
}

std::string_view KeyOf(StepKind kind) {
  switch (kind) {
    case StepKind::NewTool: return "NEW TOOL";
    case StepKind::AddElement: return "ADD ELEMENT";
    case StepKind::Confirm: return "CONFIRM";
    case StepKind::DeleteLast: return "DELETE LAST";
    case StepKind::DeleteAll: return "DELETE ALL";
    case StepKind::Change: return "CHANGE";
    case StepKind::Insert: return "INSERT";
    case StepKind::Remove: return "REMOVE";
  }
  return "";
}

bool IsChange(StepKind kind) {
  return kind == StepKind::Change || kind == StepKind::Insert || kind == StepKind::Remove;
}

bool HasElement(StepKind kind) {
  return kind == StepKind::Confirm || kind == StepKind::Change || kind == StepKind::Insert;
}

// The tool that a change, insert or removal leaves; false, with the tool
// unchanged, when the step does not apply to it.
bool ChangeTool(ToolUnderWay& tool, const Step& step) {
  if (!tool.Kind) return false;
  std::vector<ElementEntry>& elements = tool.Elements;
  const auto k = static_cast<std::size_t>(step.Position);
  const std::size_t limit = step.Kind == StepKind::Insert ? elements.size() + 1 : elements.size();
  if (k < 1 || k > limit) return false;
  if (step.Kind == StepKind::Change) elements[k - 1] = step.Element;
  if (step.Kind == StepKind::Insert) elements.insert(elements.begin() + static_cast<long>(k - 1), step.Element);
  if (step.Kind == StepKind::Remove) elements.erase(elements.begin() + static_cast<long>(k - 1));
  return true;
}

}  // namespace

Step NewToolStep(std::string name, std::string extension) {
  Step step;
  step.Name = std::move(name);
  step.Extension = std::move(extension);
  return step;
}

Step AddElementStep(ToolKind tool) {
  Step step;
  step.Kind = StepKind::AddElement;
  step.Tool = tool;
  return step;
}

Step ElementStep(StepKind kind, int position, ElementEntry element) {
  Step step;
  step.Kind = kind;
  step.Position = position;
  step.Element = std::move(element);
  return step;
}

std::optional<ToolUnderWay> ToolAfter(const std::vector<Step>& steps) {
  std::optional<ToolUnderWay> tool;
  for (const Step& step : steps) {
    switch (step.Kind) {
      case StepKind::NewTool: tool = ToolUnderWay{step.Name, step.Extension, std::nullopt, {}}; break;
      case StepKind::AddElement:
        if (tool) tool->Kind = step.Tool;
        break;
      case StepKind::Confirm:
        if (tool) tool->Elements.push_back(step.Element);
        break;
      case StepKind::DeleteLast:
        if (tool && !tool->Elements.empty()) tool->Elements.pop_back();
        break;
      case StepKind::DeleteAll: tool.reset(); break;
      default: break;  // not a plain step
    }
  }
  return tool;
}

std::vector<Step> BuildSteps(const ToolUnderWay& tool) {
  std::vector<Step> steps;
  steps.push_back(NewToolStep(tool.Name, tool.Extension));
  if (!tool.Kind) return steps;
  steps.push_back(AddElementStep(*tool.Kind));
  for (std::size_t i = 0; i < tool.Elements.size(); ++i) {
    steps.push_back(ElementStep(StepKind::Confirm, static_cast<int>(i + 1), tool.Elements[i]));
  }
  return steps;
}

bool ApplyStep(std::vector<Step>& plain, const Step& step) {
  if (!IsChange(step.Kind)) {
    plain.push_back(step);
    return true;
  }
  std::optional<ToolUnderWay> tool = ToolAfter(plain);
  if (!tool || !ChangeTool(*tool, step)) return false;
  // The tool's own steps start at its NEW TOOL; an edit begun among them goes on.
  std::size_t start = plain.size();
  while (start > 0 && plain[start - 1].Kind != StepKind::NewTool) --start;
  if (start > 0) --start;
  std::optional<EditedTool> edit;
  for (std::size_t i = start; i < plain.size(); ++i) {
    if (plain[i].BeginsEdit) edit = plain[i].BeginsEdit;
  }
  plain.resize(start);
  for (Step& built : BuildSteps(*tool)) plain.push_back(std::move(built));
  plain.back().BeginsEdit = std::move(edit);
  return true;
}

void History::Record(Step step) {
  Truncate(position_);
  steps_.push_back(std::move(step));
  position_ = steps_.size();
}

void History::Truncate(std::size_t count) {
  if (count < steps_.size()) ++revisions_;
  steps_.resize(std::min(count, steps_.size()));
  position_ = steps_.size();
  Invalidate(position_);
}

void History::MarkEdit(EditedTool tool) {
  if (position_ == 0) return;
  steps_[position_ - 1].BeginsEdit = std::move(tool);
  ++revisions_;  // a step recorded has changed
  Invalidate(position_ - 1);
}

void History::Invalidate(std::size_t count) const {
  done_.resize(std::min(done_.size(), count + 1));
  nodes_.erase(nodes_.begin() + static_cast<long>(done_.back().Nodes), nodes_.end());
}

std::size_t History::Append(std::size_t before, Step step) const {
  const std::size_t self = nodes_.size();
  PlainNode node;
  node.Plain = std::move(step);
  node.Before = before;
  if (before != kNone) {
    const PlainNode& previous = nodes_[before];
    node.Length = previous.Length + 1;
    node.Tool = previous.Tool, node.Kind = previous.Kind, node.Last = previous.Last, node.Edit = previous.Edit;
  }
  const bool underway = node.Tool != kNone;
  switch (node.Plain.Kind) {
    case StepKind::NewTool: node.Tool = self, node.Kind.reset(), node.Last = kNone, node.Edit = kNone; break;
    case StepKind::AddElement:
      if (underway) node.Kind = node.Plain.Tool;
      break;
    case StepKind::Confirm:
      if (underway) node.Below = node.Last, node.Last = self;
      break;
    case StepKind::DeleteLast:
      if (underway && node.Last != kNone) node.Last = nodes_[node.Last].Below;
      break;
    case StepKind::DeleteAll: node.Tool = kNone; break;
    default: break;
  }
  if (node.Plain.BeginsEdit) node.Edit = self;
  nodes_.push_back(std::move(node));
  ++copied_;
  return self;
}

std::size_t History::Apply(std::size_t plain, const Step& step) const {
  if (!IsChange(step.Kind)) return Append(plain, step);
  std::optional<ToolUnderWay> tool = ToolAt(plain);
  if (!tool || !ChangeTool(*tool, step)) return plain;
  // The tool's own steps start at its NEW TOOL; an edit begun among them goes on.
  const PlainNode& last = nodes_[plain];
  std::vector<Step> built = BuildSteps(*tool);
  if (last.Edit != kNone) built.back().BeginsEdit = nodes_[last.Edit].Plain.BeginsEdit;
  plain = nodes_[last.Tool].Before;
  for (Step& each : built) plain = Append(plain, std::move(each));
  return plain;
}

std::optional<ToolUnderWay> History::ToolAt(std::size_t plain) const {
  if (plain == kNone || nodes_[plain].Tool == kNone) return std::nullopt;
  const PlainNode& last = nodes_[plain];
  const Step& start = nodes_[last.Tool].Plain;
  ToolUnderWay tool{start.Name, start.Extension, last.Kind, {}};
  for (std::size_t at = last.Last; at != kNone; at = nodes_[at].Below) {
    tool.Elements.push_back(nodes_[at].Plain.Element);
  }
  std::reverse(tool.Elements.begin(), tool.Elements.end());
  return tool;
}

const History::Done& History::DoneAfter(std::size_t count) const {
  while (done_.size() <= count) {
    const Step& step = steps_[done_.size() - 1];
    Done next = done_.back();
    next.Plain = Apply(next.Plain, step);
    next.Nodes = nodes_.size();
    if (step.Kind == StepKind::NewTool) next.Started = done_.size();
    done_.push_back(next);
  }
  return done_[count];
}

std::vector<Step> History::PlainSteps(std::size_t count) const {
  const std::size_t last = DoneAfter(std::min(count, steps_.size())).Plain;
  std::vector<Step> plain(last == kNone ? 0 : nodes_[last].Length);
  for (std::size_t at = last, i = plain.size(); at != kNone; at = nodes_[at].Before) plain[--i] = nodes_[at].Plain;
  copied_ += plain.size();
  return plain;
}

std::optional<ToolUnderWay> History::Underway() const { return ToolAt(DoneAfter(position_).Plain); }

std::optional<std::size_t> History::UnfinishedStart() const {
  const Done& done = DoneAfter(position_);
  if (done.Started == 0 || done.Plain == kNone || nodes_[done.Plain].Tool == kNone) return std::nullopt;
  return done.Started - 1;
}

std::vector<Step> History::UnfinishedSteps() const {
  const std::optional<std::size_t> start = UnfinishedStart();
  if (!start) return {};
  std::vector<Step> steps(steps_.begin() + static_cast<long>(*start), steps_.begin() + static_cast<long>(position_));
  copied_ += steps.size();
  return steps;
}

std::string StepName(const Step& step) {
  const std::string k = std::to_string(step.Position);
  switch (step.Kind) {
    case StepKind::Confirm: return "CONFIRM of element " + k;
    case StepKind::Change: return "change of element " + k;
    case StepKind::Insert: return "insertion of element " + k;
    case StepKind::Remove: return "removal of element " + k;
    default: return std::string(KeyOf(step.Kind));
  }
}

std::string StepLine(const Step& step) {
  std::string line = StepName(step);
  if (step.Kind == StepKind::NewTool) line += ": " + step.Name + " " + step.Extension;
  if (step.Kind == StepKind::AddElement) line += ": " + std::string(kToolKinds[static_cast<std::size_t>(step.Tool)]);
  if (!HasElement(step.Kind)) return line;
  line += ": " + std::string(TypeOfKind(step.Element.Kind));
  if (step.Element.Disk) line += " Cb_Disk";
  for (ControlId field : FieldsOf(step.Element)) {
    line += " " + std::string(Row(field).Name) + " " + FieldText(step.Element, field);
  }
  return line;
}

std::string EncodeStep(const Step& step) {
  std::string text(KeyOf(step.Kind));
  if (step.Kind == StepKind::NewTool) text += "\t" + step.Name + "\t" + step.Extension;
  if (step.Kind == StepKind::AddElement) text += "\t" + std::string(kToolKinds[static_cast<std::size_t>(step.Tool)]);
  if (HasElement(step.Kind) || step.Kind == StepKind::Remove) text += "\t" + std::to_string(step.Position);
  if (HasElement(step.Kind)) {
    const ElementEntry& e = step.Element;
    for (const std::string* part : {&e.Kind, &e.Diam, &e.Diam2, &e.Height, &e.LengthMin, &e.Edges}) {
      text += "\t" + *part;
    }
    text += e.Disk ? "\t1" : "\t0";
  }
  text += "\r\n";
  if (const std::optional<EditedTool>& edit = step.BeginsEdit) {
    text += std::string(kEditKey) + "\t" + std::to_string(edit->Position) + "\t" + Escaped(edit->Name) + "\t" +
            Escaped(edit->Block) + "\r\n";
  }
  return text;
}

std::string EncodeSteps(const std::vector<Step>& steps) {
  std::string text = std::string(kHeader) + "\r\n";
  for (const Step& step : steps) text += EncodeStep(step);
  return text;
}

std::optional<std::vector<Step>> DecodeSteps(std::string_view text) {
  std::vector<std::string_view> lines = Split(text, '\n');
  if (lines.empty() || !lines.back().empty()) return std::nullopt;  // the last line is cut off
  lines.pop_back();
  for (std::string_view& line : lines) {
    if (line.empty() || line.back() != '\r') return std::nullopt;
    line.remove_suffix(1);
  }
  if (lines.empty() || lines.front() != kHeader) return std::nullopt;
  std::vector<Step> steps;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string_view> parts = Split(lines[i], '\t');
    if (parts[0] == kEditKey) {
      std::optional<EditedTool> edit = EditOf(parts);
      if (!edit || steps.empty() || steps.back().BeginsEdit) return std::nullopt;
      steps.back().BeginsEdit = std::move(edit);
      continue;
    }
    Step step;
    std::size_t kind = 0;
    while (kind < 8 && KeyOf(static_cast<StepKind>(kind)) != parts[0]) ++kind;
    if (kind == 8) return std::nullopt;
    step.Kind = static_cast<StepKind>(kind);
    std::size_t expected = 1;
    if (step.Kind == StepKind::NewTool) {
      expected = 3;
      if (parts.size() == expected) step.Name = parts[1], step.Extension = parts[2];
    } else if (step.Kind == StepKind::AddElement) {
      expected = 2;
      std::size_t tool = 0;
      while (parts.size() == expected && tool < kToolKinds.size() && kToolKinds[tool] != parts[1]) ++tool;
      if (tool == kToolKinds.size()) return std::nullopt;
      step.Tool = static_cast<ToolKind>(tool);
    } else if (HasElement(step.Kind) || step.Kind == StepKind::Remove) {
      expected = HasElement(step.Kind) ? 9 : 2;
      if (parts.size() != expected) return std::nullopt;
      const std::optional<int> k = Number(parts[1]);
      if (!k) return std::nullopt;
      step.Position = *k;
      if (HasElement(step.Kind)) {
        ElementEntry& e = step.Element;
        e.Kind = parts[2], e.Diam = parts[3], e.Diam2 = parts[4], e.Height = parts[5];
        e.LengthMin = parts[6], e.Edges = parts[7], e.Disk = parts[8] == "1";
        if (TypeOfKind(e.Kind) == "?" || (parts[8] != "0" && parts[8] != "1")) return std::nullopt;
      }
    }
    if (parts.size() != expected) return std::nullopt;
    steps.push_back(std::move(step));
  }
  return steps;
}

std::optional<std::string> ElementKindOfType(std::string_view type) {
  for (const TypeRow& row : kTypes) {
    if (row.Type == type) return std::string(row.Kind);
  }
  return std::nullopt;
}

bool KindOffers(ToolKind tool, std::string_view elementKind) {
  if (elementKind == "Cyl") return true;
  if (tool == ToolKind::Tip) return elementKind == "Cone" || elementKind == "Sphere";
  if (tool == ToolKind::Polygonal) return elementKind == "Polygon" || elementKind == "Complex";
  return false;
}

std::vector<ControlId> FieldsOf(const ElementEntry& element) {
  const std::string_view kind = element.Kind;
  if (kind == "Cone") return {Tb_Diam, Tb_Diam2, Tb_Height};
  if (kind == "Sphere") return element.Disk ? std::vector{Tb_Diam, Tb_Height} : std::vector{Tb_Diam};
  if (kind == "Polygon") return {Cb_Edges, Tb_Diam2, Tb_Height};
  if (kind == "Complex") return {Cb_Edges, Tb_Diam2, Tb_Height, Tb_LengthMin};
  return {Tb_Diam, Tb_Height};
}

std::string& FieldText(ElementEntry& element, ControlId field) {
  switch (field) {
    case Tb_Diam2: return element.Diam2;
    case Tb_Height: return element.Height;
    case Tb_LengthMin: return element.LengthMin;
    case Cb_Edges: return element.Edges;
    default: return element.Diam;
  }
}

const std::string& FieldText(const ElementEntry& element, ControlId field) {
  return FieldText(const_cast<ElementEntry&>(element), field);
}

}  // namespace tarvo::editor
