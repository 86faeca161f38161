#include <gtest/gtest.h>

#include <string>

#include "KXCharTables.h"
#include "KXCharacters.h"
#include "KXPlatform.h"
#include "KXHostFixture.h"
#include "KXString.h"

namespace {

std::string Text(const TKXString& s) { return std::string(s.Buffer(), s.ByteLength()); }

// First map: 'a' dropped, 'x' to 'y', 0xDF and 0xC6 expand, 0x01 dropped, 0x02 expands to
// nothing listed. Second map: 'b' to 'B'. Other bytes map to themselves.
const std::uint8_t kFirstExpansions[] = {8, 0xDF, 's', 's', 0, 0xC6, 'A', 'E', 0};
const std::uint8_t kSecondExpansions[] = {0};

KXCharTables MakeTables() {
  KXCharTables tables{};
  for (int i = 0; i < 256; ++i) {
    tables.maps[0][i] = static_cast<std::uint8_t>(i);
    tables.maps[1][i] = static_cast<std::uint8_t>(i);
  }
  tables.maps[0]['a'] = kKXCharDrop;
  tables.maps[0][0x01] = kKXCharDrop;
  tables.maps[0]['x'] = 'y';
  tables.maps[0][0xDF] = kKXCharExpand;
  tables.maps[0][0xC6] = kKXCharExpand;
  tables.maps[0][0x02] = kKXCharExpand;
  tables.maps[1]['b'] = 'B';
  tables.expansions[0] = kFirstExpansions;
  tables.expansions[1] = kSecondExpansions;
  return tables;
}

class KXStringImportTest : public KXHostFixture {
 protected:
  void SetUp() override {
    KXHostFixture::SetUp();
    Platform().SetCharacterTables(&tables_);
  }

  // `text` in a TKXString15 mapped through the chosen table, with consistent counters.
  std::string Mapped(const char* text, bool second = false) {
    TKXString15 s(text);
    s.MapCharacters(second);
    EXPECT_EQ(s.CharLength(), static_cast<std::int32_t>(s.ByteLength()));
    EXPECT_EQ(s.Buffer()[s.ByteLength()], '\0');
    return Text(s);
  }

 private:
  KXCharTables tables_ = MakeTables();
};

}  // namespace

TEST_F(KXStringImportTest, MapDropsReplacesAndExpands) {
  EXPECT_EQ(Mapped("banana"), "bnn");
  EXPECT_EQ(Mapped("xax"), "yy");
  EXPECT_EQ(Mapped("b\xDF" "c"), "bssc");           // grows: the rest moves right
  EXPECT_EQ(Mapped("\x01\xDF\xC6"), "ssAE");        // the dropped byte's room is used first
  EXPECT_EQ(Mapped("p\x02q"), "pq");                // expansion byte with no entry
  EXPECT_EQ(Mapped("banana", true), "Banana");
}

TEST_F(KXStringImportTest, ExpansionThatWouldPassTheCapacityDropsTheByte) {
  EXPECT_EQ(Mapped("0123456789abcd\xDF"), "0123456789bcdss");  // 'a' dropped first: room
  EXPECT_EQ(Mapped("0123456789bcde\xDF"), "0123456789bcde");    // full: the byte goes
  EXPECT_EQ(Mapped("\xDF\xDF\xDF\xDF\xDF\xDF\xDF\xDF"), "ssssssssssssss");  // 7 fit, 1 dropped
}

TEST_F(KXStringImportTest, ExpansionListIsReadOnlyWithinItsLength) {
  // The entry for 0xC6 runs past the list's 4 bytes, and a second table has no list at all.
  const std::uint8_t shortList[] = {4, 0xDF, 's', 0, 0xC6, 'A', 'E', 0};
  KXCharTables tables = MakeTables();
  tables.expansions[0] = shortList;
  tables.maps[1]['q'] = kKXCharExpand;
  tables.expansions[1] = nullptr;
  Platform().SetCharacterTables(&tables);
  EXPECT_EQ(Mapped("\xDF\xC6"), "s");
  EXPECT_EQ(Mapped("pqr", true), "pr");
}

TEST_F(KXStringImportTest, WithoutHostTablesNothingChanges) {
  Platform().SetCharacterTables(nullptr);
  EXPECT_EQ(Mapped("banana"), "banana");
  Install(kKXEntryPlatformInfo, nullptr);
  EXPECT_EQ(Mapped("banana"), "banana");
}

TEST_F(KXStringImportTest, PrepareImportedKeepsTheVariantAfterTheFirstMarkThenMaps) {
  const std::pair<const char*, const char*> cases[] = {
      {"@xx@Wbcd@yy", "bcd"}, {"@Wbcd", "bcd"}, {"@Mbcd", ""},
      {"bcd@Wdef", "bcd@Wdef"}, {"@W@Wb", ""}, {"@Wxax", "yy"},
  };
  for (const auto& [in, out] : cases) {
    TKXString255 s(in);
    s.PrepareImported();
    EXPECT_EQ(Text(s), out) << in;
    EXPECT_EQ(s.CharLength(), static_cast<std::int32_t>(s.ByteLength()));
  }
}

TEST_F(KXStringImportTest, PrepareImportedMapsOnlyUnderCodePage1252) {
  KXPlatformSetCodePage(932);
  KXForgetCodePage();
  TKXString255 s("@Wxa\x82\xA0");
  s.PrepareImported();
  KXPlatformSetCodePage(1252);
  KXForgetCodePage();
  EXPECT_EQ(Text(s), "xa\x82\xA0");
  EXPECT_EQ(s.CharLength(), 3);
}
