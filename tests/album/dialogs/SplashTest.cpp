#include "DialogTestSupport.h"
#include "Splash.h"
#include "res/resource.h"

namespace {

constexpr int kPictureWidth = 651;
constexpr int kPictureHeight = 274;

DWORD fakeTicks = 0;
DWORD WINAPI FakeTicks() { return fakeTicks; }

// A splash whose main window is a script, on a clock the test may set.
class ScriptedSplash : public CxSplash {
public:
    explicit ScriptedSplash(TickSource ticks = ::GetTickCount) : CxSplash(nullptr, ticks) {}

    int Alpha() const { return blend.SourceConstantAlpha; }
    DWORD ShownTick() const { return shownTick; }

    std::function<void(ScriptedSplash&)> mainWindow = [](ScriptedSplash&) {};
    int mainWindowRuns = 0;
    DWORD mainWindowStartedAfterMs = 0;

protected:
    void RunMainWindow() override
    {
        ++mainWindowRuns;
        mainWindowStartedAfterMs = ::GetTickCount() - shownTick;
        mainWindow(*this);
    }
};

using Splash = AlbumDialogTest;

// Opens a splash modeless on the fake clock, showing since tick shownAt.
void OpenOnFakeClock(ScriptedSplash& splash, DWORD shownAt)
{
    fakeTicks = shownAt;
    ASSERT_TRUE(splash.Create(IDD_SPLASH));
    ASSERT_EQ(splash.ShownTick(), shownAt);
}

void FadeStep(ScriptedSplash& splash) { splash.SendMessage(WM_TIMER, 1, 0); }

TEST_F(Splash, TakesThePictureSizeCentredOpaqueAndLayered)
{
    ScriptedSplash splash(FakeTicks);
    OpenOnFakeClock(splash, 100000);
    CRect rect;
    splash.GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), kPictureWidth);
    EXPECT_EQ(rect.Height(), kPictureHeight);
    CRect work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(rect.CenterPoint().x, work.CenterPoint().x, 1);
    EXPECT_NEAR(rect.CenterPoint().y, work.CenterPoint().y, 1);
    EXPECT_TRUE(splash.IsWindowVisible());
    EXPECT_TRUE(splash.GetExStyle() & WS_EX_LAYERED);
    EXPECT_EQ(splash.Alpha(), 255);
}

TEST_F(Splash, FadesEightPerStepAndEndsBelowTen)
{
    ScriptedSplash splash(FakeTicks);
    OpenOnFakeClock(splash, 100000);
    for (int step = 1; step <= 30; ++step) {
        fakeTicks += 10;
        FadeStep(splash);
        ASSERT_EQ(splash.Alpha(), 255 - 8 * step) << "step " << step;
        ASSERT_TRUE(splash.IsWindowVisible()) << "step " << step;
    }
    FadeStep(splash);
    EXPECT_EQ(splash.Alpha(), 7);
    EXPECT_FALSE(splash.IsWindowVisible()) << "the 31st step ends the splash without painting 7";
}

TEST_F(Splash, FadeEndsWhenMoreThanThreeSecondsHavePassed)
{
    ScriptedSplash splash(FakeTicks);
    OpenOnFakeClock(splash, 100000);
    fakeTicks = 103000;
    FadeStep(splash);
    EXPECT_TRUE(splash.IsWindowVisible()) << "exactly 3000 ms is not more";
    fakeTicks = 103001;
    FadeStep(splash);
    EXPECT_FALSE(splash.IsWindowVisible());
    EXPECT_EQ(splash.Alpha(), 255 - 16);
}

TEST_F(Splash, TickCountBelowThreeSecondsEndsTheFadeAtItsFirstStep)
{
    // The comparison is unsigned: now - 3000 wraps to a huge value.
    ScriptedSplash splash(FakeTicks);
    OpenOnFakeClock(splash, 1000);
    fakeTicks = 1010;
    FadeStep(splash);
    EXPECT_FALSE(splash.IsWindowVisible());

    ScriptedSplash wrapped(FakeTicks);
    OpenOnFakeClock(wrapped, 0xFFFFFF00);
    fakeTicks = 0xFFFFFF10;
    FadeStep(wrapped);
    EXPECT_TRUE(wrapped.IsWindowVisible()) << "just before the wrap the fade goes on";
}

TEST_F(Splash, RunsTheMainWindowAfterASecondAndFadesOverIt)
{
    ScriptedSplash splash;
    bool hiddenWhileMainWindowRan = false;
    splash.mainWindow = [&](ScriptedSplash& s) {
        hiddenWhileMainWindowRan = PumpUntil([&] { return !s.IsWindowVisible(); }, 3500);
    };
    DWORD start = GetTickCount();
    EXPECT_EQ(splash.DoModal(), IDOK);
    EXPECT_EQ(splash.mainWindowRuns, 1);
    EXPECT_GE(splash.mainWindowStartedAfterMs, 990u);
    EXPECT_TRUE(hiddenWhileMainWindowRan) << "the fade ran inside the main window's loop";
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST_F(Splash, MainWindowClosedBeforeTheFadeEndsLetsTheSplashFinishItsFade)
{
    ScriptedSplash splash;
    int alphaWhenMainWindowClosed = 0;
    splash.mainWindow = [&](ScriptedSplash& s) { alphaWhenMainWindowClosed = s.Alpha(); };
    EXPECT_EQ(splash.DoModal(), IDOK);
    EXPECT_EQ(alphaWhenMainWindowClosed, 255);
    EXPECT_LT(splash.Alpha(), 10);
}

}  // namespace
