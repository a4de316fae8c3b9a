#pragma once

#include <array>
#include <cmath>
#include <vector>

namespace tarvo::mesh {

// A point or direction in millimetres; z along the probe axis.
struct Vec3 {
  double X = 0, Y = 0, Z = 0;

  friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
  friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
  friend Vec3 operator*(double s, Vec3 a) { return {s * a.X, s * a.Y, s * a.Z}; }
  friend bool operator==(Vec3, Vec3) = default;
};

inline double Dot(Vec3 a, Vec3 b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }

// Three corners, counter-clockwise seen from outside the solid.
using Triangle = std::array<Vec3, 3>;

// One closed solid: every edge is shared by exactly two of its triangles.
using TriangleMesh = std::vector<Triangle>;

}  // namespace tarvo::mesh
