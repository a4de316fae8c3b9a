#pragma once

#include <optional>
#include <string>

#include "library/library_file.h"

namespace tarvo::library {

// A replay script that rebuilds a tool, proven by running it through the
// editor in memory: exactly the tool's bytes were exported. Without a proven
// script the tool is not rebuildable, and Reason says why.
struct RebuildScript {
  std::string Script;  // "# --decimal-separator C", the actions, "click Cmd_Export"
  char Separator = '.';
  std::string Reason;  // empty when proven

  bool Proven() const { return Reason.empty(); }
  // The script without its EXPORT line: what loads the tool for editing.
  std::string UpToExport() const;
};

// Derives the field texts from the tool's lines (for polygonal elements the
// shortest decimal texts that reproduce the rounded coordinates) and proves
// the script. `separator` asks for that decimal separator where the block
// allows either.
RebuildScript DeriveScript(const Library& library, const Tool& tool,
                           std::optional<char> separator = std::nullopt);

}  // namespace tarvo::library
