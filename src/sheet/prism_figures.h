#pragma once

#include <string>

namespace tarvo::sheet {

// A regular prism's figures from its edge count n and its edge length a, as
// the file's corners give it (their mean side, to the file's thousandths):
//   width across flats  s = a / tan(180° / n)   (the inscribed circle's
//                                                diameter; for an odd n no
//                                                two flats face each other)
//   across the corners  e = a / sin(180° / n)   (what the side view shows)
struct PrismFigures {
  int Edges = 0;
  double Edge = 0;
  double AcrossFlats = 0;
};
PrismFigures PrismOf(int edges, double edge);

// How the sheet labels a prism's end: "6 edges of 5, AF 8.6603", the edge count,
// the edge length and the width across flats.
std::string PrismText(const PrismFigures& prism);
// Its two ends, when they differ: "4 edges of 5 / 3, AF 5 / 3".
std::string PrismText(const PrismFigures& top, const PrismFigures& bottom);

}  // namespace tarvo::sheet
