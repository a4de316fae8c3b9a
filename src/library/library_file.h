#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::library {

enum class ToolKind { Tip, Polygonal, Extension };
enum class ElementType { Cylinder, Cone, Ball, Disk, Polygon };

// One element as its lines describe it; z runs down from 0 at the mounting face.
struct Element {
  ElementType Type = ElementType::Cylinder;
  int Line = 0;            // the element's first line in the file (1-based)
  int LastLine = 0;        // its last line
  double TopZ = 0;
  double BottomZ = 0;
  double Diameter = 0;     // the upper one of a cone
  double Diameter2 = 0;    // the lower one of a cone
  int Edges = 0;           // a polygonal element's edge count
  std::optional<double> HotspotZ;  // a ball or disk tip's reference point
};

struct Problem {
  int Line = 0;  // 1-based, in the file
  std::string Text;
};

// One tool: a block of lines from an ITEM line to the next one or the end.
struct Tool {
  int Position = 0;             // 1-based, in file order
  std::size_t Begin = 0;        // the block's bytes in the file
  std::size_t End = 0;
  int FirstLine = 0;            // the ITEM line's number
  std::vector<std::string_view> Lines;  // the block's lines without their ends
  bool CrLfOnly = true;         // every line of the block ends in CR LF
  std::string Name;             // the ITEM line's text up to its last blank, trailing blanks removed
  std::string Connection;       // the text after that last blank
  ToolKind Kind = ToolKind::Extension;
  std::vector<Element> Elements;
  bool CommaSeparator = false;  // a number of the block is written with a comma
  bool PointSeparator = false;  // a number that follows the locale is written with a point
  std::vector<Problem> Problems;

  // The distance from z = 0 down to the tool's reference point; nothing
  // without elements.
  std::optional<double> Length() const;
  // The ball or disk tip, when the last element is one.
  const Element* Tip() const;
};

// A probe definition file read as tools. The tools' lines point into Bytes.
struct Library {
  std::shared_ptr<const std::string> Bytes;
  std::vector<Tool> Tools;

  std::string_view Block(const Tool& tool) const {
    return std::string_view(*Bytes).substr(tool.Begin, tool.End - tool.Begin);
  }
};

Library ReadLibrary(std::string bytes);

std::string_view KindWord(ToolKind kind);

// Reads a number written with a point or a comma.
std::optional<double> ReadNumber(std::string_view text);

}  // namespace tarvo::library
