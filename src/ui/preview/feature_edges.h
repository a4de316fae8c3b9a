#pragma once

#include <Inventor/SbBasic.h>
#include <Inventor/SbMatrix.h>
#include <Inventor/SbVec3f.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "ui/preview/camera_views.h"

class SoCoordinate3;
class SoIndexedLineSet;
class SoNode;
class SoSeparator;

namespace tarvo::ui {

// The feature edges of the faces a scene draws, as lines thin and dark over
// them: the crease edges, where neighbouring faces meet at more than 30
// degrees (the rim of a cylinder, the edges of a prism), the edges of one
// face only, and the silhouette, where a face turned to the viewer meets one
// turned away (the outline of a ball, of a cylinder's side). The faces must
// be drawn pushed back a little (a polygon offset) for the lines to show.
class FeatureEdges {
 public:
  FeatureEdges();
  ~FeatureEdges();
  FeatureEdges(const FeatureEdges&) = delete;
  FeatureEdges& operator=(const FeatureEdges&) = delete;

  // The lines, to draw after the faces, outside any transform of them.
  SoSeparator* Node() const { return node_; }
  // Finds the edges of the faces `faces` draws, in the coordinates it draws
  // them in.
  void Collect(SoNode* faces);
  // Shows the crease edges and the silhouette that `camera` sees.
  void Show(const CameraPlacement& camera);

 private:
  struct Edge {
    int A = 0, B = 0;            // its ends
    int Face = -1, Other = -1;   // the faces it borders; -1 for none
    bool Feature = false;        // a crease or the edge of one face: always shown
  };

  // The triangles of one element as last met, three corners each.
  struct Element {
    SbUniqueId Id = 0;  // the element's node id then: it changes with anything below it
    SbMatrix Model;        // the transform above it
    std::vector<SbVec3f> Points;
  };
  struct Triangles;

  std::unordered_map<const SoNode*, Element> elements_;  // of the faces last collected
  std::size_t lastTriangles_ = 0;                         // their count, to size the next collection
  std::vector<SbVec3f> points_;
  std::vector<SbVec3f> normals_;  // of each face
  std::vector<int> facePoints_;   // a corner of each face
  std::vector<Edge> edges_;

  SoSeparator* node_;
  SoCoordinate3* coordinates_;
  SoIndexedLineSet* lines_;
};

}  // namespace tarvo::ui
