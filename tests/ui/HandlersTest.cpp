// The handler guard and the key codes handlers receive.

#include "platform/ui/Handlers.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct GuardCase {
    const char* name;
    std::function<void()> handler;
    QString shown;
};

void PrintTo(const GuardCase& c, std::ostream* os) {
    *os << c.name;
}

class HandlerGuard : public testing::TestWithParam<GuardCase> {};

TEST_P(HandlerGuard, ShowsTheErrorInTheErrorBoxAndGoesOn) {
    ScopedMessageBoxRecorder boxes;
    bool returned = false;
    CallHandler(GetParam().handler);
    returned = true;

    EXPECT_TRUE(returned);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    const MessageBoxCall& box = boxes.Calls()[0];
    EXPECT_EQ(box.text, GetParam().shown);
    EXPECT_EQ(box.caption, Application->Title());
    EXPECT_EQ(box.flags, MB_OK | MB_ICONSTOP);
    EXPECT_TRUE(box.isErrorBox);

    // The program goes on: the next handler runs normally.
    int runs = 0;
    CallHandler([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(boxes.Calls().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, HandlerGuard,
    testing::Values(GuardCase{"StdException",
                              [] { throw std::runtime_error("Lost connection to MySQL server"); },
                              "Lost connection to MySQL server"},
                    GuardCase{"AccentedMessage",
                              [] { throw std::invalid_argument("'12,3x' não é um número válido"); },
                              QString::fromUtf8("'12,3x' não é um número válido")},
                    GuardCase{"NotAStdException", [] { throw 42; }, "Unknown error"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VirtualKeys, QtKeysMapToThePlatformCodes) {
    const std::pair<int, quint16> keys[] = {
        {Qt::Key_A, 'A'},           {Qt::Key_Z, 'Z'},
        {Qt::Key_0, '0'},           {Qt::Key_9, '9'},
        {Qt::Key_Left, VK_LEFT},    {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Home, VK_HOME},    {Qt::Key_End, VK_END},
        {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_Delete, 46},       {Qt::Key_Insert, 45},
        {Qt::Key_Return, 13},       {Qt::Key_Enter, 13},
        {Qt::Key_Escape, 27},       {Qt::Key_Tab, VK_TAB},
        {Qt::Key_F1, 112},          {Qt::Key_F12, 123},
        {Qt::Key_Mode_switch, 0},
    };
    for (const auto& [qtKey, vk] : keys)
        EXPECT_EQ(VirtualKeyFromQtKey(qtKey), vk) << "Qt key 0x" << std::hex << qtKey;
}

TEST(VirtualKeys, ShiftStateCarriesModifiersAndMouseButtons) {
    EXPECT_EQ(ShiftStateFromQt(Qt::ControlModifier), TShiftState() << ssCtrl);
    const TShiftState all =
        ShiftStateFromQt(Qt::ShiftModifier | Qt::AltModifier, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(all, (TShiftState{ssShift, ssAlt, ssLeft, ssRight}));
    EXPECT_FALSE(all.Contains(ssCtrl));
}

} // namespace
