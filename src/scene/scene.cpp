#include "scene/scene.h"

#include <algorithm>

#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"
#include "scene/scene_blocks.h"

namespace tarvo::scene {
namespace {

using numbers::SceneText;

using numbers::FieldNumber;

// The height field as it stands, with a point for its decimal separator.
std::string HeightText(std::string_view text) {
  std::string height(text);
  std::replace(height.begin(), height.end(), ',', '.');
  return height;
}

// The failed file: the one the file system names, else the one written.
SceneResult Failure(const std::filesystem::path& file, const FileStatus& status) {
  return FileFailure{status.File.empty() ? file : status.File, status.Reason};
}

}  // namespace

Scene::Scene(std::filesystem::path directory, FileSystem& files, SceneView& view)
    : directory_(std::move(directory)), files_(files), view_(view) {}

bool Scene::Holds(const std::filesystem::path& file, const std::optional<std::string>& expected) {
  if (!expected) return true;
  std::string bytes;
  return files_.Read(file, bytes).IsOk() && bytes == *expected;
}

FileStatus Scene::CopyHeld(const std::filesystem::path& from, const std::filesystem::path& to,
                           const std::optional<std::string>& expected, bool& held) {
  // The file work of FileSystem::Copy, the source read once.
  std::string bytes;
  FileStatus read = files_.Read(from, bytes);
  held = !expected || (read.IsOk() && bytes == *expected);
  if (held && !read.IsOk()) {
    read.File = from;
    return read;
  }
  FileStatus written = files_.Write(to, held ? bytes : *expected, Durability::Scratch);
  if (!written.IsOk()) written.File = to;
  return written;
}

SceneResult Scene::SecurityCopy() {
  bool held = true;
  const FileStatus status = CopyHeld(ScenePath(), SceneBackupPath(), written_, held);
  sceneHeld_ = held;  // for the shape that follows
  // What it should hold even when that failed: the next change then writes it whole.
  writtenBackup_ = written_;
  if (status.Result == FileStatus::Code::Failed) return Failure(SceneBackupPath(), status);
  return std::nullopt;
}

SceneResult Scene::CreateWRMLFile() {
  SceneResult result = SecurityCopy();
  if (const FileStatus status = files_.Write(ScenePath(), HeaderBlock(), Durability::Scratch); !status.IsOk()) {
    result = result ? result : Failure(ScenePath(), status);
  }
  written_ = HeaderBlock();
  sceneHeld_.reset();
  view_.Navigate(ScenePath());
  return result;
}

SceneResult Scene::LoadOldFile() {
  bool held = true;
  const FileStatus status = CopyHeld(SceneBackupPath(), ScenePath(), writtenBackup_, held);
  if (!status.IsOk()) return Failure(ScenePath(), status);
  written_ = writtenBackup_;
  view_.Refresh();
  SceneZ += LastShapeHeight;
  return std::nullopt;
}

void Scene::TakeStateFrom(const Scene& other) {
  SceneZ = other.SceneZ;
  LastShapeHeight = other.LastShapeHeight;
  Mesh = other.Mesh;
  conePrototype_ = other.conePrototype_;
  polygonTexts_ = other.polygonTexts_;
}

SceneResult Scene::ShowFiles(const std::string& scene, const std::string* backup) {
  SceneResult result;
  if (backup != nullptr) {
    if (const FileStatus status = files_.Write(SceneBackupPath(), *backup, Durability::Scratch); !status.IsOk()) {
      result = Failure(SceneBackupPath(), status);
    }
    writtenBackup_ = *backup;
  }
  if (const FileStatus status = files_.Write(ScenePath(), scene, Durability::Scratch); !status.IsOk() && !result) {
    result = Failure(ScenePath(), status);
  }
  written_ = scene;
  sceneHeld_.reset();
  view_.Refresh();
  return result;
}

SceneResult Scene::AppendBlock(const std::string& block) {
  const bool held = sceneHeld_ ? *sceneHeld_ : Holds(ScenePath(), written_);
  sceneHeld_.reset();
  const FileStatus status = held ? files_.Append(ScenePath(), block, Durability::Scratch)
                                 : files_.Write(ScenePath(), *written_ + block, Durability::Scratch);
  if (!status.IsOk()) return Failure(ScenePath(), status);
  if (written_) *written_ += block;
  view_.Refresh();
  return std::nullopt;
}

SceneResult Scene::AddCylinder(std::string_view heightText, std::string_view diamText,
                               const numbers::NumberFormat& format) {
  const double height = FieldNumber(heightText, format);
  const double radius = FieldNumber(diamText, format) / 2;
  SceneResult result = AppendBlock(
      CylinderBlock(SceneText(SceneZ - height / 2), HeightText(heightText), SceneText(radius)));
  if (!result) {
    SceneZ -= height;
    LastShapeHeight = static_cast<float>(height);
  }
  return result;
}

SceneResult Scene::AddCone(std::string_view heightText, std::string_view diamText,
                           std::string_view diam2Text, const numbers::NumberFormat& format) {
  const double height = FieldNumber(heightText, format);
  const double topRadius = FieldNumber(diamText, format) / 2;
  const double bottomRadius = FieldNumber(diam2Text, format) / 2;
  if (conePrototype_.empty()) conePrototype_ = ConePrototypeBlock(format.PiValue);
  SceneResult result = AppendBlock(
      conePrototype_ +
      ConeBlock(SceneText(SceneZ - height), HeightText(heightText), SceneText(topRadius),
                SceneText(bottomRadius)));
  if (!result) {
    SceneZ -= height;
    LastShapeHeight = static_cast<float>(height);
  }
  return result;
}

SceneResult Scene::AddSphere(std::string_view diamText, const numbers::NumberFormat& format) {
  const double radius = FieldNumber(diamText, format) / 2;
  SceneResult result = AppendBlock(SphereBlock(SceneText(SceneZ), SceneText(radius)));
  if (!result) LastShapeHeight = 0;
  return result;
}

SceneResult Scene::AddDisk(std::string_view heightText, std::string_view diamText,
                           const numbers::NumberFormat& format) {
  const double radius = FieldNumber(diamText, format) / 2;
  SceneResult result =
      AppendBlock(DiskBlock(SceneText(SceneZ), HeightText(heightText), SceneText(radius)));
  if (!result) LastShapeHeight = 0;
  return result;
}

SceneResult Scene::AddPolygon(float topZ, float bottomZ, const numbers::NumberFormat& format) {
  polygonTexts_.Update(Mesh);
  SceneResult result = AppendBlock(polygonTexts_.Block(format.PiValue));
  if (!result) {
    const float height = topZ - bottomZ;
    SceneZ -= height;
    LastShapeHeight = height;
  }
  return result;
}

}  // namespace tarvo::scene
