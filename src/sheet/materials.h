#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tarvo::sheet {

enum class Material { Steel, Carbide, Ruby, SiliconNitride, Zirconia, Titanium, Aluminium, CarbonFibre };

struct MaterialData {
  Material Id;
  std::string_view Key;   // the command line's word: "steel", "silicon-nitride"
  std::string_view Name;  // the sheet's words: "stainless steel"
  double Density;         // g/cm³, from public stylus data sheets
  double Modulus;         // E, GPa: typical values from public material tables
  double Expansion;       // α, 10⁻⁶/K: likewise typical values
};

// Every material, in the order of the choice lists.
std::span<const MaterialData> AllMaterials();
const MaterialData& DataOf(Material material);
std::optional<Material> MaterialNamed(std::string_view key);

// The stem's material (every element but the tip) and the tip's; without a
// choice the tip is ruby for a ball and stainless steel for a disk.
struct MaterialChoice {
  Material Stem = Material::Steel;
  std::optional<Material> Tip;
};

}  // namespace tarvo::sheet
