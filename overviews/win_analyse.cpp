// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/win_analyse.h"

#include "core/app_context.h"
#include "core/disciplines.h"
#include "core/error_handler.h"
#include "history/history_csv.h"
#include "history/history_store.h"
#include "overviews/analysis_tables.h"
#include "widgets/window_helpers.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QValueAxis>
#include <algorithm>

// One table of the analysis as a view shows it; sorting reorders its rows by the
// numbers behind the texts.
class AnalysisModel : public QAbstractTableModel {
public:
    AnalysisModel(AnalysisTableKind kind, QObject* parent) : QAbstractTableModel(parent), kind_(kind) {}

    AnalysisTableKind kind() const { return kind_; }
    const AnalysisTable& table() const { return table_; }

    void show(AnalysisTable table)
    {
        beginResetModel();
        table_ = std::move(table);
        endResetModel();
        if (sortColumn_ >= 0)
            sort(sortColumn_, sortOrder_);
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(table_.rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(table_.header.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return table_.rows[std::size_t(index.row())][std::size_t(index.column())].text;
        if (role == Qt::TextAlignmentRole && table_.numeric.value(index.column()))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < table_.header.size())
            return table_.header.at(section);
        return {};
    }
    void sort(int column, Qt::SortOrder order) override
    {
        sortColumn_ = column;
        sortOrder_ = order;
        if (column < 0 || column >= columnCount())
            return;
        Q_EMIT layoutAboutToBeChanged();
        const auto c = std::size_t(column);
        std::stable_sort(table_.rows.begin(), table_.rows.end(), [&](const auto& a, const auto& b) {
            return order == Qt::AscendingOrder ? a[c].sortValue < b[c].sortValue : a[c].sortValue > b[c].sortValue;
        });
        Q_EMIT layoutChanged();
    }

private:
    AnalysisTableKind kind_;
    AnalysisTable table_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

TWinAnalyse::TWinAnalyse(AppContext& ctx, HistoryStore& history, QWidget* parent)
    : QDialog(parent), ctx_(ctx), history_(history)
{
    setObjectName(QStringLiteral("WinAnalyse"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Fehleranalyse"));
    QFont windowFont(QStringLiteral("DejaVu Sans"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setFixedSize(913, 520);
    buildControls();
    buildChart();
    SetObjectNames({{labDisziplin, "labDisziplin"}, {cbDisziplin, "cbDisziplin"}, {labZeitraum, "labZeitraum"},
                    {cbZeitraum, "cbZeitraum"}, {labBilder, "labBilder"}, {cbBilder, "cbBilder"},
                    {labStand, "labStand"}, {pcAnalyse, "pcAnalyse"}, {chFehlerquote, "chFehlerquote"},
                    {bExport, "bExport"}, {bClose, "bClose"}});

    connect(cbDisziplin, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { cbDisziplinChange(); }); });
    for (QComboBox* box : {cbZeitraum, cbBilder})
        connect(box, &QComboBox::currentIndexChanged, this,
                [this] { RunGuarded(ctx_.dialogs, [this] { cbAuswahlChange(); }); });
    connect(pcAnalyse, &QTabWidget::currentChanged, this,
            [this] { RunGuarded(ctx_.dialogs, [this] { pcAnalyseChange(); }); });
    connect(bExport, &QPushButton::clicked, this, [this] { RunGuarded(ctx_.dialogs, [this] { bExportClick(); }); });
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
}

TWinAnalyse::~TWinAnalyse() = default;

void TWinAnalyse::buildControls()
{
    const auto label = [this](const QString& text, int x, int w) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, 8, w, 15);
        return l;
    };
    const auto combo = [this](int x, int w) {
        auto* box = new QComboBox(this);
        box->setGeometry(x, 24, w, 24);
        return box;
    };
    labDisziplin = label(QStringLiteral("Disziplin"), 8, 250);
    cbDisziplin = combo(8, 250);
    labZeitraum = label(QStringLiteral("Zeitraum"), 266, 170);
    cbZeitraum = combo(266, 170);
    labBilder = label(QStringLiteral("Bilder"), 444, 170);
    cbBilder = combo(444, 170);
    labDisziplin->setBuddy(cbDisziplin);
    labZeitraum->setBuddy(cbZeitraum);
    labBilder->setBuddy(cbBilder);
    labStand = new QLabel(this);
    labStand->setGeometry(622, 24, 283, 24);
    labStand->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    pcAnalyse = new QTabWidget(this);
    pcAnalyse->setGeometry(8, 56, 897, 420);
    sgSpalten = addTable(QStringLiteral("sgSpalten"));
    sgZeilen = addTable(QStringLiteral("sgZeilen"));
    sgBilder = addTable(QStringLiteral("sgBilder"));
    sgVerwechslungen = addTable(QStringLiteral("sgVerwechslungen"));
    sgZeiten = addTable(QStringLiteral("sgZeiten"));

    bExport = new QPushButton(QStringLiteral("CSV exportieren ..."), this);
    bExport->setGeometry(8, 484, 160, 28);
    bClose = new QPushButton(QStringLiteral("Schliessen"), this);
    bClose->setGeometry(805, 484, 100, 28);
    bClose->setDefault(true);
}

QTableView* TWinAnalyse::addTable(const QString& name)
{
    static constexpr AnalysisTableKind kinds[] = {AnalysisTableKind::Columns, AnalysisTableKind::Rows,
                                                  AnalysisTableKind::Images, AnalysisTableKind::Confusions,
                                                  AnalysisTableKind::ShowTimes};
    auto* model = new AnalysisModel(kinds[models_.size()], this);
    models_.push_back(model);
    auto* view = new QTableView;
    view->setObjectName(name);
    view->setModel(model);
    view->setSortingEnabled(true);
    view->horizontalHeader()->setSortIndicatorShown(true);
    // Unsorted until the user asks: each table comes in the order that tells most.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setDefaultSectionSize(110);
    // A last column of words takes the room left; one of numbers stays as
    // narrow as the others.
    view->horizontalHeader()->setStretchLastSection(model->kind() == AnalysisTableKind::Images
                                                    || model->kind() == AnalysisTableKind::Confusions);
    view->setWordWrap(false);
    pcAnalyse->addTab(view, QString());
    return view;
}

void TWinAnalyse::buildChart()
{
    chart_ = new QChart;
    chart_->setMargins(QMargins(2, 2, 2, 2));
    chart_->setBackgroundRoundness(0);
    chart_->legend()->setAlignment(Qt::AlignRight);
    QFont small = font();
    small.setPixelSize(10);
    chart_->legend()->setFont(small);
    timeAxis_ = new QDateTimeAxis;
    timeAxis_->setFormat(QStringLiteral("MM.yy"));
    timeAxis_->setTickCount(6);
    timeAxis_->setLabelsFont(small);
    rateAxis_ = new QValueAxis;
    rateAxis_->setRange(0, 100);
    rateAxis_->setLabelFormat(QStringLiteral("%g"));
    rateAxis_->setLabelsFont(small);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(rateAxis_, Qt::AlignLeft);
    chFehlerquote = new QChartView(chart_);
    chFehlerquote->setRenderHint(QPainter::Antialiasing);
    chFehlerquote->setFocusPolicy(Qt::NoFocus);
    pcAnalyse->addTab(chFehlerquote, QString());
}

void TWinAnalyse::showEvent(QShowEvent* event)
{
    RunGuarded(ctx_.dialogs, [this] {
        ApplyInterfaceTexts();
        fillDisciplines();
        cbDisziplin->setFocus();
    });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TWinAnalyse::setDiscipline(int code)
{
    wantedDiscipline_ = code;
    const int at = cbDisziplin->findData(code);
    if (at >= 0)
        cbDisziplin->setCurrentIndex(at);
}

void TWinAnalyse::ApplyInterfaceTexts()
{
    const auto text = [this](int id, const char* german) { return ctx_.InterfaceText(id, QString::fromUtf8(german)); };
    setWindowTitle(text(400, "Fehleranalyse"));
    labDisziplin->setText(text(181, "Disziplin"));
    labZeitraum->setText(text(402, "Zeitraum"));
    labBilder->setText(text(403, "Bilder"));
    bExport->setText(text(209, "CSV exportieren ..."));
    bClose->setText(text(151, "Schliessen"));
    const std::pair<int, const char*> tabs[] = {{413, "Fehler nach Spalte"},     {414, "Fehler nach Zeile"},
                                                {415, "Fehlerhafte Bilder"},     {416, "Verwechslungen"},
                                                {417, "Langsamste Bilder"},      {418, "Fehlerquote im Verlauf"}};
    for (int i = 0; i < pcAnalyse->count(); ++i)
        pcAnalyse->setTabText(i, text(tabs[i].first, tabs[i].second));
    {
        const QSignalBlocker block(cbZeitraum);
        const int chosen = std::max(0, cbZeitraum->currentIndex());
        cbZeitraum->clear();
        cbZeitraum->addItem(text(404, "Gesamter Verlauf"), 0);
        cbZeitraum->addItem(text(405, "Letzte 12 Monate"), 12);
        cbZeitraum->addItem(text(406, "Letzte 3 Monate"), 3);
        cbZeitraum->addItem(text(407, "Dieser Monat"), 1);
        cbZeitraum->setCurrentIndex(chosen);
    }
    showTables();
    UpdateAccessibleNames(this);
    for (int i = 0; i < pcAnalyse->count(); ++i)
        pcAnalyse->widget(i)->setAccessibleName(pcAnalyse->tabText(i));
}

void TWinAnalyse::fillDisciplines()
{
    const int previous = cbDisziplin->currentData().isValid() ? cbDisziplin->currentData().toInt() : wantedDiscipline_;
    {
        const QSignalBlocker block(cbDisziplin);
        cbDisziplin->clear();
        for (const Discipline& discipline : AllDisciplines()) {
            if (!ImageSizesOf(discipline.alphabetSize).empty())
                cbDisziplin->addItem(discipline.displayName(ctx_), int(discipline.code));
        }
        cbDisziplin->setCurrentIndex(std::max(0, cbDisziplin->findData(previous)));
    }
    cbDisziplinChange();
}

void TWinAnalyse::fillImageSizes()
{
    const Discipline* discipline = FindDiscipline(cbDisziplin->currentData().toInt());
    const QSignalBlocker block(cbBilder);
    const int previous = cbBilder->currentData().toInt();
    cbBilder->clear();
    if (!discipline)
        return;
    const auto text = [this](int id, const char* german) { return ctx_.InterfaceText(id, QString::fromUtf8(german)); };
    for (int size : ImageSizesOf(discipline->alphabetSize)) {
        if (discipline->alphabetSize == 52)
            cbBilder->addItem(size == 1 ? text(411, "Karten") : text(412, "Kartenpaare"), size);
        else if (discipline->alphabetSize == 2)
            cbBilder->addItem(text(410, "Tripel (000-111)"), size);
        else
            cbBilder->addItem(size == 2 ? text(408, "Paare (00-99)") : text(409, "Tripel (000-999)"), size);
    }
    cbBilder->setCurrentIndex(std::max(0, cbBilder->findData(previous)));
}

void TWinAnalyse::cbDisziplinChange()
{
    fillImageSizes();
    startReading();
}

void TWinAnalyse::cbAuswahlChange()
{
    startReading();
}

void TWinAnalyse::pcAnalyseChange()
{
    bExport->setEnabled(pcAnalyse->currentIndex() < int(models_.size())
                        && models_[std::size_t(pcAnalyse->currentIndex())]->rowCount() > 0);
}

AnalysisRequest TWinAnalyse::currentRequest() const
{
    AnalysisRequest r;
    r.discipline = cbDisziplin->currentData().toInt();
    r.imageSize = cbBilder->currentData().toInt();
    r.period = AnalysisPeriod::LastMonths(today_(), cbZeitraum->currentData().toInt());
    return r;
}

void TWinAnalyse::startReading()
{
    request_ = currentRequest();
    result_ = AnalysisResult();
    done_ = false;
    const HistoryConnection file = history_.readerConnection();
    const AnalysisRequest request = request_;
    reader_.start([this, file, request](const std::atomic<bool>& cancel, const BackgroundReader::Deliver& deliver) {
        HistoryAnalysis analysis(file);
        analysis.run(
            request, [&](const AnalysisResult& step) { deliver([this, step] { showResult(step); }); }, cancel);
    });
    showTables();
}

void TWinAnalyse::showResult(const AnalysisResult& result)
{
    const int before = result_.stepsDone;
    result_ = result;
    done_ = result.stepsDone == AnalysisResult::Steps || !result.error.isEmpty();
    // Only the tables that came with this step change, so a sorted table the
    // user looks at stays as it is while the others fill.
    for (AnalysisModel* model : models_) {
        const int step = int(model->kind()) + 1;
        if (step > before && step <= result.stepsDone)
            model->show(MakeAnalysisTable(ctx_, model->kind(), result_, request_.discipline, request_.imageSize,
                                          CellStyle::Screen));
    }
    if (result.stepsDone >= AnalysisResult::Trend)
        plot();
    showState();
}

void TWinAnalyse::showTables()
{
    for (AnalysisModel* model : models_)
        model->show(MakeAnalysisTable(ctx_, model->kind(), result_, request_.discipline, request_.imageSize,
                                      CellStyle::Screen));
    plot();
    showState();
}

void TWinAnalyse::showState()
{
    if (!result_.error.isEmpty())
        labStand->setText(ctx_.InterfaceText(436, QStringLiteral("Die Analyse konnte nicht gelesen werden (%1)."))
                              .arg(result_.error));
    else if (!done_)
        labStand->setText(ctx_.InterfaceText(432, QStringLiteral("Wird gelesen ...")));
    else
        labStand->setText(ctx_.InterfaceText(433, QStringLiteral("Alles gelesen")));
    pcAnalyseChange();
}

void TWinAnalyse::plot()
{
    chart_->removeAllSeries();
    const Discipline* discipline = FindDiscipline(request_.discipline);
    const int alphabet = discipline ? discipline->alphabetSize : 10;
    const auto monthStart = [](int month) { return QDateTime(QDate(month / 100, month % 100, 1), QTime(0, 0)); };
    // A month's point in its middle, between the ticks of its start and end.
    const auto monthTime = [&](int month) { return double(monthStart(month).addDays(14).toMSecsSinceEpoch()); };
    int first = 0;
    int last = 0;
    for (const TrendSeries& trend : result_.trend) {
        auto* series = new QLineSeries;
        series->setName(ImageText(alphabet, request_.imageSize, trend.image));
        QList<QPointF> points;
        for (const auto& [month, rate] : trend.rateByMonth) {
            points << QPointF(monthTime(month), rate * 100.0);
            first = first == 0 ? month : std::min(first, month);
            last = std::max(last, month);
        }
        series->setPointsVisible(points.size() <= 24);
        series->replace(points);
        chart_->addSeries(series);
        series->attachAxis(timeAxis_);
        series->attachAxis(rateAxis_);
    }
    if (first == 0)
        first = last = today_().year() * 100 + today_().month();
    const QDateTime from = monthStart(first);
    const QDateTime to = monthStart(last).addMonths(1);
    const int months = (to.date().year() - from.date().year()) * 12 + to.date().month() - from.date().month();
    // A tick at each month's start while they fit; a long history gets fewer.
    timeAxis_->setTickCount(months <= 12 ? months + 1 : 7);
    timeAxis_->setRange(from, to);
    rateAxis_->setTitleText(ctx_.InterfaceText(424, QStringLiteral("Fehlerquote %")));
}

void TWinAnalyse::bExportClick()
{
    const int tab = pcAnalyse->currentIndex();
    if (tab < 0 || tab >= int(models_.size()))
        return;
    const QString name = ctx_.dialogs.askSaveFileName(
        ctx_.InterfaceText(434, QStringLiteral("Tabelle als CSV exportieren")),
        QDir::homePath() + QStringLiteral("/Korvanis-Analyse.csv"),
        ctx_.InterfaceText(210, QStringLiteral("CSV-Dateien (*.csv)")));
    if (name.isEmpty())
        return;
    // The file holds the rows as the table shows them, sorted as it is sorted,
    // with numbers that other programs read.
    AnalysisModel* model = models_[std::size_t(tab)];
    AnalysisTable table = MakeAnalysisTable(ctx_, model->kind(), result_, request_.discipline, request_.imageSize,
                                            CellStyle::File);
    AnalysisModel sorted(model->kind(), nullptr);
    sorted.show(std::move(table));
    const QHeaderView* header = qobject_cast<QTableView*>(pcAnalyse->widget(tab))->horizontalHeader();
    if (header->sortIndicatorSection() >= 0)
        sorted.sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    QString error;
    if (!SaveCsv(name, CsvText(sorted.table().textRows()), &error))
        ctx_.dialogs.showError(ctx_.InterfaceText(220, QStringLiteral("Die Datei %1 konnte nicht geschrieben "
                                                                      "werden (%2)."))
                                   .arg(QDir::toNativeSeparators(name), error));
}
