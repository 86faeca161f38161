// Instances the export passes over, host answers it cannot use, and failures that reach the host.
#include "support/ExpectedBuilderBrush.h"
#include "T3d/ExportFixture.h"

namespace {

void AddSquare(THostInstance& instance) {
  instance.AddGroup().AddPolygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {0, 0, 1}, 0);
}

std::string ActorOpening(const std::string& name) {
  return "Begin Actor Class=Brush Name=" + name +
         "\n"
         "   CsgOper=CSG_Subtract\n"
         "   Location=(X=0.000000,Y=0.000000,Z=0.000000)\n"
         "   Begin Brush Name=" +
         name +
         "\n"
         "      Begin PolyList\n";
}

std::string ActorClosing(const std::string& name) {
  return "      End PolyList\n"
         "   End Brush\n"
         "   Brush=Model'MyLevel." +
         name +
         "'\n"
         "End Actor\n";
}

bool HasActor(const std::string& text, const std::string& name) {
  return text.find("Begin Actor Class=Brush Name=" + name + "\n") != std::string::npos;
}

}  // namespace

using ExportFailureTest = ExportFixture;

TEST_F(ExportFailureTest, ExcludedAndNonPrimitiveInstancesLeaveNoTrace) {
  AddSquare(scene.AddInstance("A").SetExcludedKindA());
  AddSquare(scene.AddInstance("B").SetExcludedKindB());
  AddSquare(scene.AddInstance("C").SetNonPrimitive());
  AddSquare(scene.AddInstance("Kept"));
  const std::string text = ExportMap();
  EXPECT_FALSE(HasActor(text, "A"));
  EXPECT_FALSE(HasActor(text, "B"));
  EXPECT_FALSE(HasActor(text, "C"));
  EXPECT_TRUE(HasActor(text, "Kept"));
  EXPECT_EQ(ProgressSteps(), 1);
  // The display was opened for all four and is closed although it never reached its total.
  EXPECT_EQ(host.Utilities().ProgressEvents().front().value, 4.0f);

  // Asked for alone, an excluded element writes an empty list.
  EXPECT_EQ(ExportTop(scene.InstanceAt(0).TreeElement()), "Begin PolyList\nEnd PolyList\n");
}

TEST_F(ExportFailureTest, NoMeshSourceGivesAnEmptyActor) {
  AddSquare(scene.AddInstance("Hollow").SetNoMeshSource());
  EXPECT_EQ(ExportMap(), std::string("Begin Map\n") + kExpectedBuilderBrush +
                             ActorOpening("Hollow") + ActorClosing("Hollow"));
  EXPECT_EQ(ProgressSteps(), 1);
}

TEST_F(ExportFailureTest, NoMeshStopsTheExportWithWhatWasWrittenKept) {
  AddSquare(scene.AddInstance("One"));
  AddSquare(scene.AddInstance("Skipped").SetExcludedKindA());
  AddSquare(scene.AddInstance("Two"));
  AddSquare(scene.AddInstance("Three").SetNoMesh());
  AddSquare(scene.AddInstance("Four"));
  const auto failure = ExportFailure(scene.Universe());
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Code(), kKXErrMissingObject);
  EXPECT_STREQ(failure->GetFileName(), "T3d");
  EXPECT_EQ(failure->Line(), 250);

  // The file was closed with every line written before the failure.
  const std::string text = ReadFileText(path);
  const std::string tail = ActorOpening("Three");
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_TRUE(HasActor(text, "Two"));
  EXPECT_FALSE(HasActor(text, "Four"));
  EXPECT_EQ(ProgressSteps(), 2);
  EXPECT_EQ(host.Utilities().ProgressEvents().back().kind, THostProgressEvent::Kind::Close);
}

TEST_F(ExportFailureTest, NoMemoryForTheStream) {
  host.Memory().RefuseRequest(1);  // the stream object is the export's first allocation
  const auto failure = ExportFailure(scene.Universe());
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Code(), kKXErrMissingObject);
  EXPECT_STREQ(failure->GetFileName(), "T3d");
  EXPECT_EQ(failure->Line(), 366);
  EXPECT_EQ(host.Memory().Refusals(), 1u);
  EXPECT_EQ(host.Utilities().ProgressEvents().back().kind, THostProgressEvent::Kind::Close);
}

TEST_F(ExportFailureTest, MissingFileIsNotAnExportFailure) {
  // The file cannot be made: the export still completes and writes nowhere.
  host.Files().Faults().RefuseCreate();
  AddSquare(scene.AddInstance("Lost"));
  ExportMap();
  EXPECT_EQ(ReadFileText(path), "");
}

TEST_F(ExportFailureTest, NullHostAnswersWriteNothingForThatElement) {
  const THostNull dropsInstance[] = {THostNull::Instance,    THostNull::Object,
                                     THostNull::TreeElementQuery};
  for (THostNull which : dropsInstance) {
    THostInstance& gone = scene.AddInstance("Gone");
    AddSquare(gone);
    gone.AnswerNull(which);
  }
  const THostNull emptiesActor[] = {THostNull::MeshHolder, THostNull::MaterialSet,
                                    THostNull::DomainMap,  THostNull::Group,
                                    THostNull::Polygon,    THostNull::MeshQuery,
                                    THostNull::GroupListQuery};
  for (THostNull which : emptiesActor) {
    THostInstance& empty = scene.AddInstance("Empty");
    AddSquare(empty);
    empty.AnswerNull(which);
  }
  THostInstance& noVertices = scene.AddInstance("NoVertices");
  AddSquare(noVertices);
  noVertices.AnswerNull(THostNull::Vertex);
  THostInstance& noTexture = scene.AddInstance("NoTexture");
  noTexture.SetDefaultMaterialName("Fallback").SetDomainTexture(0, "Brick");
  AddSquare(noTexture);
  noTexture.AnswerNull(THostNull::Texture);

  std::string expected = std::string("Begin Map\n") + kExpectedBuilderBrush;
  for (int i = 0; i < 7; ++i) expected += ActorOpening("Empty") + ActorClosing("Empty");
  expected += ActorOpening("NoVertices") +
              "   Begin Polygon Item=NoVertices Texture= Link=0\n"
              "         End Polygon\n" +
              ActorClosing("NoVertices");
  expected += ActorOpening("NoTexture") +
              "   Begin Polygon Item=NoTexture Texture=Fallback Link=0\n"
              "            Origin   +00000.000000,-00001.000000,+00000.000000\n"
              "            Normal   +00000.000000,+00000.000000,+00001.000000\n"
              "            Vertex   +00000.000000,-00001.000000,+00000.000000\n"
              "            Vertex   +00001.000000,-00001.000000,+00000.000000\n"
              "            Vertex   +00001.000000,+00000.000000,+00000.000000\n"
              "            Vertex   +00000.000000,+00000.000000,+00000.000000\n"
              "         End Polygon\n" +
              ActorClosing("NoTexture");
  EXPECT_EQ(ExportMap(), expected);

  // A top element that does not answer as an instance gives an empty list.
  THostInstance& top = scene.AddInstance("Top");
  AddSquare(top);
  top.AnswerNull(THostNull::InstanceQuery);
  EXPECT_EQ(ExportTop(top.TreeElement()), "Begin PolyList\nEnd PolyList\n");
}

TEST_F(ExportFailureTest, WithheldServicesFailTheExportInsteadOfCrashing) {
  AddSquare(scene.AddInstance("Box"));
  for (int entry : {1, 3, 4}) {
    host.Withhold(entry);
    RestartServices();
    const auto failure = ExportFailure(scene.Universe());
    ASSERT_TRUE(failure) << "entry " << entry;
    EXPECT_EQ(failure->Code(), kKXErrMissingObject);
    host.Withhold(entry, false);
  }
  RestartServices();
  EXPECT_TRUE(HasActor(ExportMap(), "Box"));

  // Without host memory there is no stream object.
  host.Withhold(8);
  RestartServices();
  const auto failure = ExportFailure(scene.Universe());
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Line(), 366);
  host.Withhold(8, false);
}
