#include "Win32HostWindow.h"

#include "vstgui/Win32WindowClass.h"

using namespace VSTGUI;

namespace testsupport {

namespace {

TEST_F(WindowTest, ADragWhoseCaptureIsTakenAwayEnds)
{
    openFrame();
    const CPoint centre = kKnobRect.getCenter();
    send(HostWindow::Input::press, centre);
    settle();
    EXPECT_EQ(GetCapture(), windowOf(*frame));
    SetCapture(static_cast<HWND>(host->parent()));
    settle();
    send(HostWindow::Input::move, centre - CPoint(0, 50));
    settle();
    EXPECT_FLOAT_EQ(knob()->getValue(), 0.f);
    ReleaseCapture();
}

TEST(Win32WindowClass, ASecondRegistrationOfTheNameFailsWithoutTakingTheFirstAway)
{
    const auto instance = static_cast<HINSTANCE>(Win32WindowClass::moduleInstance());
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    {
        Win32WindowClass first(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW));
        EXPECT_TRUE(first.isRegistered());
        EXPECT_FALSE(Win32WindowClass(L"ZarnProTestClass", reinterpret_cast<void*>(&DefWindowProcW)).isRegistered());
        EXPECT_TRUE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
    }
    EXPECT_FALSE(GetClassInfoExW(instance, L"ZarnProTestClass", &info));
}

} // namespace

} // namespace testsupport
