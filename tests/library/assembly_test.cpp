// Assemblies: the stack's figures are those of the one tool it writes, that
// tool is what the user types, and the saved assemblies survive damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

#include "library/assembly.h"
#include "library/assembly_file.h"
#include "library/assembly_output.h"
#include "library/assembly_tool.h"
#include "sheet/sheet_layout.h"
#include "testing/replay_editor.h"
#include "testing/temp_folder.h"

namespace tarvo::library {
namespace {

using namespace tarvo::testing;

// A tool as a user types it: name, connection, kind (Ob_Tip, Ob_Extend,
// Ob_Polyg), then the element lines.
std::string Typed(const std::string& name, const std::string& connection, const std::string& kind,
                  const std::string& elements) {
  return "set Tb_ToolName " + name + "\nset Cb_Extension " + connection + "\nclick Cmd_NewTool\nclick " + kind +
         "\nclick Cmd_Add\n" + elements + "click Cmd_Export\n";
}
std::string Cylinder(const std::string& height, const std::string& diameter) {
  return "click Ob_Cylinder\nset Tb_Height " + height + "\nset Tb_Diam " + diameter + "\nclick Cmd_Confirm\n";
}
std::string Ball(const std::string& diameter) { return "click Ob_Sphere\nset Tb_Diam " + diameter + "\nclick Cmd_Confirm\n"; }

// usrprobe.dat after the scripts ran, one editor each.
std::string FileOf(const std::vector<std::string>& scripts) {
  MemoryFileSystem files;
  for (const std::string& script : scripts) {
    ReplayEditor replay(files);
    EXPECT_EQ(replay.Run(script), 0) << replay.errors.str() << replay.output.str();
  }
  return files.Read("/d/usrprobe.dat");
}

std::vector<PartRef> Parts(const std::vector<std::string>& texts) {
  std::vector<PartRef> parts;
  for (const std::string& text : texts) parts.push_back(*ReadPart(text));
  return parts;
}

// EX30 (an M3 extension 30 × Ø4), ST1 (an M2 tip: 20 × Ø2, ball 3), m2
// (an extension with its connection in lower case), and two tools named T.
const std::string kEx30 = Typed("EX30", "M3", "Ob_Extend", Cylinder("30", "4"));
const std::string kSt1 = Typed("ST1", "M2", "Ob_Tip", Cylinder("20", "2") + Ball("3"));
struct Library4 {
  Library library = ReadLibrary(FileOf({kEx30, kSt1, Typed("E2", "m2", "Ob_Extend", Cylinder("10", "3")),
                                        Typed("T", "M2", "Ob_Extend", Cylinder("5", "3")),
                                        Typed("T", "M2", "Ob_Extend", Cylinder("7", "3"))}));
};

TEST(Assembly, PartTextsReadAndWriteBack) {
  const struct {
    const char* Text;
    const char* Name;
    int Position;  // 0: none
    bool Carbide;
  } rows[] = {{"EX30", "EX30", 0, false},        {"EX30#2", "EX30", 2, false},  {"EX30:carbide", "EX30", 0, true},
              {"EX 30#12:carbide", "EX 30", 12, true}, {"A:B#x", "A:B#x", 0, false}};
  for (const auto& row : rows) {
    const std::optional<PartRef> part = ReadPart(row.Text);
    ASSERT_TRUE(part) << row.Text;
    EXPECT_EQ(part->Name, row.Name);
    EXPECT_EQ(part->Position.value_or(0), row.Position);
    EXPECT_EQ(part->Stem, row.Carbide ? sheet::Material::Carbide : sheet::Material::Steel);
    EXPECT_EQ(PartText(*part), row.Text);
  }
  std::string error;
  for (const char* bad : {"", "#2", ":carbide", "EX:brass", " :steel"}) EXPECT_FALSE(ReadPart(bad, &error)) << bad;
  EXPECT_EQ(error, "a part needs the name of a tool");
}

// Each part hangs at the lower end of the part above; its elements keep
// their own material; a tool's figures are the stack's of that one part.
TEST(Assembly, PartsHangBelowEachOtherWithTheirOwnMaterials) {
  const Library4 file;
  const Stack stack = StackOf(file.library, Parts({"E2:titanium", "EX30:carbide", "ST1"}));
  ASSERT_TRUE(stack.IsWhole());
  EXPECT_EQ(stack.Joints, (std::vector<double>{0, -10, -40}));
  EXPECT_EQ(stack.FirstElement, (std::vector<std::size_t>{0, 1, 2}));
  ASSERT_EQ(stack.Profiles.size(), 4U);
  EXPECT_DOUBLE_EQ(stack.Profiles[2].TopZ, -40);
  EXPECT_DOUBLE_EQ(stack.Profiles[3].BottomZ, -61.5);
  const sheet::ToolFigures f = StackFigures(stack, std::nullopt);
  EXPECT_DOUBLE_EQ(f.Length, 60);
  EXPECT_DOUBLE_EQ(*f.WorkingLength, 20);
  EXPECT_DOUBLE_EQ(f.Largest, 4);
  EXPECT_EQ(f.Elements, 4);
  // Mass by hand: π r² h / 1000 × density for each cylinder, the ball ruby.
  const auto cylinder = [](double d, double h, sheet::Material m) {
    return std::numbers::pi * d * d / 4 * h / 1000 * sheet::DataOf(m).Density;
  };
  const double ball = 4 * std::numbers::pi / 3 * 1.5 * 1.5 * 1.5 / 1000 * sheet::DataOf(sheet::Material::Ruby).Density;
  EXPECT_NEAR(f.Mass, cylinder(3, 10, sheet::Material::Titanium) + cylinder(4, 30, sheet::Material::Carbide) +
                          cylinder(2, 20, sheet::Material::Steel) + ball, 1e-9);
}

TEST(Assembly, ConnectionWordsCompareWithoutCaseAndNeedAnAdapterWhereTheyDiffer) {
  const Library4 file;
  const struct {
    std::vector<std::string> Parts;
    const char* Line;
  } rows[] = {
      {{"EX30", "ST1"}, "connection\tEX30 ends in M3; ST1 needs M2: an adapter is needed\n"},
      {{"E2", "ST1"}, "connection\tok\n"},  // m2 and M2
      {{"T#4", "E2", "EX30", "ST1"},
       "connection\tE2 ends in m2; EX30 needs M3: an adapter is needed; EX30 ends in M3; ST1 needs M2: an adapter is "
       "needed\n"},
      {{"ST1"}, "connection\tok\n"},
  };
  for (const auto& row : rows) {
    const Stack stack = StackOf(file.library, Parts(row.Parts));
    EXPECT_TRUE(stack.IsWhole());
    EXPECT_EQ(ConnectionLine(stack), row.Line);
  }
}

TEST(Assembly, MissingAndImpossiblePartsAreReportedAndTheRestStays) {
  const Library4 file;
  const Stack missing = StackOf(file.library, Parts({"EX30", "ST9", "T#3"}));
  EXPECT_FALSE(missing.IsWhole());
  EXPECT_EQ(missing.Missing, (std::vector<std::string>{"ST9 is not in usrprobe.dat any more",
                                                       "T#3 is not in usrprobe.dat any more"}));
  EXPECT_EQ(missing.Tools[0], &file.library.Tools[0]);
  const Stack refused = StackOf(file.library, Parts({"ST1", "T", "EX30"}));
  EXPECT_TRUE(refused.Missing.empty());
  EXPECT_EQ(refused.Refusals,
            (std::vector<std::string>{"ST1 is a tip: only an extension may have a part below it",
                                      "several tools are named \"T\", at positions 4, 5: name one as T#K"}));
  // Adding the tool again mends the assembly.
  const Library mended = ReadLibrary(FileOf({kEx30, kSt1, Typed("ST9", "M2", "Ob_Extend", Cylinder("1", "1"))}));
  EXPECT_TRUE(StackOf(mended, Parts({"EX30", "ST9"})).IsWhole());
}

// What the user types for EX30 then ST1 as one tool, element by element.
TEST(WriteAsOneTool, TheBlockIsTheTypedToolsAndGoesThroughExport) {
  const Library4 file;
  const Stack stack = StackOf(file.library, Parts({"E2", "EX30", "ST1"}));
  const OneToolScript script = ScriptOfStack(file.library, stack, "STACK");
  ASSERT_TRUE(script.Proven()) << script.Reason;
  const std::string typed =
      FileOf({Typed("STACK", "m2", "Ob_Tip", Cylinder("10", "3") + Cylinder("30", "4") + Cylinder("20", "2") + Ball("3"))});
  EXPECT_EQ(script.Block, typed);

  // On the disk, where the editor looks for the names already there.
  TempFolder folder;
  platform::DiskFileSystem disk;
  const std::string before = FileOf({kEx30, kSt1});
  ASSERT_TRUE(disk.Write(folder / "usrprobe.dat", before, platform::Durability::Durable).IsOk());
  for (const bool second : {false, true}) {
    const WrittenTool written = WriteOneTool(disk, folder.Path(), script);
    EXPECT_EQ(written.Failure, "");
    EXPECT_EQ(written.Notice, second ? "A tool named STACK is already in usrprobe.dat." : "");
    EXPECT_EQ(ReadFile(folder / "usrprobe_old.dat"), second ? before + typed : before);
  }
  EXPECT_EQ(ReadFile(folder / "usrprobe.dat"), before + typed + typed);
  EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"usrprobe.dat", "usrprobe_old.dat"}));

  MemoryFileSystem files;
  files.FailingPaths.insert("/d/usrprobe.dat");
  EXPECT_TRUE(WriteOneTool(files, "/d", script).Failure.starts_with("The tool was not exported: "));
}

TEST(WriteAsOneTool, MoreThan50ElementsOr200LinesAreRefused) {
  std::string many, polygon = "click Ob_Cone\nset Cb_Edges 90\nset Tb_Diam2 1\nset Tb_Height 5\nclick Cmd_Confirm\n";
  for (int i = 0; i < 26; ++i) many += Cylinder("1", "2");
  std::string fifteen;
  for (int i = 0; i < 15; ++i) fifteen += Cylinder("1", "2");
  const Library library = ReadLibrary(FileOf({Typed("E", "M2", "Ob_Extend", many), Typed("F", "M2", "Ob_Extend", fifteen),
                                              Typed("P", "M2", "Ob_Polyg", polygon)}));
  EXPECT_EQ(ScriptOfStack(library, StackOf(library, Parts({"E", "E"})), "X").Reason,
            "the assembly has 52 elements; one tool holds at most 50");
  EXPECT_TRUE(ScriptOfStack(library, StackOf(library, Parts({"E", "F"})), "X").Proven());
  EXPECT_EQ(ScriptOfStack(library, StackOf(library, Parts({"F", "P"})), "X").Reason,
            "the assembly needs more than 200 definition lines; one tool holds at most 200");
}

// Random stacks of extensions and a last tool of any kind: the stack's
// figures are those of the one tool written from it.
TEST(WriteAsOneTool, TheStacksFiguresAreTheWrittenToolsForRandomStacks) {
  std::mt19937 random(20261207);
  const auto between = [&](int low, int high) { return std::uniform_int_distribution<>(low, high)(random); };
  const auto value = [&] { return std::to_string(between(1, 400) / 10.0).substr(0, 4); };
  for (int trial = 0; trial < 25; ++trial) {
    std::vector<std::string> scripts, names;
    for (int e = 0, extensions = between(0, 3); e < extensions; ++e) {
      std::string cylinders;
      for (int c = 0, count = between(1, 3); c < count; ++c) cylinders += Cylinder(value(), value());
      names.push_back("E" + std::to_string(e));
      scripts.push_back(Typed(names.back(), "M2", "Ob_Extend", cylinders));
    }
    const int kind = between(0, 2);
    std::string last = Cylinder(value(), value());
    if (kind == 0) {
      last += "click Ob_Cone\nset Tb_Height " + value() + "\nset Tb_Diam " + value() + "\nset Tb_Diam2 " + value() +
              "\nclick Cmd_Confirm\n";
      last += between(0, 1) ? Ball(value()) : "click Ob_Sphere\nclick Cb_Disk\nset Tb_Height " + value() +
                                                  "\nset Tb_Diam " + value() + "\nclick Cmd_Confirm\n";
    } else if (kind == 1) {
      last += "click Ob_Cone\nset Cb_Edges " + std::to_string(between(3, 12)) + "\nset Tb_Diam2 " + value() +
              "\nset Tb_Height " + value() + "\nclick Cmd_Confirm\n";
    }
    names.push_back("L");
    scripts.push_back(Typed("L", "M2", kind == 0 ? "Ob_Tip" : kind == 1 ? "Ob_Polyg" : "Ob_Extend", last));
    const Library library = ReadLibrary(FileOf(scripts));
    const Stack stack = StackOf(library, Parts(names));
    ASSERT_TRUE(stack.IsWhole());
    const OneToolScript one = ScriptOfStack(library, stack, "ONE");
    ASSERT_TRUE(one.Proven()) << one.Reason;
    const std::optional<sheet::ToolFigures> tool = sheet::FiguresOfBlock(one.Block, {});
    ASSERT_TRUE(tool);
    const sheet::ToolFigures f = StackFigures(stack, std::nullopt);
    const auto same = [](double a, double b) { return std::abs(a - b) <= 1e-5 * std::max(1.0, std::abs(b)); };
    SCOPED_TRACE(one.Script);
    EXPECT_PRED2(same, f.Length, tool->Length);
    EXPECT_PRED2(same, f.WorkingLength.value_or(-1), tool->WorkingLength.value_or(-1));
    EXPECT_PRED2(same, f.TipDiameter.value_or(-1), tool->TipDiameter.value_or(-1));
    EXPECT_PRED2(same, f.StemDiameter.value_or(-1), tool->StemDiameter.value_or(-1));
    EXPECT_PRED2(same, f.Largest, tool->Largest);
    EXPECT_PRED2(same, f.Mass, tool->Mass);
    EXPECT_PRED2(same, f.Bending, tool->Bending);
    EXPECT_PRED2(same, f.Heat, tool->Heat);
    EXPECT_EQ(f.Elements, tool->Elements);
  }
}

// The sheet marks each joint and names each part; the scene and the STL put
// each part at its mounting face.
TEST(Assembly, TheSheetSceneAndStlPutEachPartInItsPlace) {
  const Library4 file;
  const std::vector<PartRef> parts = Parts({"E2", "EX30:carbide", "ST1"});
  const Stack stack = StackOf(file.library, parts);
  const sheet::SheetDrawing d = StackSheet(file.library, stack, StackFigures(stack, std::nullopt),
                                           {"LONG", parts, "2026-12-07", "0.1.0", std::nullopt});
  EXPECT_EQ(d.Name, "LONG");
  std::vector<double> joints;
  for (const sheet::SheetLine& line : d.Lines) {
    if (line.Style == sheet::Pen::CentreLine && line.Points[0].Y == line.Points[1].Y) {
      joints.push_back((d.MountingY - line.Points[0].Y) / d.Factor);
    }
  }
  EXPECT_EQ(joints, (std::vector<double>{-10, -40}));
  std::vector<std::string> texts;
  for (const sheet::SheetText& text : d.Texts) texts.push_back(text.Text);
  for (const char* text : {"E2", "EX30:carbide", "ST1", "Assembly data sheet",
                           "Parts, from the probe down: E2 (stainless steel), EX30 (tungsten carbide), ST1 (stainless steel)"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  }
  EXPECT_TRUE(sheet::OverlappingTexts(d).empty());
  // The parts differ in material: the mass line names no single stem material.
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
    return t.find("stem each part's own, as listed") != std::string::npos;
  }));

  const std::string scene = StackScene(stack);
  EXPECT_NE(scene.find("translation 0 -25 0"), std::string::npos);  // EX30's centre
  EXPECT_NE(scene.find("translation 0 -50 0"), std::string::npos);  // ST1's stem's centre
  EXPECT_NE(scene.find("# JOINT\r\n#-------------------\r\nTransform {\r\ntranslation 0 -40 0"), std::string::npos);

  MemoryFileSystem files;
  ASSERT_TRUE(ExportStackStl(files, "/s.stl", file.library, stack, "LONG").IsWritten());
  const std::string stl = files.Read("/s.stl");
  float lowest = 0;
  for (std::size_t at = 84; at + 50 <= stl.size(); at += 50) {
    for (int corner = 0; corner < 3; ++corner) {
      float z;
      std::memcpy(&z, stl.data() + at + 12 + 12 * corner + 8, 4);
      lowest = std::min(lowest, z);
    }
  }
  EXPECT_FLOAT_EQ(lowest, -61.5F);
}

TEST(AssembliesFile, ReadWrittenBackByteForByteWithDamagedLinesKept) {
  const std::string bytes =
      "# my stacks\nA\tEX30\tST1:carbide\n\nbroken line\nB\tT#4\r\nA\tST1\nC\tEX:brass\nD\tST1";
  AssembliesFile file = AssembliesFile::Read(bytes);
  EXPECT_EQ(file.Bytes(), bytes);
  ASSERT_EQ(file.Problems().size(), 3U);
  EXPECT_EQ(file.Problems()[0].Line, 4);
  EXPECT_EQ(file.Problems()[0].Text, "no tab between the name and the parts");
  EXPECT_EQ(file.Problems()[1].Text, "a second assembly named A");
  EXPECT_EQ(file.Problems()[2].Line, 7);
  EXPECT_EQ(file.Problems()[2].Text, "part 1: unknown material brass");
  ASSERT_EQ(file.Assemblies().size(), 3U);
  EXPECT_EQ(file.Find("B")->Parts, Parts({"T#4"}));
  EXPECT_EQ(file.Find("A")->Parts, Parts({"EX30", "ST1:carbide"}));

  EXPECT_EQ(file.Put({"B", Parts({"E2:titanium", "ST1"})}), "");
  EXPECT_EQ(file.Rename("A", "A2"), "");
  EXPECT_EQ(file.Rename("A2", "D"), "an assembly named D is already there");
  EXPECT_EQ(file.Put({"#x", {}}), "an assembly's name must not be empty, hold a tab or a line end, or begin with #");
  EXPECT_TRUE(file.Remove("D"));
  EXPECT_EQ(file.Put({"E", Parts({"EX30"})}), "");
  EXPECT_EQ(file.Put({"F", {}}), "");
  EXPECT_EQ(file.Bytes(), "# my stacks\nA2\tEX30\tST1:carbide\n\nbroken line\nB\tE2:titanium\tST1\nA\tST1\n"
                          "C\tEX:brass\nE\tEX30\nF\t\n");
  EXPECT_EQ(AssembliesFile::Read(file.Bytes()).Assemblies().size(), 5U);
  EXPECT_EQ(AssembliesFile::Read(file.Bytes()).Bytes(), file.Bytes());

  MemoryFileSystem files;
  AssembliesFile loaded = AssembliesFile::Read("x");
  ASSERT_TRUE(LoadAssemblies(files, "/d", loaded).IsOk());  // no file: no assembly
  EXPECT_TRUE(loaded.Assemblies().empty());
  ASSERT_TRUE(SaveAssemblies(files, "/d", file).IsOk());
  ASSERT_TRUE(LoadAssemblies(files, "/d", loaded).IsOk());
  EXPECT_EQ(loaded.Bytes(), file.Bytes());
}

}  // namespace
}  // namespace tarvo::library
