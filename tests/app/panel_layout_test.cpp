#include "app/panel_layout.h"

#include <gtest/gtest.h>

#include <set>

#include "app/string_table.h"

namespace sonvik {
namespace {

TEST(PanelLayout, ControlsAreUniqueAndEveryRequestHasAClickableControl) {
    const auto controls = GetPanelControls();
    ASSERT_EQ(controls.size(), 40u);
    std::set<int> ids;
    for (const ControlItem& c : controls) {
        EXPECT_TRUE(ids.insert(c.nId).second) << c.nId;
        EXPECT_LE(c.x + c.cx, kDialogWidth) << c.nId;
        EXPECT_LE(c.y + c.cy, kDialogHeight) << c.nId;
    }
    for (int i = 0; i < kPanelRequestCount; ++i) {
        const ControlItem* pControl = FindPanelControl(GetRequestControlId(PanelRequest(i)));
        ASSERT_NE(pControl, nullptr) << i;
        EXPECT_TRUE(pControl->nKind == PUSH_BUTTON || pControl->nKind == CHECK_BOX) << i;
        EXPECT_EQ(FindRequestOfControl(pControl->nId), i);
    }
    EXPECT_EQ(FindRequestOfControl(IDC_LAST_DIAL), -1);  // the one box that raises nothing
    EXPECT_EQ(FindRequestOfControl(IDC_USB_NAME), -1);
}

TEST(PanelLayout, StartUpTextsNameTwentyNineControls) {
    const auto order = GetInitialTextOrder();
    ASSERT_EQ(order.size(), 29u);
    std::set<int> controls;
    for (unsigned nId : order) {
        const ControlItem* pControl = FindControlOfString(nId);
        ASSERT_NE(pControl, nullptr) << nId;
        EXPECT_FALSE(LoadStringText(nId).empty());
        controls.insert(pControl->nId);
    }
    EXPECT_EQ(controls.size(), 29u);
    EXPECT_EQ(FindPanelControl(1007)->nStringId, 0u);  // "End Call" keeps its template text
}

TEST(PanelLayout, NumberFieldsReadAsUnsigned32BitDecimals) {
    const struct {
        const char16_t* pszText;
        std::uint32_t nExpected;
    } kCases[] = {
        {u"5", 5},
        {u"0", 0},
        {u"", 0},
        {u"  42", 42},
        {u"4294967295", 4294967295u},
        {u"4294967296", 0},
        {u"99999999999", 0},
        {u"12a", 0},
        {u"-1", 0},
        {u"+1", 0},
        {u"   ", 0},
        {u"007", 7},
        {u"1 ", 0},
        {u"\u0661", 0},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ParsePanelNumber(c.pszText), c.nExpected);
    }
}

TEST(PanelLayout, OperatorNameIsCutToNineUnits) {
    EXPECT_EQ(TruncateOperatorName(u"Vexmor Mobile"), u"Vexmor Mo");
    EXPECT_EQ(TruncateOperatorName(u"Short"), u"Short");
    EXPECT_EQ(TruncateOperatorName(u""), u"");
}

TEST(PanelLayout, DialogUnitsRoundAsTheWindowSystemRounds) {
    const DialogBaseUnits base{6, 13};
    const PixelRect rect = MapDialogRect(132, 21, 172, 16, base);
    EXPECT_EQ(rect.x, 198);  // 132 * 6 / 4
    EXPECT_EQ(rect.y, 34);   // 21 * 13 / 8 = 34.125
    EXPECT_EQ(rect.cx, 258);
    EXPECT_EQ(rect.cy, 26);
    EXPECT_EQ(MapDialogRect(1, 3, 0, 0, {7, 12}).x, 2);  // 1.75
    EXPECT_EQ(MapDialogRect(0, 3, 0, 0, {7, 12}).y, 5);  // 4.5 rounds up
}

}  // namespace
}  // namespace sonvik
