#pragma once

#include <gtest/gtest.h>

#include "app/panel.h"

namespace sonvik::test {

// What every panel binding answers while its window does not exist: setters change nothing,
// getters give 0, the empty text and false.
inline void ExpectNoWindowAnswers(IPanel& panel) {
    panel.SetUsbNameText(u"ignored");
    panel.SetVoiceRecognitionCheck(true);
    EXPECT_EQ(panel.GetSignalStrength(), 0u);
    EXPECT_EQ(panel.GetBatteryLevel(), 0u);
    EXPECT_EQ(panel.GetMemoryDialLocation(), 0u);
    EXPECT_EQ(panel.GetNetworkOperator(), u"");
    EXPECT_FALSE(panel.IsNetworkAvailable());
    EXPECT_FALSE(panel.IsRoaming());
    EXPECT_FALSE(panel.IsLastDialEnabled());
    EXPECT_FALSE(panel.IsVoiceRecognitionEnabled());
}

}  // namespace sonvik::test
