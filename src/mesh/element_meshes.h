#pragma once

#include <vector>

#include "mesh/triangle_mesh.h"

namespace tarvo::mesh {

// Segments around a round element's axis: a regular 64-gon holds 99.84 % of
// its circle's area, so the mesh's volume stays within 0.2 % of the solid's.
inline constexpr int kRoundSegments = 64;
// A sphere's segments around its polar axis and from pole to pole.
inline constexpr int kSphereSegments = 64;
inline constexpr int kSphereStacks = 32;

// A cylinder, cone or frustum between two axis points with the radius at
// each end; a radius of 0 closes that end in a point. Vertices lie on the
// surface; both ends are flat caps.
TriangleMesh Frustum(Vec3 first, double firstRadius, Vec3 second, double secondRadius);

// A sphere as rings of latitude between two poles on a line parallel to z.
TriangleMesh Sphere(Vec3 centre, double radius);

// A convex solid from its plane, convex faces, each a loop of vertices in
// either direction: every face is turned to face away from the solid's
// inside and split into triangles from its first vertex.
TriangleMesh ConvexSolid(std::vector<std::vector<Vec3>> faces);

}  // namespace tarvo::mesh
