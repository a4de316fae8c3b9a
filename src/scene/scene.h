#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "numbers/number_format.h"
#include "platform/files.h"
#include "scene/preview_mesh.h"
#include "scene/scene_blocks.h"
#include "scene/scene_view.h"

namespace tarvo::scene {

// The scene writes through the platform's files.
using platform::Durability;
using platform::FileStatus;
using platform::FileSystem;

// A file operation that did not happen, with the file and the system's reason.
struct FileFailure {
  std::filesystem::path File;
  std::string Reason;
};
using SceneResult = std::optional<FileFailure>;  // nothing when all went well

// The preview scene file Taster.wrl with its one-step backup Taster_Old.wrl,
// and the backup of the probe definition file. Every operation opens, writes
// and closes its file at once; a failed write leaves SceneZ where it was. A
// scene file that no longer holds what the scene last wrote (changed by
// another program, damaged) is written whole again at the next change, as a
// fresh build writes it.
class Scene {
 public:
  Scene(std::filesystem::path directory, FileSystem& files, SceneView& view);

  std::filesystem::path ScenePath() const { return directory_ / "Taster.wrl"; }
  std::filesystem::path SceneBackupPath() const { return directory_ / "Taster_Old.wrl"; }
  std::filesystem::path DefinitionPath() const { return directory_ / "usrprobe.dat"; }
  std::filesystem::path DefinitionBackupPath() const { return directory_ / "usrprobe_old.dat"; }

  // Backs up the scene, writes a header-only scene and shows it.
  SceneResult CreateWRMLFile();
  // Copies the scene to its backup; a missing scene is skipped.
  SceneResult SecurityCopy();
  // Puts the backup back, reloads the view and moves SceneZ back.
  SceneResult LoadOldFile();

  // The shape writers take the Step 4 texts as the value checks left them.
  SceneResult AddCylinder(std::string_view heightText, std::string_view diamText,
                          const numbers::NumberFormat& format);
  SceneResult AddCone(std::string_view heightText, std::string_view diamText,
                      std::string_view diam2Text, const numbers::NumberFormat& format);
  SceneResult AddSphere(std::string_view diamText, const numbers::NumberFormat& format);
  SceneResult AddDisk(std::string_view heightText, std::string_view diamText,
                      const numbers::NumberFormat& format);
  // Writes every face of the preview mesh; the element spans topZ..bottomZ.
  SceneResult AddPolygon(float topZ, float bottomZ, const numbers::NumberFormat& format);

  // The state of another scene of the same tool, its files aside: a rebuilt
  // tool's scene taken over.
  void TakeStateFrom(const Scene& other);
  // Writes the scene and, when given, its backup as a rebuild left them, and
  // shows the scene.
  SceneResult ShowFiles(const std::string& scene, const std::string* backup);

  double SceneZ = 0;          // y where the next shape starts
  float LastShapeHeight = 0;  // how far the last shape moved SceneZ
  PreviewMesh Mesh;

 private:
  SceneResult AppendBlock(const std::string& block);
  // Whether `file` holds `expected`; a file never written is taken as it is.
  bool Holds(const std::filesystem::path& file, const std::optional<std::string>& expected);
  // Copies `from` over `to` as FileSystem::Copy does; when `from` no longer
  // holds `expected` (`held` false), `to` gets `expected` instead.
  FileStatus CopyHeld(const std::filesystem::path& from, const std::filesystem::path& to,
                      const std::optional<std::string>& expected, bool& held);

  // What the scene and its backup hold since this scene last wrote them.
  std::optional<std::string> written_, writtenBackup_;
  // Whether the scene held written_ when SecurityCopy last read it, until the next write.
  std::optional<bool> sceneHeld_;

  std::string conePrototype_;  // the same for every cone: made once
  PolygonTexts polygonTexts_;
  std::filesystem::path directory_;
  FileSystem& files_;
  SceneView& view_;
};

}  // namespace tarvo::scene
