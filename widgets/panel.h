#pragma once

#include <QLabel>

// A panel showing one line of text, centred. Every mouse press and every double
// click reports a click, so two fast clicks count as two even when the system
// takes them for a double click.
class TPanel : public QLabel {
    Q_OBJECT

public:
    explicit TPanel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
