// The Qt desktop services on the offscreen platform: images both ways,
// the drawn pick cursor, and the pick surface's endings.

#include "app/core/incident_pick.h"
#include "platform/qt/desktop/pick_cursor_image.h"
#include "platform/qt/common/qimage_bitmap.h"
#include "platform/qt/desktop/qt_pick_surface.h"
#include "resources/cursor_pick.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qx::platform {
namespace {

QImage Pattern(QImage::Format format)
{
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 36, y * 60, (x + y) * 20));
    return image.convertToFormat(format);
}

TEST(QImageBitmap, KeepsTheDepthAndEveryPixelBothWays)
{
    struct Case {
        QImage::Format format;
        int depth;
    };
    const Case cases[] = {{QImage::Format_RGB32, 32}, {QImage::Format_ARGB32, 32}, {QImage::Format_RGB888, 24},
                          {QImage::Format_BGR888, 24}, {QImage::Format_RGB16, 16}, {QImage::Format_Indexed8, 8},
                          {QImage::Format_Mono, 8}};
    for (const Case& c : cases) {
        const QImage source = Pattern(c.format);
        const Bitmap bitmap = BitmapFromQImage(source);
        EXPECT_EQ(bitmap.bitsPerPixel, c.depth) << c.format;
        EXPECT_EQ(BitmapDepthOf(source), c.depth) << c.format;
        ASSERT_EQ(bitmap.width, 7);
        ASSERT_EQ(bitmap.height, 5);
        const QImage back = QImageFromBitmap(bitmap);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                const QRgb expected = source.pixel(x, y);
                const Rgb got = PixelColor(bitmap, x, y);
                EXPECT_EQ(qRgb(got.red, got.green, got.blue), expected | 0xFF000000u) << c.format << " " << x << "," << y;
                EXPECT_EQ(back.pixel(x, y), expected | 0xFF000000u) << c.format << " " << x << "," << y;
            }
        }
    }
}

TEST(QImageBitmap, FourBitBitmapsBecomeIndexedImages)
{
    Bitmap bitmap = MakeBitmap(3, 1, 4);
    bitmap.palette[0] = Rgb{0, 0, 0};
    bitmap.palette[1] = Rgb{255, 0, 0};
    bitmap.palette[2] = Rgb{0, 0, 255};
    SetPixelColor(bitmap, 0, 0, Rgb{255, 0, 0});
    SetPixelColor(bitmap, 1, 0, Rgb{0, 0, 255});
    const QImage image = QImageFromBitmap(bitmap);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_TRUE(QImageFromBitmap(Bitmap{}).isNull());
}

TEST(PickCursor, IsDrawnFromItsMasksOverTheImage)
{
    QImage background(100, 100, QImage::Format_RGB32);
    background.fill(qRgb(10, 100, 200));
    const QPoint hotSpot(40, 30);
    const QImage cursor = PickCursorOver(background, hotSpot);
    ASSERT_EQ(cursor.size(), QSize(res::kPickCursorSize, res::kPickCursorSize));
    int seen[4] = {};
    for (int y = 0; y < res::kPickCursorSize; ++y) {
        for (int x = 0; x < res::kPickCursorSize; ++x) {
            const QRgb shown = cursor.pixel(x, y);
            switch (res::PickCursorPixel(x, y)) {
            case res::CursorPixel::Screen: EXPECT_EQ(qAlpha(shown), 0); ++seen[0]; break;
            case res::CursorPixel::Black: EXPECT_EQ(shown, qRgb(0, 0, 0)); ++seen[1]; break;
            case res::CursorPixel::White: EXPECT_EQ(shown, qRgb(255, 255, 255)); ++seen[2]; break;
            case res::CursorPixel::InvertScreen: EXPECT_EQ(shown, qRgb(245, 155, 55)); ++seen[3]; break;
            }
        }
    }
    for (int count : seen) EXPECT_GT(count, 0);
}

class PickSurfaceTest : public ::testing::Test {
protected:
    Bitmap image = MakeBitmap(320, 240, 32);
    QtPickSurface surface;
    app::IncidentPick pick;

    // Runs the pick; `during` acts on the shown surface.
    void Pick(std::function<void(QWidget*)> during)
    {
        pick.Begin();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        surface.Show(image, ImagePlacement::CoversArea,
                     ScreenArea{{image.width, image.height}, {screen.x(), screen.y(), screen.width(), screen.height()}});
        QWidget* window = surface.Window();
        ASSERT_NE(window, nullptr);
        QTimer::singleShot(0, window, [window, during] { during(window); });
        surface.RunPick(pick);
        surface.Hide();
    }
};

TEST_F(PickSurfaceTest, PressesDoNothingAndTheLeftReleasePicksInImagePixels)
{
    // The image is half the screen's size each way: it is shown stretched
    // over the screen, and a click lands on the image pixel beneath it.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    image = MakeBitmap(screen.width() / 2, screen.height() / 2, 32);
    Pick([](QWidget* window) {
        QTest::mousePress(window, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(window, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(150, 91));
    });
    EXPECT_FALSE(pick.IsPicking());
    EXPECT_EQ(pick.Point(), (IncidentPoint{75, 45}));
    EXPECT_EQ(surface.Window(), nullptr);
}

TEST_F(PickSurfaceTest, TheRightReleaseCancels)
{
    Pick([](QWidget* window) { QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(20, 20)); });
    EXPECT_FALSE(pick.Point().IsPicked());
}

TEST_F(PickSurfaceTest, ASurfaceClosedOrHiddenByAnyoneElseEndsThePickAsACancel)
{
    for (const auto& lose : std::vector<std::function<void(QWidget*)>>{
             [](QWidget* window) { window->close(); },
             [](QWidget* window) { window->hide(); },
             [](QWidget* window) { window->showMinimized(); },
         }) {
        Pick(lose);
        EXPECT_FALSE(pick.IsPicking());
        EXPECT_FALSE(pick.Point().IsPicked());
    }
}

} // namespace
} // namespace qx::platform
