// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/win_quendor.h"

#include "core/app_context.h"
#include "core/error_handler.h"
#include "core/ini_file.h"
#include "overviews/quendor_pace.h"
#include "overviews/row_panel.h"
#include "widgets/panel.h"
#include "widgets/window_helpers.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QValidator>

namespace {

const QString BaseCaption = QString::fromUtf8("Quendor - Rekordübersicht");
const QColor Faster(0, 128, 0);
const QColor Slower(255, 0, 0);

void setFontColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

TWinQuendor::TWinQuendor(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinQuendor"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(BaseCaption);
    setFont(PixelFont(11));
    setFixedSize(QuendorWindowWidth, QuendorWindowHeight);

    buildControls();
    RunGuarded(ctx_.dialogs, [this] { FormCreate(); });
}

int TWinQuendor::activeDiscipline() const
{
    return pcRekorde->currentIndex() + 1;
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TWinQuendor::FormCreate()
{
    pcRekorde->setCurrentIndex(0);
    for (int d = 1; d <= QuendorDisciplineCount; ++d) {
        for (int level = 1; level <= QuendorLevelCount; ++level)
            attachHandlers(d, level);
    }
    UpdateAccessibleNames(this);
    readSettings();
    showSummary();
}

void TWinQuendor::attachHandlers(int discipline, int level)
{
    QLineEdit* edit = BestTimeEdits[discipline][level];
    TRowPanel* pace = PacePanels[discipline][level];
    TRowPanel* possible = PossiblePanels[discipline][level];
    for (QWidget* control : {static_cast<QWidget*>(LevelPanels[discipline][level]), static_cast<QWidget*>(edit),
                             static_cast<QWidget*>(pace), static_cast<QWidget*>(possible)})
        control->setProperty("Tag", level);
    edit->installEventFilter(this);
    pace->installEventFilter(this);
    possible->installEventFilter(this);
    // Text that arrives without a key (pasted, dropped, undone from the menu)
    // must not leave the pace and the caption behind.
    connect(edit, &QLineEdit::textEdited, this, [this, level] { RunGuarded(ctx_.dialogs, [this, level] { eKeyUp(level); }); });
    const auto project = [this, level] { RunGuarded(ctx_.dialogs, [this, level] { pDDblClick(level); }); };
    connect(pace, &TRowPanel::doubleClicked, this, project);
    connect(possible, &TRowPanel::doubleClicked, this, project);
}

void TWinQuendor::readSettings()
{
    stored_ = ReadQuendorValues(IniFile(ctx_.settingsFile()));
    for (int d = 1; d <= QuendorDisciplineCount; ++d) {
        for (int level = 1; level <= QuendorLevelCount; ++level)
            BestTimeEdits[d][level]->setText(stored_.bestTime(d, level));
        if (!HasHiddenValues(d))
            continue;
        ConvertEdits[d]->setText(HiddenValueText(stored_.convert.at(d - 1)));
        LastSecondsEdits[d]->setText(HiddenValueText(stored_.lastSeconds.at(d - 1)));
    }
}

void TWinQuendor::showEvent(QShowEvent* event)
{
    RunGuarded(ctx_.dialogs, [this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TWinQuendor::FormShow()
{
    for (int d = 1; d <= QuendorDisciplineCount; ++d) {
        for (int level = 1; level <= QuendorLevelCount; ++level)
            showPace(d, level);
    }
}

void TWinQuendor::done(int result)
{
    RunGuarded(ctx_.dialogs, [this] { FormClose(); });
    QDialog::done(result);
}

void TWinQuendor::FormClose()
{
    QuendorValues values = stored_;
    for (int d = 1; d <= QuendorDisciplineCount; ++d) {
        for (int level = 1; level <= QuendorLevelCount; ++level)
            values.bestTime(d, level) = BestTimeEdits[d][level]->text();
        if (!HasHiddenValues(d))
            continue;
        values.convert.at(d - 1) = HiddenValueToStore(ConvertEdits[d]->text(), stored_.convert.at(d - 1));
        values.lastSeconds.at(d - 1) = HiddenValueToStore(LastSecondsEdits[d]->text(), stored_.lastSeconds.at(d - 1));
    }
    IniFile ini(ctx_.settingsFile());
    WriteQuendorValues(ini, values);
}

// ---------------------------------------------------------------------------
// Level rows

void TWinQuendor::showPace(int discipline, int level)
{
    const std::optional<QString> pace = PaceText(BestTimeEdits[discipline][level]->text(),
                                                 LevelAmount(discipline, level),
                                                 QuendorDisciplineOf(discipline).unitsPerPace);
    if (pace)
        PacePanels[discipline][level]->setText(*pace);
}

void TWinQuendor::showSummary()
{
    QStringList times;
    times.reserve(QuendorDisciplineCount * QuendorLevelCount);
    for (int d = 1; d <= QuendorDisciplineCount; ++d) {
        for (int level = 1; level <= QuendorLevelCount; ++level)
            times << BestTimeEdits[d][level]->text();
    }
    // With every time cleared, the summary of times no longer there would stay.
    const std::optional<QString> summary = CaptionSummary(times, QuendorDisciplineCount);
    setWindowTitle(summary ? BaseCaption + QStringLiteral(" - ") + *summary : BaseCaption);
}

bool TWinQuendor::eKeyPress(QChar key)
{
    return !BestTimeCharAccepted(key);
}

void TWinQuendor::eKeyUp(int level)
{
    showPace(activeDiscipline(), level);
    showSummary();
}

void TWinQuendor::pDDblClick(int level)
{
    const int d = activeDiscipline();
    const std::optional<qint64> pace = PaceCents(PacePanels[d][level]->text());
    if (!pace)
        return;
    const int units = QuendorDisciplineOf(d).unitsPerPace;
    for (int n = 1; n <= QuendorLevelCount; ++n) {
        const Projection projection = ProjectLevel(*pace, LevelAmount(d, n), units, BestTimeEdits[d][n]->text());
        TRowPanel* panel = PossiblePanels[d][n];
        panel->setText(projection.text);
        switch (projection.mark) {
        case ProjectionMark::Faster:
            setFontColour(panel, Faster);
            break;
        case ProjectionMark::Equal:
            setFontColour(panel, palette().color(QPalette::WindowText));
            break;
        case ProjectionMark::Slower:
            setFontColour(panel, Slower);
            break;
        case ProjectionMark::Keep:
            break;
        }
    }
}

// ---------------------------------------------------------------------------
// Keys

bool TWinQuendor::eventFilter(QObject* watched, QEvent* event)
{
    const auto place = rowPlaces_.constFind(watched);
    if (place == rowPlaces_.cend())
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))
            return moveInColumn(watched, key->key() == Qt::Key_Up ? -1 : 1);
        // Only characters are filtered: Tab, Enter, the cursor keys and the
        // editing shortcuts keep working.
        const QString text = key->text();
        if (place->column == 0 && !text.isEmpty() && text.at(0).isPrint())
            return eKeyPress(text.at(0));
    }
    // A best time reached from the keyboard, also by a change of tab, is typed
    // over, not appended to.
    if (event->type() == QEvent::FocusIn && place->column == 0
        && static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
        static_cast<QLineEdit*>(watched)->selectAll();
    if (event->type() == QEvent::KeyRelease && place->column == 0) {
        const int level = place->level;
        RunGuarded(ctx_.dialogs, [this, level] { eKeyUp(level); });
    }
    return QDialog::eventFilter(watched, event);
}

bool TWinQuendor::moveInColumn(QObject* control, int step)
{
    const RowPlace place = rowPlaces_.value(control);
    const int level = place.level + step;
    if (level < 1 || level > QuendorLevelCount)
        return true;
    QWidget* target = place.column == 0 ? static_cast<QWidget*>(BestTimeEdits[place.discipline][level])
        : place.column == 1             ? static_cast<QWidget*>(PacePanels[place.discipline][level])
                                        : static_cast<QWidget*>(PossiblePanels[place.discipline][level]);
    target->setFocus(Qt::TabFocusReason);
    return true;
}

// ---------------------------------------------------------------------------
// Building the controls: seven tab pages of ten level rows each

namespace {

// Columns of a page: level label, amount, best time, pace, projection.
struct Column {
    int x;
    int width;
};
constexpr Column LabelColumn{30, 64};
constexpr Column AmountColumn{100, 112};
constexpr Column BestTimeColumn{222, 112};
constexpr Column PaceColumn{346, 130};
constexpr Column ProjectionColumn{488, 130};
constexpr int HeadingTop = 10;
constexpr int FirstRowTop = 30;
constexpr int RowPitch = 26;
constexpr int RowHeight = 22;

QRect cell(Column column, int top, int height = RowHeight)
{
    return {column.x, top, column.width, height};
}

int rowTop(int level)
{
    return FirstRowTop + (level - 1) * RowPitch;
}

QString rowName(const char* prefix, int discipline, int level)
{
    return QStringLiteral("%1%2_%3").arg(QLatin1String(prefix)).arg(discipline).arg(level);
}

QString disciplineName(const char* prefix, int discipline)
{
    return QLatin1String(prefix) + QString::number(discipline);
}

// Whatever arrives by pasting or dropping, a best time stays a whole number of
// at most nine digits, so that it always reads back as an integer. A longer
// text is refused, not cut: a cut number would be another time.
class DigitsOnly final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        if (input.size() > 9)
            return Invalid;
        for (const QChar ch : std::as_const(input)) {
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return Invalid;
        }
        return Acceptable;
    }
};

} // namespace

void TWinQuendor::buildControls()
{
    digitsOnly_ = new DigitsOnly(this);
    pcRekorde = new QTabWidget(this);
    pcRekorde->setObjectName(QStringLiteral("pcRekorde"));
    pcRekorde->setGeometry(4, 4, width() - 8, 322);
    for (int d = 1; d <= QuendorDisciplineCount; ++d)
        pcRekorde->addTab(buildPage(d), QString::fromUtf8(QuendorDisciplineOf(d).caption));
    QWidget** sheets[] = {&tsBinary, &tsNumbers, &tsWords, &tsText, &tsCards, &tsNames, &tsDates};
    for (int i = 0; i < QuendorDisciplineCount; ++i)
        *sheets[i] = pcRekorde->widget(i);

    Button1 = new QPushButton(QStringLiteral("Schliessen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(width() - 4 - 96, 332, 96, 26);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget* TWinQuendor::buildPage(int discipline)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(QuendorDisciplineOf(discipline).tabSheet));
    buildHeadings(page, discipline);
    for (int level = 1; level <= QuendorLevelCount; ++level)
        buildRow(page, discipline, level);
    if (HasHiddenValues(discipline))
        buildHiddenEdits(page, discipline);
    return page;
}

void TWinQuendor::buildHeadings(QWidget* page, int discipline)
{
    const QuendorDiscipline& k = QuendorDisciplineOf(discipline);
    const std::pair<const char*, std::pair<QString, Column>> headings[] = {
        {"labAnzahl", {QString::fromUtf8(k.amountHeading), AmountColumn}},
        {"labBestzeit", {QStringLiteral("Bestzeit"), BestTimeColumn}},
        {"labZeit", {QString::fromUtf8(k.paceHeading), PaceColumn}},
        {"labMoeglich", {QString::fromUtf8("möglich ..."), ProjectionColumn}},
    };
    for (const auto& [name, heading] : headings) {
        auto* label = new QLabel(heading.first, page);
        label->setObjectName(disciplineName(name, discipline));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(cell(heading.second, HeadingTop, 16));
    }
}

void TWinQuendor::buildRow(QWidget* page, int discipline, int level)
{
    const QuendorDiscipline& k = QuendorDisciplineOf(discipline);
    const int top = rowTop(level);
    const QString levelText = QStringLiteral("Level %1").arg(level);

    auto* label = new QLabel(levelText, page);
    label->setObjectName(rowName("lab", discipline, level));
    label->setGeometry(cell(LabelColumn, top));

    auto* amount = new TPanel(page);
    const int units = LevelAmount(discipline, level);
    amount->setText(units > 0 ? QString::number(units) : QString());
    amount->setGeometry(cell(AmountColumn, top));
    amount->setAccessibleName(levelText + QLatin1Char(' ') + QString::fromUtf8(k.amountHeading));

    auto* edit = new QLineEdit(page);
    edit->setGeometry(cell(BestTimeColumn, top));
    edit->setAlignment(Qt::AlignCenter);
    edit->setValidator(digitsOnly_);
    edit->setAccessibleName(levelText + QStringLiteral(" Bestzeit"));

    auto* pace = new TRowPanel(page);
    pace->setText(QStringLiteral("-"));
    pace->setGeometry(cell(PaceColumn, top));
    pace->setAccessibleName(levelText + QLatin1Char(' ') + QString::fromUtf8(k.paceHeading));

    auto* possible = new TRowPanel(page);
    possible->setText(QStringLiteral("0"));
    possible->setGeometry(cell(ProjectionColumn, top));
    possible->setAccessibleName(levelText + QString::fromUtf8(" möglich ..."));

    amount->setObjectName(rowName("p", discipline, level));
    edit->setObjectName(rowName("e", discipline, level));
    pace->setObjectName(rowName("pD", discipline, level));
    possible->setObjectName(rowName("pP", discipline, level));
    LevelPanels[discipline][level] = amount;
    BestTimeEdits[discipline][level] = edit;
    PacePanels[discipline][level] = pace;
    PossiblePanels[discipline][level] = possible;
    rowPlaces_.insert(edit, {discipline, level, 0});
    rowPlaces_.insert(pace, {discipline, level, 1});
    rowPlaces_.insert(possible, {discipline, level, 2});
}

void TWinQuendor::buildHiddenEdits(QWidget* page, int discipline)
{
    const auto hidden = [page, discipline](const char* labelName, const char* text, const char* editName, int x) {
        auto* label = new QLabel(QString::fromLatin1(text), page);
        label->setObjectName(disciplineName(labelName, discipline));
        label->setGeometry(x, 294, 70, 16);
        label->hide();
        auto* edit = new QLineEdit(page);
        edit->setObjectName(disciplineName(editName, discipline));
        edit->setGeometry(x + 72, 292, 60, 20);
        edit->hide();
        label->setBuddy(edit);
        return edit;
    };
    ConvertEdits[discipline] = hidden("labWandeln", "Wandeln", "eW", LabelColumn.x);
    LastSecondsEdits[discipline] = hidden("labLastSeconds", "Last seconds", "eL", BestTimeColumn.x);
}
