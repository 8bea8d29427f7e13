#include "platform/qt/dialogs/group_frame.h"

#include <QFontMetrics>
#include <QPainter>

namespace qx::ui {

namespace {

// Blank space on each side of the title, cut out of the frame line.
constexpr int kTitleGap = 2;

} // namespace

GroupFrame::GroupFrame(const QString& title, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent)
    , m_title(title)
    , m_alignment(alignment)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QRect GroupFrame::TitleRect() const
{
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(m_title);
    // A left-aligned title starts one average character in.
    const int left = (m_alignment & Qt::AlignHCenter) ? (this->width() - width) / 2 : metrics.averageCharWidth();
    return QRect(left, 0, width, metrics.height());
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect title = TitleRect();
    const int lineY = title.height() / 2;
    const QRect frame(0, lineY, width() - 2, height() - lineY - 2);

    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));

    if (m_title.isEmpty()) return;
    painter.fillRect(title.adjusted(-kTitleGap, 0, kTitleGap, 0), palette().color(QPalette::Window));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(title, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_title);
}

} // namespace qx::ui
