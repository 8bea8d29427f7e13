// The Qt desktop services on the offscreen platform: images both ways,
// the drawn pick cursor, the pick surface's endings, the status-area icon
// and the single copy.

#include "app/core/incident_pick.h"
#include "platform/qt/common/qimage_bitmap.h"
#include "platform/qt/desktop/local_single_instance.h"
#include "platform/qt/desktop/pick_cursor_image.h"
#include "platform/qt/desktop/qt_pick_surface.h"
#include "platform/qt/desktop/qt_tray_presence.h"
#include "resources/cursor_pick.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QLocalSocket>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

TEST(TrayPresence, TheMenuOffersTheAboutBoxThenTheEnd)
{
    int abouts = 0;
    int quits = 0;
    const std::unique_ptr<QMenu> menu = MakePresenceMenu({[&] { ++abouts; }, [&] { ++quits; }});
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), QString::fromUtf8("À propos de QXBêta..."));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Quitter"));
    actions[0]->trigger();
    EXPECT_EQ(abouts, 1);
    EXPECT_EQ(quits, 0);
    actions[1]->trigger();
    EXPECT_EQ(quits, 1);
}

TEST(TrayPresence, ShowsOnlyWhereTheDesktopHasAStatusArea)
{
    QtTrayPresence presence;
    const bool shown = presence.Show({[] {}, [] {}});
    EXPECT_EQ(shown, QSystemTrayIcon::isSystemTrayAvailable());
    EXPECT_EQ(presence.Icon() != nullptr, shown);
    presence.SetToolTip("QXB\xEAta attend.\r\nSuite");
    if (shown) {
        EXPECT_EQ(presence.Icon()->toolTip(), QString::fromUtf8("QXBêta attend.\nSuite"));
    }
}

class SingleInstanceTest : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    const QString path = QString::fromStdString(scratch.File("qxbeta.socket"));
    const uid_t me = ::getuid();
    int raises = 0;
    std::function<void()> CountRaises()
    {
        return [this] { ++raises; };
    }
};

TEST_F(SingleInstanceTest, ALaterCopyOfTheUserAsksTheFirstToRaiseItsWindowAndEnds)
{
    LocalSingleInstance first(path, me);
    ASSERT_EQ(first.Claim(CountRaises()), InstanceClaim::First);
    for (int copy = 1; copy <= 2; ++copy) {
        LocalSingleInstance later(path, me);
        EXPECT_EQ(later.Claim([] {}), InstanceClaim::AlreadyRunning);
        EXPECT_TRUE(QTest::qWaitFor([&] { return raises == copy; })) << copy;
    }
}

TEST_F(SingleInstanceTest, ASocketLeftBehindIsReplaced)
{
    // A socket file nobody listens on, as a copy that crashed leaves it.
    const std::string file = path.toStdString();
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    file.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(stale);

    LocalSingleInstance first(path, me);
    EXPECT_EQ(first.Claim(CountRaises()), InstanceClaim::First);
    LocalSingleInstance later(path, me);
    EXPECT_EQ(later.Claim([] {}), InstanceClaim::AlreadyRunning);
    EXPECT_TRUE(QTest::qWaitFor([&] { return raises == 1; }));
}

TEST_F(SingleInstanceTest, ASocketAnotherUserOwnsIsNeverTrustedAndTheLaterCopyWatches)
{
    LocalSingleInstance first(path, me);
    ASSERT_EQ(first.Claim(CountRaises()), InstanceClaim::First);
    // For a copy run as another user, this user's socket is another user's.
    LocalSingleInstance other(path, me + 1);
    EXPECT_EQ(other.Claim([] {}), InstanceClaim::First);
    QCoreApplication::processEvents();
    EXPECT_EQ(raises, 0);
}

TEST_F(SingleInstanceTest, TheFirstCopyAnswersOnlyItsOwnUsersProcesses)
{
    // A first copy run as another user: this process is a stranger to it.
    LocalSingleInstance first(path, me + 1);
    ASSERT_EQ(first.Claim(CountRaises()), InstanceClaim::First);
    QLocalSocket stranger;
    stranger.connectToServer(path);
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write("raise\n");
    stranger.flush();
    EXPECT_TRUE(QTest::qWaitFor([&] { return stranger.state() == QLocalSocket::UnconnectedState; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(raises, 0);
}

TEST_F(SingleInstanceTest, WithoutARuntimeDirectoryTheSocketLivesInAFolderOfItsOwn)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray tmp = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QByteArray::fromStdString(scratch.Path().string()));
    const LocalSingleInstance instance;
    EXPECT_EQ(instance.SocketPath(),
              QString::fromStdString(scratch.File("qxbeta-" + std::to_string(me) + "/qxbeta.socket")));
    if (runtime.isNull()) qunsetenv("XDG_RUNTIME_DIR");
    else qputenv("XDG_RUNTIME_DIR", runtime);
    if (tmp.isNull()) qunsetenv("TMPDIR");
    else qputenv("TMPDIR", tmp);
}

} // namespace
} // namespace qx::platform
