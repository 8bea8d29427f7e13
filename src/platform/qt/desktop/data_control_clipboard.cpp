#include "platform/qt/desktop/data_control_clipboard.h"

#include "platform/qt/common/qimage_bitmap.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <string_view>

namespace qx::platform {

namespace {

// A source that does not answer within this time holds no image for us.
constexpr std::chrono::milliseconds kPatience{5000};

// PNG first, the format screenshot tools offer; any other image next.
std::optional<std::string> ImageType(const std::vector<std::string>& types)
{
    if (std::ranges::find(types, "image/png") != types.end()) return "image/png";
    const auto image = std::ranges::find_if(types, [](std::string_view type) { return type.starts_with("image/"); });
    if (image == types.end()) return std::nullopt;
    return *image;
}

} // namespace

DataControlClipboard::DataControlClipboard(std::unique_ptr<wayland::DataControlSelection> selection)
    : m_selection(std::move(selection))
    , m_notifier(m_selection->Fd(), QSocketNotifier::Read)
{
    m_selection->OnChange([this] {
        m_image.reset();
        // From the event loop, as a clipboard viewer is told.
        if (m_onChange) QTimer::singleShot(0, QCoreApplication::instance(), m_onChange);
    });
    QObject::connect(&m_notifier, &QSocketNotifier::activated, QCoreApplication::instance(), [this] {
        if (!m_selection->Dispatch()) m_notifier.setEnabled(false);
    });
}

DataControlClipboard::~DataControlClipboard() = default;

const QImage& DataControlClipboard::Image() const
{
    if (m_image) return *m_image;
    m_image = QImage();
    if (const std::optional<std::string> type = ImageType(m_selection->MimeTypes())) {
        if (const auto data = m_selection->Receive(*type, kPatience)) {
            m_image->loadFromData(data->data(), static_cast<int>(data->size()));
        }
    }
    return *m_image;
}

std::optional<BitmapInfo> DataControlClipboard::BitmapDescription() const
{
    const QImage& image = Image();
    if (image.isNull()) return std::nullopt;
    return BitmapInfo{image.width(), image.height(), 1, BitmapDepthOf(image)};
}

std::optional<Bitmap> DataControlClipboard::CopyBitmap() const
{
    const QImage& image = Image();
    if (image.isNull()) return std::nullopt;
    return BitmapFromQImage(image);
}

void DataControlClipboard::Watch(std::function<void()> onChange)
{
    m_onChange = std::move(onChange);
}

void DataControlClipboard::StopWatching()
{
    m_onChange = nullptr;
}

} // namespace qx::platform
