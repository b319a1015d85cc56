#include "widgets/window_helpers.h"

#include "core/app_context.h"

#include <QAbstractButton>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QWidget>

QFont PixelFont(int px, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(px);
    font.setBold(bold);
    return font;
}

void SetObjectNames(std::initializer_list<std::pair<QObject*, const char*>> names)
{
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}

void CenterOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

namespace {

QString withoutMnemonic(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

} // namespace

void UpdateAccessibleNames(QWidget* window)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        button->setAccessibleName(withoutMnemonic(button->text()));
    for (QGroupBox* box : window->findChildren<QGroupBox*>())
        box->setAccessibleName(withoutMnemonic(box->title()));
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy())
            label->buddy()->setAccessibleName(withoutMnemonic(label->text()));
    }
}

QList<QKeySequence> StartStopKeys()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)};
}

void ApplyCaptions(const AppContext& ctx, QWidget* window, std::initializer_list<Caption> captions)
{
    for (const Caption& caption : captions) {
        if (auto* label = qobject_cast<QLabel*>(caption.control))
            label->setText(ctx.InterfaceText(caption.textId, label->text()));
        else if (auto* button = qobject_cast<QAbstractButton*>(caption.control))
            button->setText(ctx.InterfaceText(caption.textId, button->text()));
        else if (auto* box = qobject_cast<QGroupBox*>(caption.control))
            box->setTitle(ctx.InterfaceText(caption.textId, box->title()));
    }
    UpdateAccessibleNames(window);
}

void ApplyTitles(const AppContext& ctx, QWidget* window, int titleId, QTabWidget* pages,
                 std::initializer_list<int> tabIds)
{
    window->setWindowTitle(ctx.InterfaceText(titleId, window->windowTitle()));
    int tab = 0;
    for (int id : tabIds) {
        pages->setTabText(tab, ctx.InterfaceText(id, pages->tabText(tab)));
        ++tab;
    }
}
