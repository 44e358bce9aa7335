// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/xkb_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/x11_keyboard_layouts.h"

namespace zelvoran {
namespace {

// X keycodes (evdev + 8) and core modifier masks.
constexpr uint32_t kKeyQ = 24, kKeyW = 25, kKeyY = 29, kKeyU = 30, kKeyI = 31, kKeyA = 38,
                   kKeySemicolon = 47, kKeyShiftL = 50, kKeySpace = 65, kKeyReturn = 36,
                   kKeyBackSpace = 22, kKeyLeft = 113, kKeyE = 26;
constexpr uint32_t kShift = 1, kLock = 2, kCtrl = 4, kAlt = 8, kNumLock = 16;

struct Press {
  uint32_t keycode;
  uint32_t state;
};

// What a row of presses types; a key that passes untouched shows as "|".
std::string Type(XkbKeys& keys, const std::vector<Press>& presses) {
  std::string out;
  for (const Press& p : presses) {
    const XkbKeys::Key k = keys.Press(p.keycode, p.state);
    if (k.outcome == XkbKeys::Outcome::kText) out += k.text;
    if (k.outcome == XkbKeys::Outcome::kPass) out += "|";
  }
  return out;
}

XkbKeys::Names Layout(const char* name) {
  return XkbKeys::FromLayoutName(name);
}

class XkbKeysTest : public ::testing::TestWithParam<XkbKeys::Compose> {};

TEST_P(XkbKeysTest, TypesWithTheChosenLayoutAndComposesGreekAccents) {
  XkbKeys keys(GetParam());
  EXPECT_FALSE(keys.HasLayout());
  EXPECT_EQ(keys.Press(kKeyA, 0).outcome, XkbKeys::Outcome::kPass);

  ASSERT_TRUE(keys.SetLayout(Layout("us")));
  EXPECT_EQ(Type(keys, {{kKeyA, 0}, {kKeyA, kShift}, {kKeySemicolon, 0}, {kKeyA, kLock}}), "aA;A");

  ASSERT_TRUE(keys.SetLayout(Layout("gr")));
  struct Case {
    const char* what;
    std::vector<Press> presses;
    std::string typed;
  } cases[] = {
      {"letters", {{kKeyA, 0}, {kKeyW, 0}, {kKeyA, kShift}, {kKeyQ, 0}}, "αςΑ;"},
      {"num lock changes no letter", {{kKeyA, kNumLock}}, "α"},
      {"tonos", {{kKeySemicolon, 0}, {kKeyA, 0}, {kKeySemicolon, 0}, {kKeyE, 0}}, "άέ"},
      {"tonos on a capital, Shift between",
       {{kKeySemicolon, 0}, {kKeyShiftL, 0}, {kKeyA, kShift}},
       "|Ά"},
      {"dialytika",
       {{kKeySemicolon, kShift}, {kKeyI, 0}, {kKeySemicolon, kShift}, {kKeyY, 0}},
       "ϊϋ"},
      {"dialytika and tonos", {{kKeySemicolon, kShift}, {kKeySemicolon, 0}, {kKeyI, 0}}, "ΐ"},
      {"an accent on a letter that takes none is dropped",
       {{kKeySemicolon, 0}, {kKeyU, 0}, {kKeyA, 0}},
       "α"},
      {"control keys pass",
       {{kKeyReturn, 0}, {kKeyBackSpace, 0}, {kKeyLeft, 0}, {kKeyA, kCtrl}, {kKeyA, kAlt}},
       "|||||"},
      {"Ctrl forgets a waiting accent", {{kKeySemicolon, 0}, {kKeyA, kCtrl}, {kKeyA, 0}}, "|α"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Type(keys, c.presses), c.typed) << c.what;
    keys.ResetCompose();
  }
  // The accent alone, before a space.
  EXPECT_FALSE(Type(keys, {{kKeySemicolon, 0}, {kKeySpace, 0}}).empty());
}

INSTANTIATE_TEST_SUITE_P(ComposeTables, XkbKeysTest,
                         ::testing::Values(XkbKeys::Compose::kLocaleTable,
                                           XkbKeys::Compose::kBuiltIn),
                         [](const ::testing::TestParamInfo<XkbKeys::Compose>& param_info) {
                           return param_info.param == XkbKeys::Compose::kLocaleTable
                                      ? std::string("LocaleTable")
                                      : std::string("BuiltIn");
                         });

TEST(XkbKeys, VariantsAndUnknownLayouts) {
  XkbKeys keys;
  ASSERT_TRUE(keys.SetLayout(Layout("gr(polytonic)")));
  EXPECT_EQ(Type(keys, {{kKeyA, 0}}), "α");
  EXPECT_FALSE(keys.SetLayout(Layout("xx-no-such-layout")));
  EXPECT_EQ(Type(keys, {{kKeyA, 0}}), "α");  // the previous layout stays
  EXPECT_FALSE(keys.SetLayout(XkbKeys::Names{}));

  const XkbKeys::Names n = XkbKeys::FromLayoutName("gr(polytonic)");
  EXPECT_EQ(n.layout, "gr");
  EXPECT_EQ(n.variant, "polytonic");
  EXPECT_EQ(XkbKeys::FromLayoutName("us").variant, "");
}

TEST(XkbKeys, TheStandardGreekLayoutJoinsADesktopWithoutOne) {
  using V = std::vector<std::string>;
  EXPECT_EQ(X11KeyboardLayouts::ProgramLayouts({"us"}), (V{"us", "gr"}));
  EXPECT_EQ(X11KeyboardLayouts::ProgramLayouts({}), (V{"gr"}));
  EXPECT_EQ(X11KeyboardLayouts::ProgramLayouts({"us", "gr(polytonic)"}),
            (V{"us", "gr(polytonic)"}));
  EXPECT_EQ(X11KeyboardLayouts::ProgramLayouts({"gr", "de"}), (V{"gr", "de"}));
}

}  // namespace
}  // namespace zelvoran
