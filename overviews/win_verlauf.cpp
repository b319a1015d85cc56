// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/win_verlauf.h"

#include "overviews/win_analyse.h"
#include "core/app_context.h"
#include "core/error_handler.h"
#include "core/formats.h"
#include "core/disciplines.h"
#include "history/history_csv.h"
#include "history/history_statistics.h"
#include "history/history_texts.h"
#include "overviews/verlauf_marks.h"
#include "overviews/verlauf_regelwerke.h"
#include "overviews/win_csv_export.h"
#include "records/record_lookup.h"
#include "widgets/panel.h"
#include "widgets/window_helpers.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QValueAxis>

// The attempts of one setting as the table shows them. The texts are made when
// a cell is drawn, so ten thousand attempts cost no more than the rows on screen.
class VerlaufModel : public QAbstractTableModel {
public:
    VerlaufModel(const AppContext& ctx, QObject* parent) : QAbstractTableModel(parent), ctx_(ctx) {}

    void show(const std::vector<StoredAttempt>* attempts, int discipline)
    {
        beginResetModel();
        attempts_ = attempts;
        discipline_ = discipline;
        columns_ = ColumnsOf(discipline);
        endResetModel();
    }
    void retitle() { Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1); }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !attempts_ ? 0 : int(attempts_->size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(columns_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!attempts_ || !index.isValid())
            return {};
        const HistoryColumn column = columns_.at(index.column());
        const StoredAttempt& stored = (*attempts_)[std::size_t(index.row())];
        if (role == Qt::DisplayRole)
            return CellText(ctx_, stored, column, CellStyle::Screen);
        // An attempt set aside stays readable but steps back; a deleted one on
        // show is struck through.
        if (role == Qt::ForegroundRole && stored.mark != AttemptMark::Counted)
            return QColor(0x90, 0x90, 0x90);
        if (role == Qt::FontRole && stored.mark != AttemptMark::Counted) {
            QFont font;
            font.setItalic(stored.mark == AttemptMark::Marked);
            font.setStrikeOut(stored.mark == AttemptMark::Deleted);
            return font;
        }
        if (role == Qt::TextAlignmentRole && column != HistoryColumn::Started)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section >= columns_.size())
            return {};
        if (role == Qt::DisplayRole)
            return ColumnTitle(ctx_, columns_.at(section), discipline_);
        // Titles of two words take two lines, so the columns stay as narrow as
        // their numbers.
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter | Qt::TextWordWrap);
        return {};
    }

private:
    const AppContext& ctx_;
    const std::vector<StoredAttempt>* attempts_ = nullptr;
    int discipline_ = -1;
    QList<HistoryColumn> columns_;
};

TWinVerlauf::TWinVerlauf(AppContext& ctx, HistoryStore& history, QWidget* parent)
    : QDialog(parent), ctx_(ctx), history_(history)
{
    setObjectName(QStringLiteral("WinVerlauf"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Trainingsverlauf"));
    QFont windowFont(QStringLiteral("DejaVu Sans"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);
    // The width of the training windows, so the history opens where they do;
    // the rule sets take a strip under the table.
    setFixedSize(913, 358 + TVerlaufRegelwerke::Height);
    buildControls();
    buildChart();
    SetObjectNames({{labDisziplin, "labDisziplin"}, {cbDisziplin, "cbDisziplin"}, {labEinstellung, "labEinstellung"},
                    {cbEinstellung, "cbEinstellung"}, {sgVerlauf, "sgVerlauf"}, {chVerlauf, "chVerlauf"},
                    {labAnzahl, "labAnzahl"}, {pAnzahl, "pAnzahl"}, {labBeste, "labBeste"}, {pBeste, "pBeste"},
                    {labMedian, "labMedian"}, {pMedian, "pMedian"}, {labAenderung, "labAenderung"},
                    {pAenderung, "pAenderung"}, {bExport, "bExport"}, {bAnalyse, "bAnalyse"},
                    {bClose, "bClose"}});

    connect(cbDisziplin, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { cbDisziplinChange(); }); });
    connect(cbEinstellung, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { cbEinstellungChange(); }); });
    connect(bExport, &QPushButton::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { bExportClick(); }); });
    connect(bAnalyse, &QPushButton::clicked, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { bAnalyseClick(); }); });
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(sgVerlauf->selectionModel(), &QItemSelectionModel::selectionChanged, pMarks,
            &TVerlaufMarks::refreshButtons);
    connect(sgVerlauf->selectionModel(), &QItemSelectionModel::selectionChanged, pRegelwerke,
            [this] { RunGuarded(ctx_.dialogs, [this] { pRegelwerke->showSelected(selectedAttempts()); }); });
    connect(pMarks, &TVerlaufMarks::marksChanged, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { reloadKeepingSelection(); }); });
    connect(pMarks, &TVerlaufMarks::showDeletedChanged, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { reloadKeepingSelection(); }); });
    // The keys of a list: Delete in the table, undo anywhere in the window.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, sgVerlauf, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, pMarks, [this] {
        if (pMarks->bLoeschen->isEnabled())
            pMarks->bLoeschen->click();
    });
    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, pMarks, [this] {
        if (pMarks->bRueckgaengig->isEnabled())
            pMarks->bRueckgaengig->click();
    });
}

TWinVerlauf::~TWinVerlauf() = default;

void TWinVerlauf::buildControls()
{
    const auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, y, w, 15);
        return l;
    };
    labDisziplin = label(QStringLiteral("Disziplin"), 8, 8, 250);
    cbDisziplin = new QComboBox(this);
    cbDisziplin->setGeometry(8, 24, 250, 24);
    labEinstellung = label(QStringLiteral("Einstellung"), 266, 8, 502);
    cbEinstellung = new QComboBox(this);
    cbEinstellung->setGeometry(266, 24, 502, 24);
    labDisziplin->setBuddy(cbDisziplin);
    labEinstellung->setBuddy(cbEinstellung);

    model_ = new VerlaufModel(ctx_, this);
    sgVerlauf = new QTableView(this);
    sgVerlauf->setModel(model_);
    sgVerlauf->setGeometry(8, 56, 484, 262);
    sgVerlauf->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgVerlauf->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The cursor keys walk the rows; Tab goes on to the marking buttons.
    sgVerlauf->setTabKeyNavigation(false);
    sgVerlauf->setAlternatingRowColors(true);
    sgVerlauf->verticalHeader()->hide();
    sgVerlauf->verticalHeader()->setDefaultSectionSize(20);
    sgVerlauf->horizontalHeader()->setDefaultSectionSize(56);
    sgVerlauf->horizontalHeader()->setMinimumSectionSize(20);
    sgVerlauf->horizontalHeader()->setFixedHeight(36);
    sgVerlauf->horizontalHeader()->setStretchLastSection(true);
    sgVerlauf->setWordWrap(false);

    constexpr int x = 780;
    constexpr int w = 129;
    const auto panel = [this](int y) {
        auto* p = new TPanel(this);
        p->setGeometry(x, y, w, 24);
        return p;
    };
    // Two lines for each label: the longer ones need them in either language.
    const auto statLabel = [&](const QString& text, int y) {
        QLabel* l = label(text, x, y, w);
        l->setGeometry(x, y, w, 28);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        return l;
    };
    labAnzahl = statLabel(QStringLiteral("Anzahl Versuche"), 2);
    pAnzahl = panel(31);
    labBeste = statLabel(QStringLiteral("Bestes Ergebnis"), 58);
    pBeste = panel(87);
    labMedian = statLabel(QStringLiteral("Median der letzten zehn"), 114);
    pMedian = panel(143);
    labAenderung = statLabel(QStringLiteral("Änderung zu den zehn davor"), 170);
    pAenderung = panel(199);
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {labAnzahl, pAnzahl}, {labBeste, pBeste}, {labMedian, pMedian}, {labAenderung, pAenderung}};
    for (const auto& [l, control] : buddies)
        l->setBuddy(control);

    bExport = new QPushButton(QStringLiteral("CSV exportieren ..."), this);
    bExport->setGeometry(x, 228, w, 28);
    bClose = new QPushButton(QStringLiteral("Schliessen"), this);
    bClose->setGeometry(x, 293, w, 28);
    bAnalyse = new QPushButton(QStringLiteral("Fehleranalyse ..."), this);
    bAnalyse->setGeometry(x, 260, w, 28);
    bClose->setDefault(true);
    setTabOrder(cbDisziplin, cbEinstellung);
    pMarks = new TVerlaufMarks(ctx_, history_, [this] { return selectedAttempts(); }, this);
    pMarks->setGeometry(8, 324, 484, 26);
    winExport = new TWinCsvExport(ctx_, this);
    pRegelwerke = new TVerlaufRegelwerke(ctx_, history_, this);
    pRegelwerke->setGeometry(8, 356, 901, TVerlaufRegelwerke::Height);
    setTabOrder(cbEinstellung, sgVerlauf);
    setTabOrder(sgVerlauf, pMarks->bMarkieren);
    setTabOrder(pMarks->bMarkieren, pMarks->bLoeschen);
    setTabOrder(pMarks->bLoeschen, pMarks->bRueckgaengig);
    setTabOrder(pMarks->bRueckgaengig, pMarks->cbGeloeschte);
    setTabOrder(pMarks->cbGeloeschte, bExport);
    setTabOrder(bExport, bAnalyse);
    setTabOrder(bAnalyse, bClose);
}

void TWinVerlauf::buildChart()
{
    chart_ = new QChart;
    chart_->setMargins(QMargins(2, 2, 2, 2));
    chart_->setBackgroundRoundness(0);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    QFont small = font();
    small.setPixelSize(10);
    chart_->legend()->setFont(small);

    results_ = new QLineSeries;
    results_->setPointsVisible(true);
    recordLine_ = new QLineSeries;
    QPen dashed(QColor(0xC0, 0x30, 0x30));
    dashed.setStyle(Qt::DashLine);
    dashed.setWidth(2);
    recordLine_->setPen(dashed);
    chart_->addSeries(results_);
    chart_->addSeries(recordLine_);

    timeAxis_ = new QDateTimeAxis;
    timeAxis_->setFormat(QStringLiteral("dd.MM.yy"));
    timeAxis_->setTickCount(4);
    timeAxis_->setLabelsFont(small);
    valueAxis_ = new QValueAxis;
    valueAxis_->setLabelFormat(QStringLiteral("%g"));
    valueAxis_->setLabelsFont(small);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    for (QLineSeries* series : {results_, recordLine_}) {
        series->attachAxis(timeAxis_);
        series->attachAxis(valueAxis_);
    }

    chVerlauf = new QChartView(chart_, this);
    chVerlauf->setRenderHint(QPainter::Antialiasing);
    chVerlauf->setGeometry(496, 56, 276, 294);
    chVerlauf->setFocusPolicy(Qt::NoFocus);
}

void TWinVerlauf::showEvent(QShowEvent* event)
{
    RunGuarded(ctx_.dialogs, [this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TWinVerlauf::FormShow()
{
    ApplyInterfaceTexts();
    fillDisciplines();
    cbDisziplin->setFocus();
}

void TWinVerlauf::ApplyInterfaceTexts()
{
    const auto text = [this](int id, const QString& current) { return ctx_.InterfaceText(id, current); };
    setWindowTitle(text(180, windowTitle()));
    labDisziplin->setText(text(181, labDisziplin->text()));
    labEinstellung->setText(text(182, labEinstellung->text()));
    labAnzahl->setText(text(202, labAnzahl->text()));
    labBeste->setText(text(203, labBeste->text()));
    labMedian->setText(text(204, labMedian->text()));
    labAenderung->setText(text(205, labAenderung->text()));
    bExport->setText(text(209, bExport->text()));
    bClose->setText(text(151, bClose->text()));
    bAnalyse->setText(text(401, bAnalyse->text()));
    results_->setName(ColumnTitle(ctx_, HistoryColumn::Points));
    recordLine_->setName(text(208, QStringLiteral("Persönlicher Rekord")));
    model_->retitle();
    UpdateAccessibleNames(this);
    pMarks->ApplyInterfaceTexts();
    pRegelwerke->ApplyInterfaceTexts();
    // Neither the table nor the plot has a label of its own to be named by.
    sgVerlauf->setAccessibleName(windowTitle());
    chVerlauf->setAccessibleName(windowTitle());
}

void TWinVerlauf::fillDisciplines()
{
    // The choice made last time stays when it still has attempts; a first showing
    // opens on what was trained last.
    const int previous = cbDisziplin->currentData().isValid() ? cbDisziplin->currentData().toInt() : -1;
    settings_ = history_.settings();
    QList<int> codes;
    for (const Discipline& discipline : AllDisciplines())
        codes << discipline.code;
    int latest = -1;
    QDateTime latestTime;
    for (const HistorySetting& s : settings_) {
        if (!codes.contains(s.discipline))
            codes << s.discipline;
        if (!latestTime.isValid() || s.latest > latestTime) {
            latestTime = s.latest;
            latest = s.discipline;
        }
    }
    const int wanted = previous >= 0 ? previous : latest;
    {
        const QSignalBlocker block(cbDisziplin);
        cbDisziplin->clear();
        for (int code : std::as_const(codes))
            cbDisziplin->addItem(DisciplineName(ctx_, code), code);
        cbDisziplin->setCurrentIndex(std::max(0, int(codes.indexOf(wanted))));
    }
    cbDisziplinChange();
}

void TWinVerlauf::cbDisziplinChange()
{
    const int discipline = cbDisziplin->currentData().toInt();
    const QSignalBlocker block(cbEinstellung);
    cbEinstellung->clear();
    // Settings come newest first, so the first one is the one trained last; the
    // one chosen before stays chosen while its discipline is.
    int chosen = 0;
    for (std::size_t i = 0; i < settings_.size(); ++i) {
        const HistorySetting& s = settings_[i];
        if (s.discipline != discipline)
            continue;
        if (chosenSetting_ == s.setting)
            chosen = cbEinstellung->count();
        cbEinstellung->addItem(QStringLiteral("%1 (%2)").arg(SettingText(ctx_, s.setting)).arg(s.attempts), int(i));
    }
    if (cbEinstellung->count() == 0)
        cbEinstellung->addItem(ctx_.InterfaceText(223, QStringLiteral("Noch keine Versuche")));
    cbEinstellung->setEnabled(cbEinstellung->itemData(0).isValid());
    cbEinstellung->setCurrentIndex(chosen);
    cbEinstellungChange();
}

void TWinVerlauf::cbEinstellungChange()
{
    const QVariant index = cbEinstellung->currentData();
    if (index.isValid()) {
        const HistorySetting& s = settings_[std::size_t(index.toInt())];
        chosenSetting_ = s.setting;
        shown_ = history_.attempts(s.discipline, s.setting);
        if (!pMarks->showDeleted())
            std::erase_if(shown_, [](const StoredAttempt& a) { return a.mark == AttemptMark::Deleted; });
    } else {
        shown_.clear();
    }
    showAttempts();
}

void TWinVerlauf::showAttempts()
{
    const int discipline = cbDisziplin->currentData().toInt();
    model_->show(&shown_, discipline);
    fitColumns();
    bExport->setEnabled(!settings_.empty());
    record_ = lookUpRecord();
    showStatistics();
    plot();
    pMarks->refreshButtons();
    pRegelwerke->showSetting(discipline, shown_);
    pRegelwerke->showSelected(selectedAttempts());
}

std::vector<StoredAttempt> TWinVerlauf::selectedAttempts() const
{
    std::vector<StoredAttempt> chosen;
    const QModelIndexList rows = sgVerlauf->selectionModel()->selectedRows();
    for (const QModelIndex& row : rows) {
        if (row.row() < int(shown_.size()))
            chosen.push_back(shown_[std::size_t(row.row())]);
    }
    return chosen;
}

void TWinVerlauf::reloadKeepingSelection()
{
    QList<qint64> chosen;
    for (const StoredAttempt& a : selectedAttempts())
        chosen << a.id;
    const int currentRow = sgVerlauf->currentIndex().row();
    // The settings' counts change with a deletion; the choices stay.
    fillDisciplines();
    // The attempts that are still on show stay selected; when all of them went
    // (deleted and hidden), the row that took their place is the current one, so
    // that the keyboard goes on from there.
    QItemSelection selection;
    for (std::size_t r = 0; r < shown_.size(); ++r) {
        if (chosen.contains(shown_[r].id))
            selection.select(model_->index(int(r), 0), model_->index(int(r), model_->columnCount() - 1));
    }
    if (selection.isEmpty() && !shown_.empty() && currentRow >= 0) {
        const int row = std::min(currentRow, int(shown_.size()) - 1);
        selection.select(model_->index(row, 0), model_->index(row, model_->columnCount() - 1));
    }
    if (!selection.isEmpty()) {
        sgVerlauf->selectionModel()->setCurrentIndex(selection.indexes().first(), QItemSelectionModel::NoUpdate);
        sgVerlauf->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    pMarks->refreshButtons();
}

void TWinVerlauf::fitColumns()
{
    // Each column as wide as the longest word of its title or the widest of the
    // newest rows; measuring every row of a long history would cost more than it
    // shows.
    const QFontMetrics header(sgVerlauf->horizontalHeader()->font());
    const QFontMetrics cells(sgVerlauf->font());
    const int rows = std::min(model_->rowCount(), 50);
    for (int c = 0; c < model_->columnCount(); ++c) {
        int width = 36;
        const QString title = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        for (const QString& word : title.split(QLatin1Char(' ')))
            width = std::max(width, header.horizontalAdvance(word) + 10);
        for (int r = 0; r < rows; ++r)
            width = std::max(width, cells.horizontalAdvance(model_->index(r, c).data().toString()) + 10);
        sgVerlauf->setColumnWidth(c, width);
    }
}

std::optional<double> TWinVerlauf::lookUpRecord() const
{
    if (shown_.empty())
        return std::nullopt;
    // The record is what the records table holds for this setting, looked up by
    // the key the training window uses.
    const AttemptRecord& a = shown_.front().attempt;
    const Discipline* discipline = FindDiscipline(a.discipline);
    if (!discipline)
        return std::nullopt;
    return LookupRecordOf(ctx_.DBDaten, *discipline, a.setting).stored;
}

QString TWinVerlauf::resultText(double value) const
{
    if (IsTimedRun(cbDisziplin->currentData().toInt()))
        return FormatFixed(value, 2) + QStringLiteral(" s");
    return FormatShortest(value);
}

void TWinVerlauf::showStatistics()
{
    const HistoryStatistics stats = ComputeStatistics(shown_);
    pAnzahl->setText(QString::number(stats.attempts));
    pBeste->setText(stats.best ? resultText(*stats.best) : QString());
    pMedian->setText(stats.medianOfLastTen ? resultText(*stats.medianOfLastTen) : QString());
    QString change;
    if (stats.change) {
        const double delta = *stats.change;
        change = (delta > 0 ? QStringLiteral("+") : QString()) + resultText(delta);
        // Fewer seconds are better for a run, more points for a scored attempt.
        const bool timed = IsTimedRun(cbDisziplin->currentData().toInt());
        if (delta != 0) {
            const bool better = timed ? delta < 0 : delta > 0;
            change += QLatin1Char(' ')
                + (better ? ctx_.InterfaceText(206, QStringLiteral("besser"))
                          : ctx_.InterfaceText(207, QStringLiteral("schlechter")));
        }
    }
    pAenderung->setText(change);
}

void TWinVerlauf::plot()
{
    const bool timed = IsTimedRun(cbDisziplin->currentData().toInt());
    results_->setName(ColumnTitle(ctx_, timed ? HistoryColumn::RunSeconds : HistoryColumn::Points));
    QList<QPointF> points;
    points.reserve(qsizetype(shown_.size()));
    double low = record_.value_or(0);
    double high = record_.value_or(0);
    bool any = record_.has_value();
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
        if (!Counts(*it))
            continue;
        const std::optional<double> result = ResultOf(it->attempt);
        if (!result)
            continue;
        points << QPointF(double(it->started.toMSecsSinceEpoch()), *result);
        low = any ? std::min(low, *result) : *result;
        high = any ? std::max(high, *result) : *result;
        any = true;
    }
    // Point marks help a short history and hide a long one.
    results_->setPointsVisible(points.size() <= 60);
    results_->replace(points);

    QDateTime first = shown_.empty() ? QDateTime::currentDateTime() : shown_.back().started;
    QDateTime last = shown_.empty() ? first : shown_.front().started;
    // A little room on both sides, so the first and last marks show whole.
    const qint64 pad = std::max<qint64>(first.msecsTo(last) / 25, 1800 * 1000);
    first = first.addMSecs(-pad);
    last = last.addMSecs(pad);
    timeAxis_->setFormat(first.daysTo(last) < 2 ? QStringLiteral("hh:mm") : QStringLiteral("dd.MM.yy"));
    timeAxis_->setRange(first, last);
    QList<QPointF> line;
    if (record_)
        line = {QPointF(double(first.toMSecsSinceEpoch()), *record_),
                QPointF(double(last.toMSecsSinceEpoch()), *record_)};
    recordLine_->replace(line);
    const auto markers = chart_->legend()->markers(recordLine_);
    for (QLegendMarker* marker : markers)
        marker->setVisible(record_.has_value());

    const double margin = std::max(1.0, (high - low) * 0.1);
    valueAxis_->setRange(any ? std::max(0.0, low - margin) : 0, any ? high + margin : 10);
    valueAxis_->applyNiceNumbers();
}

std::vector<StoredAttempt> TWinVerlauf::attemptsToExport(const CsvExportChoice& choice)
{
    std::vector<StoredAttempt> attempts;
    switch (choice.range) {
    case CsvExportChoice::Range::Selection:
        // What the user picked goes as it is, deleted or not.
        return selectedAttempts();
    case CsvExportChoice::Range::WholeHistory:
        attempts = history_.allAttempts();
        break;
    case CsvExportChoice::Range::ShownSetting: {
        const QVariant index = cbEinstellung->currentData();
        if (index.isValid()) {
            const HistorySetting& s = settings_[std::size_t(index.toInt())];
            attempts = history_.attempts(s.discipline, s.setting);
        }
        break;
    }
    }
    if (!choice.withDeleted)
        std::erase_if(attempts, [](const StoredAttempt& a) { return a.mark == AttemptMark::Deleted; });
    return attempts;
}

void TWinVerlauf::bExportClick()
{
    const std::optional<CsvExportChoice> choice =
        winExport->ask(int(selectedAttempts().size()), cbEinstellung->currentData().isValid(), pMarks->showDeleted());
    if (!choice)
        return;
    const std::vector<StoredAttempt> attempts = attemptsToExport(*choice);
    const QString name = ctx_.dialogs.askSaveFileName(
        ctx_.InterfaceText(221, QStringLiteral("Verlauf als CSV exportieren")),
        QDir::homePath() + QStringLiteral("/Korvanis-Verlauf.csv"),
        ctx_.InterfaceText(210, QStringLiteral("CSV-Dateien (*.csv)")));
    if (name.isEmpty())
        return;
    QString error;
    if (!SaveCsv(name, CsvText(CsvRows(ctx_, attempts, choice->format), choice->format.separator), &error))
        ctx_.dialogs.showError(ctx_.InterfaceText(220, QStringLiteral("Die Datei %1 konnte nicht geschrieben "
                                                                      "werden (%2)."))
                                   .arg(QDir::toNativeSeparators(name), error));
}

// The analysis opens beside the history, on the discipline shown here, and goes
// with it.
void TWinVerlauf::bAnalyseClick()
{
    auto* analysis = new TWinAnalyse(ctx_, history_, this);
    analysis->setAttribute(Qt::WA_DeleteOnClose);
    analysis->setDiscipline(cbDisziplin->currentData().toInt());
    analysis->open();
}
