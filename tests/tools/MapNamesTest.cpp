// Map names: what readers take as one word, unique actors, texture names from files or materials.
#include <gtest/gtest.h>

#include <string>

#include "MapNames.h"

// One map's actors, in order: each name is checked against the names before it.
TEST(MapNamesTest, ActorNamesAreWordsUniqueInTheMap) {
  const struct {
    const char* original;
    const char* name;
  } cases[] = {
      {"Bip01 L Oberarm", "Bip01_L_Oberarm"},
      {"3DBox", "_3DBox"},
      {"Armature/Hips", "Armature_Hips"},
      {"<Root>", "_Root_"},
      {"nodes[77]", "nodes_77_"},
      {"Gr\xC3\xB6\xC3\x9F"
       "e",
       "Gr_e"},
      {"a // b | c", "a_b_c"},
      {"keep_this__one", "keep_this__one"},
      {"", "Unnamed"},
      {"", "Unnamed_2"},
      {"Box", "Box"},
      {"box", "box_2"},
      {"BOX", "BOX_3"},
      {"Box_2", "Box_2_2"},
      {"Box 2", "Box_2_3"},
      {"dummy", "dummy_2"},
      {"Dummy", "Dummy_3"},
      {"None", "None_2"},
  };
  MapNames names;
  std::size_t renamed = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.original);
    const std::string name = names.ActorName(c.original);
    EXPECT_EQ(name, c.name);
    if (name != c.original) {
      ++renamed;
      ASSERT_EQ(names.Renamings().size(), renamed);
      EXPECT_EQ(names.Renamings().back().kind, Renaming::Kind::kActor);
      EXPECT_EQ(names.Renamings().back().original, c.original);
      EXPECT_EQ(names.Renamings().back().name, name);
    }
  }
  EXPECT_EQ(names.Renamings().size(), renamed);
}

TEST(MapNamesTest, TextureNamesComeFromTheFileElseTheMaterial) {
  const struct {
    const char* path;
    const char* material;
    const char* name;
    bool recorded;
  } cases[] = {
      {".\\SpiderTex", "Spider", "SpiderTex", false},
      {"D:\\projects\\old maps\\drkwood2.bmp", "Wood", "drkwood2", false},
      {"\"textures/brick wall.png\"", "Brick", "brick_wall", true},
      {"textures/brick wall.png", "Brick", "brick_wall", true},
      {"../maps/tile.tga", "", "tile", false},
      {"*0", "Skin Mat", "Skin_Mat", true},
      {"", "Metal", "Metal", false},
      {"", "01_Default", "_01_Default", true},
      {"", "", "Default", true},
      {"C:/a.b/file.tar.gz", "", "file_tar", true},
      {"textures/brick wall.png", "Brick", "brick_wall", false},  // recorded once already
  };
  MapNames names;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const std::size_t before = names.Renamings().size();
    EXPECT_EQ(names.TextureName(c.path, c.material), c.name);
    ASSERT_EQ(names.Renamings().size(), before + (c.recorded ? 1 : 0));
    if (c.recorded) {
      EXPECT_EQ(names.Renamings().back().kind, Renaming::Kind::kTexture);
      EXPECT_EQ(names.Renamings().back().name, c.name);
    }
  }
  // Textures may share a name; actors still may not take one a texture has.
  EXPECT_EQ(names.TextureName("a/Metal.png", ""), "Metal");
  EXPECT_EQ(names.ActorName("Metal"), "Metal");
}
