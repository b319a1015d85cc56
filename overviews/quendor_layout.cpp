// Building the overview's controls: seven tab pages of ten level rows each.
#include "overviews/win_quendor.h"

#include "overviews/row_panel.h"
#include "widgets/panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QValidator>

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
