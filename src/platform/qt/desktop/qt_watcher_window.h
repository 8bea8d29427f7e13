#pragma once

// The watcher window on Qt: a top-level window titled "QXBêta" with the
// program's icon, at the screen's origin with the screen's size, that lives
// minimised as a taskbar button. A restore asked for by the tester is
// undone at once; closing it ends the program.

#include "platform/watcher_window.h"

#include <QWidget>

#include <memory>

namespace qx::platform {

class WatcherWidget : public QWidget {
    Q_OBJECT

public:
    explicit WatcherWidget(std::function<void()> onClosed);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_onClosed;
};

class QtWatcherWindow final : public WatcherWindow {
public:
    QtWatcherWindow();
    ~QtWatcherWindow() override;

    bool Create(ScreenRect screen, std::function<void()> onClosed) override;
    void Show(WatcherShow show) override;
    void Raise() override;

    // The window's title, also the name that finds it.
    static QString Title();

private:
    std::unique_ptr<WatcherWidget> m_widget;
};

} // namespace qx::platform
