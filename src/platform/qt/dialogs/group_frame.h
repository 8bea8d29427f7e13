#pragma once

// A group box drawn as the platform's dialogs draw it: an etched frame
// whose top edge runs through the middle of the title, so the rectangle of
// the template is the frame's outer edge and the controls inside keep their
// place. It takes no input and stays beneath the controls it frames.

#include <QWidget>

namespace qx::ui {

class GroupFrame : public QWidget {
    Q_OBJECT

public:
    GroupFrame(const QString& title, Qt::Alignment alignment, QWidget* parent);

    QString Title() const { return m_title; }

    // Where the title is drawn, in the frame's coordinates.
    QRect TitleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    Qt::Alignment m_alignment;
};

} // namespace qx::ui
