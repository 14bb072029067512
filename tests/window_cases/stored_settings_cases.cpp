// The controls' stored settings: the property bag that leaves defaults out,
// and its text, read, written and read again, or refused with its line.
#include <gtest/gtest.h>

#include <string>

#include "window/controls/PropertyBag.h"
#include "window/controls/StoredForm.h"

using controls::PropertyBag;
using controls::StoredForm;

namespace {

TEST(StoredSettings, ThePropertyBagLeavesDefaultsOut) {
    PropertyBag bag;
    bag.WriteLong(L"Count", 0, 0);
    bag.WriteBool(L"MultiRow", true, false);
    bag.WriteString(L"TabText(3)", L"Netwerk", L"");
    bag.WriteFont(L"Font", {L"Verdana", 9.75, true}, {});
    EXPECT_FALSE(bag.Contains(L"Count"));
    EXPECT_EQ(bag.Values().size(), 3u);
    EXPECT_EQ(bag.ReadLong(L"Count", 15), 15);
    EXPECT_TRUE(bag.ReadBool(L"MultiRow", false));
    EXPECT_EQ(bag.ReadLong(L"MultiRow", 0), -1);
    EXPECT_EQ(bag.ReadString(L"MultiRow", L"fallback"), L"fallback");
    EXPECT_TRUE(bag.ReadFont(L"Font", {}).bold);
    // Writing the default again takes the key out.
    bag.WriteBool(L"MultiRow", false, false);
    EXPECT_FALSE(bag.Contains(L"MultiRow"));
    controls::ChangedProperties changed;
    changed.Mark(L"TabText(3)");
    EXPECT_TRUE(changed.Contains(L"TabText(3)"));
    EXPECT_FALSE(changed.Contains(L"TabText(2)"));
}

TEST(StoredSettings, TheTextRoundTrips) {
    const char text[] =
        "' comment\n"
        "# another\n"
        "\n"
        "InfoFrameVeltrix.BackColor=&H00796150&\r\n"
        "InfoFrameVeltrix.Text=\"Veltrix \"\"1.0\"\" = goed.\"\n"
        "TabControlVeltrix.Count = 15\n"
        "TabControlVeltrix.MultiRow=true\n"
        "SunkenLabelIndex(2).Font=Font(\"MS Sans Serif\", 8.25, Bold, Underline)\n"
        "SunkenLabelIndex(2).ForeColor=-2147483630\n";
    std::string error;
    const auto stored = StoredForm::Parse(text, &error);
    ASSERT_TRUE(stored) << error;
    EXPECT_EQ(stored->Bag(L"InfoFrameVeltrix").ReadLong(L"BackColor", 0), 0x796150);
    EXPECT_EQ(stored->Bag(L"InfoFrameVeltrix").ReadString(L"Text", L""), L"Veltrix \"1.0\" = goed.");
    EXPECT_EQ(stored->Bag(L"TabControlVeltrix").ReadLong(L"Count", 0), 15);
    EXPECT_TRUE(stored->Bag(L"TabControlVeltrix").ReadBool(L"MultiRow", false));
    const window::ui::StdFont font = stored->Bag(L"SunkenLabelIndex(2)").ReadFont(L"Font", {});
    EXPECT_EQ(font.size, 8.25);
    EXPECT_TRUE(font.bold && font.underline && !font.italic);
    EXPECT_EQ(static_cast<window::ui::OLE_COLOR>(stored->Bag(L"SunkenLabelIndex(2)").ReadLong(L"ForeColor", 0)),
              window::ui::OLE_COLOR{0x80000012});
    EXPECT_TRUE(stored->Bag(L"Absent").Values().empty());
    const auto again = StoredForm::Parse(stored->Format());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Format(), stored->Format());
    EXPECT_TRUE(again->Bag(L"SunkenLabelIndex(2)") == stored->Bag(L"SunkenLabelIndex(2)"));
    // A size with more than six digits is written in full, so it reads back the same.
    const auto precise = StoredForm::Parse("A.Font=Font(\"Arial\", 8.2555555)");
    ASSERT_TRUE(precise);
    EXPECT_TRUE(StoredForm::Parse(precise->Format())->Bag(L"A") == precise->Bag(L"A"));
}

TEST(StoredSettings, TheTextNamesTheLineItCannotRead) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"A.Count=1\nA.Count 1\n", "line 2: expected Control.Key=Value"},
        {"Count=1", "line 1: expected a control name"},
        {"A.Text=\"abc", "line 1: the text has no closing quote"},
        {"A.Text=\"a\" b", "line 1: something follows"},
        {"A.Count=4294967296", "line 1: the number does not fit"},
        {"A.Color=&HXYZ&", "line 1: not a hex digit"},
        {"A.Enabled=Yes", "line 1: expected True, False"},
        {"A.Font=Font(\"Arial\", big)", "line 1: the font's size"},
        {"A.Font=Font(\"Arial\", 8, Wide)", "line 1: a font's effects"},
        // Sizes no whole-point or pixel arithmetic can hold.
        {"A.Font=Font(\"Arial\", inf)", "line 1: the font's size is larger"},
        {"A.Font=Font(\"Arial\", 1e79)", "line 1: the font's size is larger"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(StoredForm::Parse(c.text, &why)) << c.text;
        EXPECT_EQ(why.rfind(c.error, 0), 0u) << c.text << ": " << why;
    }
}

}  // namespace
