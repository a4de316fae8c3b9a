#include "sheet/data_sheet.h"

#include <ctime>

#include "numbers/number_text.h"

namespace tarvo::sheet {

std::optional<DataSheet> SheetOfBlock(std::string_view block, const SheetContext& context, std::string* error) {
  const mesh::ToolSolids solids = mesh::ReadToolSolids(block);
  if (error) *error = solids.Error.empty() ? "the tool has no element" : solids.Error;
  if (solids.Solids.empty()) return std::nullopt;
  const std::vector<ElementProfile> profiles = ProfilesOf(solids.Solids);
  DataSheet sheet{FiguresOf(profiles, context.Materials, context.Probe ? context.Probe->Force : context.Force), {}};
  SheetTitle title = TitleOfItem(solids.Item);
  title.Position = context.Position;
  title.Tools = context.Tools;
  title.Date = context.Date;
  title.Version = context.Version;
  title.Probe = context.Probe;
  sheet.Drawing = LayOutSheet(profiles, sheet.Figures, title);
  return sheet;
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);  // one thread asks at a time
  if (local == nullptr) return "";
  return numbers::DateText(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

}  // namespace tarvo::sheet
