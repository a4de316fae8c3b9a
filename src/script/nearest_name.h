#pragma once

#include <string_view>
#include <vector>

namespace tarvo::replay {

// The name of `names` nearest to `typed`: the fewest letters to insert, remove
// or change, capitals and small letters alike; of equally near ones, one that
// begins with `typed`, else the first. Empty when there are no names.
std::string_view NearestName(std::string_view typed, const std::vector<std::string_view>& names);

}  // namespace tarvo::replay
