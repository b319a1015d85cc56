// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_analysis.h"
#include "overviews/background_reader.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <vector>

class AnalysisModel;
class AppContext;
class HistoryStore;
class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QValueAxis;

// The error analysis of the training history: for one discipline and period,
// the errors by column and by row of the sheet, the images that fail and what
// was written instead, the images that were on show longest, and the error
// rate of the worst ten over time. Each table sorts by any column and is
// exported as CSV. The history is read in a thread of its own, the first table
// first, so the window answers while it fills.
class TWinAnalyse : public QDialog {
    Q_OBJECT

public:
    TWinAnalyse(AppContext& ctx, HistoryStore& history, QWidget* parent = nullptr);
    ~TWinAnalyse() override;

    // The discipline to open on; the first one with images otherwise.
    void setDiscipline(int code);
    // The day the periods end with; today unless a test says otherwise.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    void ApplyInterfaceTexts();

    // Handlers, named after their control and event.
    void cbDisziplinChange();
    void cbAuswahlChange();
    void pcAnalyseChange();
    void bExportClick();

    QLabel* labDisziplin = nullptr;
    QComboBox* cbDisziplin = nullptr;
    QLabel* labZeitraum = nullptr;
    QComboBox* cbZeitraum = nullptr;
    QLabel* labBilder = nullptr;
    QComboBox* cbBilder = nullptr;
    QLabel* labStand = nullptr;
    QTabWidget* pcAnalyse = nullptr;
    QTableView* sgSpalten = nullptr;
    QTableView* sgZeilen = nullptr;
    QTableView* sgBilder = nullptr;
    QTableView* sgVerwechslungen = nullptr;
    QTableView* sgZeiten = nullptr;
    QChartView* chFehlerquote = nullptr;
    QPushButton* bExport = nullptr;
    QPushButton* bClose = nullptr;

    // What the window shows: the request read and how far the reading got.
    const AnalysisRequest& request() const { return request_; }
    const AnalysisResult& result() const { return result_; }
    bool readingDone() const { return done_; }
    QChart* chart() const { return chart_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QTableView* addTable(const QString& name);
    void buildChart();
    void fillDisciplines();
    void fillImageSizes();
    AnalysisRequest currentRequest() const;
    void startReading();
    void showResult(const AnalysisResult& result);
    void showTables();
    void plot();
    void showState();

    AppContext& ctx_;
    HistoryStore& history_;
    std::function<QDate()> today_ = [] { return QDate::currentDate(); };
    int wantedDiscipline_ = -1;
    AnalysisRequest request_;
    AnalysisResult result_;
    bool done_ = false;
    BackgroundReader reader_;
    std::vector<AnalysisModel*> models_;
    QChart* chart_ = nullptr;
    QDateTimeAxis* timeAxis_ = nullptr;
    QValueAxis* rateAxis_ = nullptr;
};
