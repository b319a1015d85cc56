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
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString DesignCaption = QString::fromUtf8("Quendor - Rekordübersicht");
const QColor Faster(0, 128, 0);
const QColor Slower(255, 0, 0);

void setFontColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

template <class Handler>
void TWinQuendor::guarded(Handler&& handler)
{
    RunGuarded(ctx_.dialogs, std::forward<Handler>(handler));
}

TWinQuendor::TWinQuendor(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("WinQuendor"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(DesignCaption);
    setFont(PixelFont(11));
    setFixedSize(QuendorWindowWidth, QuendorWindowHeight);

    buildControls();
    guarded([this] { FormCreate(); });
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
    connect(edit, &QLineEdit::textEdited, this, [this, level] { guarded([this, level] { eKeyUp(level); }); });
    const auto project = [this, level] { guarded([this, level] { pDDblClick(level); }); };
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
    guarded([this] { FormShow(); });
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
    guarded([this] { FormClose(); });
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
    setWindowTitle(summary ? DesignCaption + QStringLiteral(" - ") + *summary : DesignCaption);
}

bool TWinQuendor::eKeyPress(QChar key)
{
    return !BestTimeKeyAccepted(key);
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
        guarded([this, level] { eKeyUp(level); });
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
