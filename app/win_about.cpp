// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "app/win_about.h"

#include "core/app_context.h"
#include "widgets/window_helpers.h"

#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

TWinAbout::TWinAbout(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinAbout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(265, 179);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(4, 4, 257, 136);

    Image1 = new QLabel(Panel1);
    Image1->setPixmap(QPixmap(QStringLiteral(":/korvanis_icon.png"))
                          .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Image1->setGeometry(8, 8, 32, 32);

    const auto centred = [this](const QString& text, int top, int height) {
        auto* label = new QLabel(text, Panel1);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(2, top, 253, height);
        return label;
    };
    lab1 = centred(QStringLiteral("Korvanis"), 10, 34);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setStyleHint(QFont::Serif);
    title.setBold(true);
    title.setPixelSize(24);
    lab1->setFont(title);
    lab2 = centred(QStringLiteral("Korvanis - Version "), 52, 18);
    lab3 = centred(QString(), 74, 18);
    Label4 = centred(QString::fromLatin1(AboutWebAddress), 98, 18);
    Label4->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);
    // Where the records are is worth knowing before a backup or a new computer.
    labDaten = centred(QString(), 118, 16);
    labDaten->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(92, 147, 81, 26);
    Button1->setDefault(true);
    SetObjectNames({{Panel1, "Panel1"}, {Image1, "Image1"}, {lab1, "lab1"}, {lab2, "lab2"}, {lab3, "lab3"},
                    {Label4, "Label4"}, {labDaten, "labDaten"}, {Button1, "Button1"}});
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    // The main window exists already, so the version is known from the start.
    lab2->setText(ctx_.InterfaceText(132, QString()) + ctx_.VersionText);
    showDataDir();
}

void TWinAbout::ApplyInterfaceTexts()
{
    setWindowTitle(ctx_.InterfaceText(130, windowTitle()));
    lab1->setText(ctx_.InterfaceText(131, lab1->text()));
    lab2->setText(ctx_.InterfaceText(132, lab2->text()));
    lab3->setText(ctx_.InterfaceText(133, lab3->text()));
    showDataDir();
    UpdateAccessibleNames(this);
}

// A long home folder is shortened in the middle; the tooltip holds the whole
// path.
void TWinAbout::showDataDir()
{
    const QString folder = QDir::toNativeSeparators(ctx_.DataDir);
    const QString text = ctx_.InterfaceText(260, QStringLiteral("Daten: %1"));
    const int room = labDaten->width() - labDaten->fontMetrics().horizontalAdvance(text.arg(QString()));
    labDaten->setText(text.arg(labDaten->fontMetrics().elidedText(folder, Qt::ElideMiddle, room)));
    labDaten->setToolTip(folder);
}

void TWinAbout::showEvent(QShowEvent* event)
{
    ApplyInterfaceTexts();
    lab2->setText(lab2->text() + ctx_.VersionText);
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

bool TWinAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TWinAbout::Label4Click()
{
    ctx_.dialogs.openUrl(Label4->text());
}
