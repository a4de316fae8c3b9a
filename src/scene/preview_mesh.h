#pragma once

#include <array>
#include <cstdint>

namespace tarvo::scene {

// The faces and vertices of every polygonal element since the last reset,
// numbered from 1; a face's vertices follow one another in the vertex lists.
struct PreviewMesh {
  static constexpr int kMaxFaces = 2000;
  static constexpr int kMaxVertices = 5000;

  int FaceCount = 0;
  std::array<std::int16_t, kMaxFaces + 1> FaceFirstVertex{};
  std::array<std::int16_t, kMaxFaces + 1> FaceVertexCount{};
  std::int16_t VertexCount = 0;
  std::array<float, kMaxVertices + 1> VertexX{};
  std::array<float, kMaxVertices + 1> VertexY{};
  std::array<float, kMaxVertices + 1> VertexZ{};

  // Starts a face whose vertices are added next.
  void BeginFace(int vertexCount) {
    ++FaceCount;
    FaceFirstVertex[FaceCount] = static_cast<std::int16_t>(VertexCount + 1);
    FaceVertexCount[FaceCount] = static_cast<std::int16_t>(vertexCount);
  }
  void AddVertex(float x, float y, float z) {
    ++VertexCount;
    VertexX[VertexCount] = x;
    VertexY[VertexCount] = y;
    VertexZ[VertexCount] = z;
  }
  void Reset() {
    FaceCount = 0;
    VertexCount = 0;
    ++Resets;
  }

  int Resets = 0;  // how often the lists were emptied: what was formatted of them is stale
};

}  // namespace tarvo::scene
