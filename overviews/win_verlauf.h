// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include "history/history_store.h"

#include <QDialog>
#include <optional>
#include <vector>

class AppContext;
class HistoryStore;
class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QTableView;
class QValueAxis;
class TPanel;
class TVerlaufMarks;
class TVerlaufRegelwerke;
class TWinCsvExport;
class VerlaufModel;

// The training history: the attempts of one discipline and setting, newest first,
// their results over time against the personal record, a few figures on how the
// training goes, and an export of what is shown as CSV.
class TWinVerlauf : public QDialog {
    Q_OBJECT

public:
    TWinVerlauf(AppContext& ctx, HistoryStore& history, QWidget* parent = nullptr);
    ~TWinVerlauf() override;

    void ApplyInterfaceTexts();

    // Handlers, named after their control and event.
    void cbDisziplinChange();
    void cbEinstellungChange();
    void bExportClick();
    void bAnalyseClick();

    QLabel* labDisziplin = nullptr;
    QComboBox* cbDisziplin = nullptr;
    QLabel* labEinstellung = nullptr;
    QComboBox* cbEinstellung = nullptr;
    QTableView* sgVerlauf = nullptr;
    QChartView* chVerlauf = nullptr;
    QLabel* labAnzahl = nullptr;
    TPanel* pAnzahl = nullptr;
    QLabel* labBeste = nullptr;
    TPanel* pBeste = nullptr;
    QLabel* labMedian = nullptr;
    TPanel* pMedian = nullptr;
    QLabel* labAenderung = nullptr;
    TPanel* pAenderung = nullptr;
    QPushButton* bExport = nullptr;
    QPushButton* bAnalyse = nullptr;
    QPushButton* bClose = nullptr;
    // Marking, deleting and undoing under the table; the export's questions.
    TVerlaufMarks* pMarks = nullptr;
    TWinCsvExport* winExport = nullptr;
    // The attempt selected and the setting's best under every rule set.
    TVerlaufRegelwerke* pRegelwerke = nullptr;

    // The attempts on show, newest first, and the record drawn as a line.
    const std::vector<StoredAttempt>& shown() const { return shown_; }
    std::optional<double> record() const { return record_; }
    QLineSeries* resultSeries() const { return results_; }
    QLineSeries* recordSeries() const { return recordLine_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildChart();
    void FormShow();
    void fillDisciplines();
    void showAttempts();
    // Reads the shown setting again, the same attempts selected where they still show.
    void reloadKeepingSelection();
    std::vector<StoredAttempt> selectedAttempts() const;
    std::vector<StoredAttempt> attemptsToExport(const struct CsvExportChoice& choice);
    void fitColumns();
    void showStatistics();
    void plot();
    std::optional<double> lookUpRecord() const;
    QString resultText(double value) const;

    AppContext& ctx_;
    HistoryStore& history_;
    std::vector<HistorySetting> settings_;
    std::optional<AttemptRecord::Setting> chosenSetting_;
    std::vector<StoredAttempt> shown_;
    std::optional<double> record_;
    VerlaufModel* model_ = nullptr;
    QChart* chart_ = nullptr;
    QLineSeries* results_ = nullptr;
    QLineSeries* recordLine_ = nullptr;
    QDateTimeAxis* timeAxis_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
};
