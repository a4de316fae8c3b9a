#include "ui/preview/feature_edges.h"

#include <Inventor/SbVec3d.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPrimitiveVertex.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoDrawStyle.h>
#include <Inventor/nodes/SoIndexedLineSet.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoPickStyle.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/VRMLnodes/SoVRMLTransform.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "ui/preview/flat_index.h"

namespace tarvo::ui {
namespace {

// Neighbouring faces that meet at more than this show their edge: the
// facets of a cylinder (9 degrees), a cone (5) or a ball stay smooth.
const float kCreaseCosine = std::cos(30.0F * static_cast<float>(M_PI) / 180);
constexpr float kGrey = 0.25F;  // the lines' colour, dark on the scene's light greys
using Key = std::array<float, 3>;
// Spreads the bits of the coordinates; the standard hash of a float hashes
// its bytes one by one.
struct KeyHash {
  std::size_t operator()(const Key& key) const {
    return std::bit_cast<std::uint32_t>(key[0]) * std::size_t{73856093} ^
           std::bit_cast<std::uint32_t>(key[1]) * std::size_t{19349663} ^
           std::bit_cast<std::uint32_t>(key[2]) * std::size_t{83492791};
  }
};
struct EndsHash {
  std::size_t operator()(std::uint64_t ends) const { return ends; }
};
struct CornersHash {
  std::size_t operator()(const std::array<int, 3>& corners) const {
    return static_cast<std::size_t>(corners[0]) * 73856093 ^ static_cast<std::size_t>(corners[1]) * 19349663 ^
           static_cast<std::size_t>(corners[2]) * 83492791;
  }
};

}  // namespace

// Collects the triangles a callback action meets; corners at the same point
// are one (a shape computes each of its points once). The triangles of an
// element (a VRML Transform) are kept, in the coordinates they are drawn in,
// for as long as neither it nor anything below it nor the transform above it
// changes: such an element is not traversed again, its triangles are taken
// as they were.
struct FeatureEdges::Triangles {
  explicit Triangles(std::size_t expected) : Known(expected), Seen(expected) {}

  FlatIndex<Key, KeyHash> Known;
  std::vector<SbVec3f>* Points = nullptr;
  std::vector<std::array<int, 3>> Corners;
  FlatIndex<std::array<int, 3>, CornersHash> Seen;  // the corners of each, in order
  std::unordered_map<const SoNode*, Element>* Elements = nullptr;
  std::unordered_map<const SoNode*, Element> Met;  // the elements of this traversal

  int PointOf(const SbVec3f& point) {
    const Key key{point[0] + 0.0F, point[1] + 0.0F, point[2] + 0.0F};  // -0 as 0
    const auto [number, added] = Known.Insert(key, static_cast<int>(Points->size()));
    if (added) Points->push_back(point);
    return number;
  }

  void Add(const SbVec3f* points) {
    std::array<int, 3> corners{};
    for (std::size_t i = 0; i < 3; ++i) corners[i] = PointOf(points[i]);
    // A face drawn twice (a polygonal element's faces come again with the
    // next one's) counts once.
    std::array<int, 3> sorted = corners;
    std::sort(sorted.begin(), sorted.end());
    if (sorted[0] != sorted[1] && sorted[1] != sorted[2] && Seen.Insert(sorted, 0).second) {
      Corners.push_back(corners);
    }
  }

  // The outermost element on the action's path, or null.
  static const SoNode* ElementOf(SoCallbackAction* action) {
    const SoPath* path = action->getCurPath();
    for (int i = 0; i < path->getLength(); ++i) {
      if (path->getNode(i)->isOfType(SoVRMLTransform::getClassTypeId())) return path->getNode(i);
    }
    return nullptr;
  }

  static void Triangle(void* data, SoCallbackAction* action, const SoPrimitiveVertex* v1,
                       const SoPrimitiveVertex* v2, const SoPrimitiveVertex* v3) {
    auto& self = *static_cast<Triangles*>(data);
    const SbMatrix& model = action->getModelMatrix();
    SbVec3f points[3];
    int i = 0;
    for (const SoPrimitiveVertex* vertex : {v1, v2, v3}) model.multVecMatrix(vertex->getPoint(), points[i++]);
    if (const SoNode* element = ElementOf(action)) {
      std::vector<SbVec3f>& kept = self.Met[element].Points;
      kept.insert(kept.end(), points, points + 3);
    }
    self.Add(points);
  }

  static SoCallbackAction::Response Enter(void* data, SoCallbackAction* action, const SoNode* node) {
    auto& self = *static_cast<Triangles*>(data);
    if (ElementOf(action) != node) return SoCallbackAction::CONTINUE;  // within an element
    const SbMatrix& model = action->getModelMatrix();
    const auto known = self.Elements->find(node);
    if (known != self.Elements->end() && known->second.Id == node->getNodeId() && known->second.Model == model) {
      const std::vector<SbVec3f>& points = known->second.Points;
      for (std::size_t at = 0; at + 2 < points.size(); at += 3) self.Add(&points[at]);
      self.Met.insert(self.Elements->extract(known));
      return SoCallbackAction::PRUNE;
    }
    self.Met[node] = {node->getNodeId(), model, {}};
    return SoCallbackAction::CONTINUE;
  }
};

FeatureEdges::FeatureEdges()
    : node_(new SoSeparator), coordinates_(new SoCoordinate3), lines_(new SoIndexedLineSet) {
  node_->ref();
  auto* light = new SoLightModel;
  light->model = SoLightModel::BASE_COLOR;
  auto* colour = new SoBaseColor;
  colour->rgb.setValue(kGrey, kGrey, kGrey);
  auto* style = new SoDrawStyle;
  style->lineWidth = 1;
  auto* unpickable = new SoPickStyle;
  unpickable->style = SoPickStyle::UNPICKABLE;
  for (SoNode* node : std::initializer_list<SoNode*>{light, colour, style, unpickable, coordinates_, lines_}) {
    node_->addChild(node);
  }
  lines_->coordIndex.setNum(0);
}

FeatureEdges::~FeatureEdges() { node_->unref(); }

void FeatureEdges::Collect(SoNode* faces) {
  points_.clear();
  normals_.clear();
  facePoints_.clear();
  edges_.clear();
  Triangles triangles(lastTriangles_ * 3);
  triangles.Points = &points_;
  triangles.Elements = &elements_;
  SoCallbackAction action;
  action.addTriangleCallback(SoNode::getClassTypeId(), &Triangles::Triangle, &triangles);
  action.addPreCallback(SoVRMLTransform::getClassTypeId(), &Triangles::Enter, &triangles);
  action.apply(faces);
  elements_ = std::move(triangles.Met);
  lastTriangles_ = triangles.Corners.size();  // those no longer drawn are let go

  FlatIndex<std::uint64_t, EndsHash> known(triangles.Corners.size() * 2);  // the edges by their ends
  for (const std::array<int, 3>& corners : triangles.Corners) {
    // In double precision: the square of a large face's area overflows a float.
    const auto point = [this, &corners](int i) {
      return SbVec3d(points_[static_cast<std::size_t>(corners[static_cast<std::size_t>(i)])]);
    };
    SbVec3d normal = (point(1) - point(0)).cross(point(2) - point(0));
    if (normal.normalize() == 0) continue;  // no area: no direction
    const int face = static_cast<int>(normals_.size());
    normals_.emplace_back(normal);
    facePoints_.push_back(corners[0]);
    for (int i = 0; i < 3; ++i) {
      int a = corners[static_cast<std::size_t>(i)], b = corners[static_cast<std::size_t>((i + 1) % 3)];
      if (a > b) std::swap(a, b);
      const auto key = (static_cast<std::uint64_t>(a) << 32) | static_cast<std::uint32_t>(b);
      const auto [number, added] = known.Insert(key, static_cast<int>(edges_.size()));
      if (added) {
        edges_.push_back({a, b, face});
      } else if (Edge& edge = edges_[static_cast<std::size_t>(number)]; edge.Other < 0) {
        edge.Other = face;
      } else {
        edge.Feature = true;  // three faces or more meet
      }
    }
  }
  for (Edge& edge : edges_) {
    edge.Feature = edge.Feature || edge.Other < 0 ||
                   normals_[static_cast<std::size_t>(edge.Face)].dot(normals_[static_cast<std::size_t>(edge.Other)]) <
                       kCreaseCosine;
  }
  coordinates_->point.setValues(0, static_cast<int>(points_.size()), points_.data());
  coordinates_->point.setNum(static_cast<int>(points_.size()));
}

void FeatureEdges::Show(const CameraPlacement& camera) {
  SbVec3f back;  // towards the viewer, for an orthographic camera
  camera.Orientation.multVec(SbVec3f(0, 0, 1), back);
  const auto facesViewer = [&](int face) {
    const auto f = static_cast<std::size_t>(face);
    const SbVec3f toViewer =
        camera.Orthographic ? back : camera.Position - points_[static_cast<std::size_t>(facePoints_[f])];
    return normals_[f].dot(toViewer) > 0;
  };
  std::vector<std::int32_t> indices;
  for (const Edge& edge : edges_) {
    if (edge.Feature || facesViewer(edge.Face) != facesViewer(edge.Other)) {
      indices.insert(indices.end(), {edge.A, edge.B, -1});
    }
  }
  lines_->coordIndex.setValues(0, static_cast<int>(indices.size()), indices.data());
  lines_->coordIndex.setNum(static_cast<int>(indices.size()));
}

}  // namespace tarvo::ui
