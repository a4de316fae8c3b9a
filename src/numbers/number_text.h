#pragma once

#include <string>

namespace tarvo::numbers {

// Every number that the system writes is formatted here and nowhere else.
//
// The general form: "-" before negatives, no grouping, no trailing zeros and
// no separator for whole values, "0" before the separator below 1. Values of
// 10^digits and above, and non-zero values below 0.0001, use the exponent form
// "1.5E+07", "1E-05". Zero is always "0", never "-0".

// A single-precision value with at most 7 significant digits.
std::string SingleText(float value, char separator);

// A double-precision value with at most 15 significant digits.
std::string DoubleText(double value, char separator);

std::string IntegerText(int value);

// Polygon coordinates: rounded half-to-even to 3 decimals, always with a point.
std::string CoordinateText(double value);
// The single-precision form: rounded to 3 decimals in single precision, 7 digits.
std::string CoordinateText(float value);

// Numbers of the preview scene: always a point.
std::string SceneText(double value);
std::string SceneText(float value);

// The figures of a tool's data sheet, with a point unless told otherwise:
// the value rounded to `decimals` decimals on its exact binary value, ties to
// even. FigureText drops trailing zeros and a trailing separator (20, 12.5);
// FixedText keeps them (4.50). A value that rounds to zero is "0" or "0.00",
// never with a sign.
std::string FigureText(double value, int decimals, char separator = '.');
std::string FixedText(double value, int decimals, char separator = '.');

// A date as YYYY-MM-DD.
std::string DateText(int year, int month, int day);

// The value rounded half-to-even at the given number of decimals, computed on
// the exact binary value.
double RoundHalfEven(double value, int decimals);

}  // namespace tarvo::numbers
