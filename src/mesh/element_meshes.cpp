#include "mesh/element_meshes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace tarvo::mesh {
namespace {

// Two unit vectors u, v across the axis such that (u, v, axis) is
// right-handed: a point turning from u towards v turns counter-clockwise
// seen from the axis' tip.
std::pair<Vec3, Vec3> CrossAxes(Vec3 axis) {
  const Vec3 a = (1 / Length(axis)) * axis;
  // The coordinate axis farthest from a keeps the projection well away from 0.
  const Vec3 helper = std::abs(a.X) < 0.5 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  const Vec3 across = helper - Dot(helper, a) * a;
  const Vec3 u = (1 / Length(across)) * across;
  return {u, Cross(a, u)};
}

}  // namespace

TriangleMesh Frustum(Vec3 first, double firstRadius, Vec3 second, double secondRadius) {
  const std::pair<Vec3, Vec3> axes = CrossAxes(second - first);
  const auto ring = [u = axes.first, v = axes.second](Vec3 centre, double radius) {
    std::vector<Vec3> points;
    for (int i = 0; i < kRoundSegments; ++i) {
      const double angle = 2 * std::numbers::pi * i / kRoundSegments;
      points.push_back(centre + (radius * std::cos(angle)) * u + (radius * std::sin(angle)) * v);
    }
    return points;
  };
  const std::vector<Vec3> a = ring(first, firstRadius);
  const std::vector<Vec3> b = ring(second, secondRadius);
  TriangleMesh mesh;
  for (int i = 0; i < kRoundSegments; ++i) {
    const int j = (i + 1) % kRoundSegments;
    // A point end (radius 0) has neither a cap nor the side triangle whose
    // two corners there would coincide.
    if (firstRadius > 0) {
      mesh.push_back({first, a[j], a[i]});
      mesh.push_back({a[i], a[j], b[j]});
    }
    if (secondRadius > 0) {
      mesh.push_back({second, b[i], b[j]});
      mesh.push_back({a[i], b[j], b[i]});
    }
  }
  return mesh;
}

TriangleMesh Sphere(Vec3 centre, double radius) {
  // Ring k at the polar angle k·π/stacks from the upper pole (k = 0).
  const auto point = [&](int k, int i) {
    const double polar = std::numbers::pi * k / kSphereStacks;
    const double angle = 2 * std::numbers::pi * (i % kSphereSegments) / kSphereSegments;
    if (k == 0 || k == kSphereStacks) return centre + Vec3{0, 0, k == 0 ? radius : -radius};
    const double across = radius * std::sin(polar);
    return centre + Vec3{across * std::cos(angle), across * std::sin(angle), radius * std::cos(polar)};
  };
  TriangleMesh mesh;
  for (int k = 0; k < kSphereStacks; ++k) {
    for (int i = 0; i < kSphereSegments; ++i) {
      // Each band quad in two triangles; at a pole one of them has two
      // corners on the pole and is left out.
      if (k > 0) mesh.push_back({point(k, i), point(k + 1, i + 1), point(k, i + 1)});
      if (k + 1 < kSphereStacks) mesh.push_back({point(k, i), point(k + 1, i), point(k + 1, i + 1)});
    }
  }
  return mesh;
}

TriangleMesh ConvexSolid(std::vector<std::vector<Vec3>> faces) {
  const auto average = [](const std::vector<Vec3>& points) {
    Vec3 sum;
    for (const Vec3& p : points) sum = sum + p;
    return (1.0 / static_cast<double>(points.size())) * sum;
  };
  std::vector<Vec3> all;
  for (const auto& face : faces) all.insert(all.end(), face.begin(), face.end());
  const Vec3 inside = average(all);
  TriangleMesh mesh;
  for (auto& face : faces) {
    // Σ p(i) × p(i+1) is twice the face's area along its normal, for a
    // counter-clockwise loop seen from the normal's tip.
    Vec3 normal;
    for (std::size_t i = 0; i < face.size(); ++i) normal = normal + Cross(face[i], face[(i + 1) % face.size()]);
    if (Dot(normal, average(face) - inside) < 0) std::reverse(face.begin(), face.end());
    for (std::size_t i = 1; i + 1 < face.size(); ++i) mesh.push_back({face[0], face[i], face[i + 1]});
  }
  return mesh;
}

}  // namespace tarvo::mesh
