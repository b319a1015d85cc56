#include "cards/win_learn_cards.h"

#include "cards/playing_card.h"
#include "core/app_context.h"
#include "core/error_handler.h"
#include "widgets/panel.h"
#include "widgets/window_helpers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The suit symbols beside the suit boxes, drawn as shapes so they look the same
// whatever fonts the system has. Coordinates are fractions of the picture.
QIcon suitSymbol(int suit)
{
    constexpr int Size = 14;
    QPainterPath path;
    const auto circle = [&path](double x, double y, double r) { path.addEllipse(QPointF(x, y), r, r); };
    const auto polygon = [&path](std::initializer_list<QPointF> points) {
        path.addPolygon(QPolygonF(QList<QPointF>(points)));
        path.closeSubpath();
    };
    switch (suit) {
    case 0: // clubs: three leaves and a stem
        circle(0.5, 0.3, 0.2);
        circle(0.28, 0.6, 0.2);
        circle(0.72, 0.6, 0.2);
        polygon({{0.5, 0.5}, {0.3, 1.0}, {0.7, 1.0}});
        break;
    case 1: // diamonds
        polygon({{0.5, 0.0}, {0.9, 0.5}, {0.5, 1.0}, {0.1, 0.5}});
        break;
    case 2: // hearts
        circle(0.28, 0.32, 0.24);
        circle(0.72, 0.32, 0.24);
        polygon({{0.06, 0.42}, {0.94, 0.42}, {0.5, 0.96}});
        break;
    default: // spades: a heart upside down on a stem
        circle(0.28, 0.6, 0.22);
        circle(0.72, 0.6, 0.22);
        polygon({{0.08, 0.52}, {0.92, 0.52}, {0.5, 0.02}});
        polygon({{0.5, 0.6}, {0.3, 1.0}, {0.7, 1.0}});
        break;
    }
    path.setFillRule(Qt::WindingFill);
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(Size, Size);
    painter.fillPath(path, suit == 1 || suit == 2 ? QColor(200, 0, 0) : QColor(Qt::black));
    return QIcon(picture);
}

} // namespace

TWinLearnCards::TWinLearnCards(AppContext& ctx, const CardPictureStore& pictures, QWidget* parent)
    : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinLearnCards"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Korvanis - Speed Cards"));
    setFont(PixelFont(11, false));
    setFixedSize(545, 294);

    buildPracticeField(pictures);
    buildRightColumn();
    nameControls();
    connectHandlers();
    RunGuarded(ctx_.dialogs, [this] { FormCreate(); });
}

TWinLearnCards::~TWinLearnCards() = default;

// ---------------------------------------------------------------------------
// Controls

void TWinLearnCards::buildPracticeField(const CardPictureStore& pictures)
{
    GroupBox1 = new QGroupBox(QStringLiteral("Übungsfeld"), this);
    GroupBox1->setGeometry(8, 6, 312, 240);

    pcTraining = new TPlayingCard(pictures, GroupBox1);
    pcTraining->move(18, 24);
    pcTraining->setFaceIndex(27);
    pcTraining->setShow(soFace);
    pcTraining->setFocusPolicy(Qt::StrongFocus);
    pcTraining->setCursor(Qt::PointingHandCursor);

    const QFont bold = PixelFont(12, true);
    pBedeutung = new TPanel(GroupBox1);
    pBedeutung->setGeometry(125, 24, 169, 44);
    pBedeutung->setFont(bold);
    pGrund = new TPanel(GroupBox1);
    pGrund->setGeometry(125, 76, 169, 44);
    // The longest reasons need a second line at this width.
    for (TPanel* panel : {pBedeutung, pGrund}) {
        panel->setWordWrap(true);
        panel->setFocusPolicy(Qt::StrongFocus);
        panel->setCursor(Qt::PointingHandCursor);
    }

    chbLoesung = new QCheckBox(QStringLiteral("Lösung zeigen"), GroupBox1);
    chbLoesung->setGeometry(18, 134, 150, 20);
    rbZufall = new QRadioButton(QStringLiteral("Zufall"), GroupBox1);
    rbZufall->setGeometry(18, 164, 80, 20);
    rbZufall->setChecked(true);
    rbSortiert = new QRadioButton(QStringLiteral("Sortiert"), GroupBox1);
    rbSortiert->setGeometry(125, 164, 80, 20);
    buildSuitBoxes();
}

void TWinLearnCards::buildSuitBoxes()
{
    struct Box {
        QCheckBox** box;
        const char* caption;
        int suit;
    };
    const Box boxes[] = {{&chbHerz, "Herz", 2}, {&chbKaro, "Karo", 1}, {&chbPik, "Pik", 3}, {&chbKreuz, "Kreuz", 0}};
    int x = 18;
    for (const Box& b : boxes) {
        auto* box = new QCheckBox(QString::fromUtf8(b.caption), GroupBox1);
        box->setIcon(suitSymbol(b.suit));
        box->setIconSize(QSize(14, 14));
        box->setChecked(true);
        box->setGeometry(x, 200, box->sizeHint().width(), 22);
        *b.box = box;
        x += box->width() + 4;
    }
}

void TWinLearnCards::buildRightColumn()
{
    GroupBox2 = new QGroupBox(QStringLiteral("Meisterschaftsfeld"), this);
    GroupBox2->setGeometry(328, 6, 209, 96);
    // The championship drill of this window was never finished; rather than
    // buttons that do nothing, the field says where cards are trained on time.
    labMeisterschaft = new QLabel(QStringLiteral("Karten auf Zeit üben Sie im Fenster „Kartentraining“: "
                                                 "Menü Training, Spielkarten."),
                                  GroupBox2);
    labMeisterschaft->setWordWrap(true);
    labMeisterschaft->setGeometry(12, 22, 185, 64);
    labMeisterschaft->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    GroupBox3 = new QGroupBox(QStringLiteral("Zeittabelle"), this);
    GroupBox3->setGeometry(328, 108, 209, 138);

    Button1 = new QPushButton(QStringLiteral("Schliessen"), this);
    Button1->setGeometry(437, 256, 100, 28);
    // Enter belongs to the card; it must never close the window by the way.
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
}

void TWinLearnCards::nameControls()
{
    SetObjectNames({{GroupBox1, "GroupBox1"}, {pcTraining, "pcTraining"}, {pBedeutung, "pBedeutung"},
                    {pGrund, "pGrund"}, {chbLoesung, "chbLoesung"}, {rbZufall, "rbZufall"},
                    {rbSortiert, "rbSortiert"}, {chbHerz, "chbHerz"}, {chbKaro, "chbKaro"}, {chbPik, "chbPik"},
                    {chbKreuz, "chbKreuz"}, {GroupBox2, "GroupBox2"}, {labMeisterschaft, "labMeisterschaft"},
                    {GroupBox3, "GroupBox3"}, {Button1, "Button1"}});
    // The card and the two panels have no caption: they are named by their role.
    pcTraining->setAccessibleName(QStringLiteral("Karte"));
    pBedeutung->setAccessibleName(QStringLiteral("Bedeutung"));
    pGrund->setAccessibleName(QStringLiteral("Grund"));
    UpdateAccessibleNames(this);
}

void TWinLearnCards::connectHandlers()
{
    connect(pcTraining, &TPlayingCard::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { pcTrainingClick(); }); });
    pcTraining->installEventFilter(this);
    connect(pBedeutung, &TPanel::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { pBedeutungClick(); }); });
    connect(pGrund, &TPanel::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { pGrundClick(); }); });
    connect(chbLoesung, &QCheckBox::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { chbLoesungClick(); }); });
    for (QCheckBox* box : {chbHerz, chbKaro, chbPik, chbKreuz})
        connect(box, &QCheckBox::clicked, this, [this, box] { RunGuarded(ctx_.dialogs, [this, box] { chbHerzClick(box); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

// ---------------------------------------------------------------------------
// Creation and showing

void TWinLearnCards::FormCreate()
{
    // The shared generator was seeded when the main window was created; seeding
    // it again here would only restart it. The first card is drawn as a click
    // draws it, so it is never the card the layout starts with.
    pcTrainingClick();
}

void TWinLearnCards::showEvent(QShowEvent* event)
{
    CenterOnScreen(this);
    pcTraining->setFocus();
    QDialog::showEvent(event);
}

void TWinLearnCards::keyPressEvent(QKeyEvent* event)
{
    // Enter is the card's key; anywhere else it would press no button here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TWinLearnCards::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != pcTraining)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        RunGuarded(ctx_.dialogs, [this, button] { pcTrainingMouseUp(button); });
    } else if (event->type() == QEvent::KeyPress) {
        // Enter clicks the card as Space does; the context-menu key and
        // Shift+F10 stand for the right click.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                           && key->modifiers() == Qt::NoModifier;
        const bool menu = key->key() == Qt::Key_Menu
                          || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        if (!enter && !menu)
            return false;
        if (!key->isAutoRepeat())
            RunGuarded(ctx_.dialogs, [this, enter] { enter ? pcTrainingClick() : pcTrainingMouseUp(Qt::RightButton); });
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Handlers

SuitsOn TWinLearnCards::suitsOn() const
{
    return {chbKreuz->isChecked(), chbKaro->isChecked(), chbHerz->isChecked(), chbPik->isChecked()};
}

void TWinLearnCards::pcTrainingClick()
{
    const int current = pcTraining->FaceIndex();
    const int next = rbZufall->isChecked() ? NextCardRandom(current, suitsOn(), ctx_.random)
                                           : NextCardSorted(current, suitsOn());
    pcTraining->setFaceIndex(next);
    pBedeutung->clear();
    pGrund->clear();
    if (chbLoesung->isChecked()) {
        toggleMeaning();
        showReason();
    }
}

void TWinLearnCards::pcTrainingMouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        toggleMeaning();
}

void TWinLearnCards::pBedeutungClick()
{
    toggleMeaning();
}

void TWinLearnCards::pGrundClick()
{
    showReason();
}

void TWinLearnCards::chbLoesungClick()
{
    if (chbLoesung->isChecked()) {
        toggleMeaning();
        showReason();
    } else {
        pBedeutung->clear();
        pGrund->clear();
    }
}

void TWinLearnCards::chbHerzClick(QCheckBox* sender)
{
    const SuitsOn suits = suitsOn();
    if (std::find(suits.begin(), suits.end(), true) == suits.end())
        sender->setChecked(true);
}

void TWinLearnCards::Button1Click()
{
    close();
}

void TWinLearnCards::toggleMeaning()
{
    pBedeutung->setText(ToggledMeaning(pBedeutung->text(), pcTraining->FaceIndex()));
}

void TWinLearnCards::showReason()
{
    pGrund->setText(CardImageOf(pcTraining->FaceIndex()).reason);
}
