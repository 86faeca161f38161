#include "KXRelativePath.h"

#include <gtest/gtest.h>

#include <string>

#include "KXHostFixture.h"

namespace {

constexpr const char* kBase = "C:\\dir\\sub\\scene.txt";

class KXRelativePathTest : public KXHostFixture {
 protected:
  void SetUp() override {
    KXHostFixture::SetUp();
    Files().SetPathSeparator('\\');
  }
};

std::string Relative(const char* path, const char* base = kBase, std::size_t size = 256) {
  char out[256];
  MakeRelativePath(path, out, size, base);
  return out;
}

std::string Resolved(const char* rel, const char* base = kBase, std::size_t size = 256) {
  char out[256];
  ResolveRelativePath(rel, out, size, base);
  return out;
}

}  // namespace

TEST_F(KXRelativePathTest, ConversionsGoBothWays) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\dir\\sub\\b.png", ":b.png"},
      {"C:\\dir\\sub\\x\\y.png", ":x:y.png"},
      {"C:\\dir\\tex\\a.png", "::tex:a.png"},
      {"C:\\other\\a.png", ":::other:a.png"},
      {"D:\\a.png", "D:\\a.png"},  // another drive stays absolute
  };
  for (const auto& [full, relative] : cases) {
    EXPECT_EQ(Relative(full), relative);
    EXPECT_EQ(Resolved(relative), full);
  }
}

TEST_F(KXRelativePathTest, PrefixIsSharedByCharacterWithoutCase) {
  EXPECT_EQ(Relative("C:\\dirB\\g.txt", "C:\\dirA\\f.txt"), "::dirB:g.txt");
  EXPECT_EQ(Relative("c:\\DIR\\sub\\b.png"), ":b.png");
  // A slash and a backslash differ for the prefix; in the copy both become ':'.
  EXPECT_EQ(Relative("C:\\dir\\sub/b/c.png"), "::sub:b:c.png");
  EXPECT_EQ(Resolved(":x/y:z\\w"), "C:\\dir\\sub\\x\\y\\z\\w");
}

TEST_F(KXRelativePathTest, ClimbingPastTheRootLeavesTheBareTail) {
  EXPECT_EQ(Resolved("::::::a.png"), "a.png");
  EXPECT_EQ(Resolved("::::a.png"), "a.png");
  EXPECT_EQ(Resolved(":::a.png"), "C:\\a.png");
  EXPECT_EQ(Resolved("::a.png"), "C:\\dir\\a.png");
}

TEST_F(KXRelativePathTest, HostSeparatorDecides) {
  Files().SetPathSeparator('/');
  const char* base = "/home/u/scene.t3d";
  EXPECT_EQ(Relative("/home/u/tex/a.png", base), ":tex:a.png");
  EXPECT_EQ(Relative("/srv/a.png", base), ":::srv:a.png");
  EXPECT_EQ(Resolved(":::srv:a.png", base), "/srv/a.png");
  EXPECT_EQ(Resolved("/abs/a.png", base), "/abs/a.png");
}

TEST_F(KXRelativePathTest, ResultsAreCutToTheirArea) {
  EXPECT_EQ(Relative("C:\\dir\\tex\\a.png", kBase, 6), "::tex");
  EXPECT_EQ(Relative("D:\\a.png", kBase, 3), "D:");
  EXPECT_EQ(Resolved(":x:y.png", kBase, 13), "C:\\dir\\sub\\x");
  EXPECT_EQ(Resolved("D:\\a.png", kBase, 1), "");
  char untouched = 'u';
  MakeRelativePath("D:\\a.png", &untouched, 0, kBase);
  ResolveRelativePath(":a", &untouched, 0, kBase);
  EXPECT_EQ(untouched, 'u');
}

TEST_F(KXRelativePathTest, WithoutAFileServiceTextIsCopied) {
  Install(kKXEntryFileManager, nullptr);
  EXPECT_EQ(Relative("C:\\dir\\sub\\b.png"), "C:\\dir\\sub\\b.png");
  EXPECT_EQ(Resolved(":b.png"), ":b.png");
}
