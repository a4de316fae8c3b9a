#include "sheet/materials.h"

#include <algorithm>
#include <array>

namespace tarvo::sheet {
namespace {

constexpr std::array<MaterialData, 8> kMaterials = {{
    {Material::Steel, "steel", "stainless steel", 7.9, 200, 16.0},
    {Material::Carbide, "carbide", "tungsten carbide", 15.0, 620, 5.5},
    {Material::Ruby, "ruby", "ruby", 3.9, 400, 5.8},
    {Material::SiliconNitride, "silicon-nitride", "silicon nitride", 3.2, 310, 3.2},
    {Material::Zirconia, "zirconia", "zirconia", 6.05, 205, 10.5},
    {Material::Titanium, "titanium", "titanium", 4.5, 114, 8.6},
    {Material::Aluminium, "aluminium", "aluminium", 2.7, 70, 23.1},
    {Material::CarbonFibre, "carbon-fibre", "carbon fibre", 1.6, 120, 0.5},
}};

}  // namespace

std::span<const MaterialData> AllMaterials() { return kMaterials; }

const MaterialData& DataOf(Material material) { return kMaterials[static_cast<std::size_t>(material)]; }

std::optional<Material> MaterialNamed(std::string_view key) {
  const auto found = std::find_if(kMaterials.begin(), kMaterials.end(), [&](const MaterialData& m) { return m.Key == key; });
  if (found == kMaterials.end()) return std::nullopt;
  return found->Id;
}

}  // namespace tarvo::sheet
