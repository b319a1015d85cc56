#pragma once

#include "core/app_context.h"
#include "history/history_store.h"
#include "records/records_table.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMenu;
class QDialog;
class TWinSprache;
class TWinWait;

// The main window: a bare menu bar whose commands open the training windows. It
// owns what all windows share (the application context).
class TMainWin : public QMainWindow {
    Q_OBJECT

public:
    TMainWin(TickSource& tickSource, WavePlayer& wavePlayer, Dialogs& dialogs, Random& random,
             const QString& programFile);
    ~TMainWin() override;

    AppContext& context() { return ctx_; }
    // The training history the context's attempt log writes to, for the history
    // window to read.
    HistoryStore& history() { return history_; }

    // The windows the menu shows, created after the main window.
    struct Windows {
        QDialog* WinZahlen = nullptr;
        QDialog* WinBinaer = nullptr;
        TWinWait* WinWait = nullptr;
        QDialog* WinAbout = nullptr;
        QDialog* WinChamp = nullptr;
        QDialog* WinVerlauf = nullptr;
        TWinSprache* WinSprache = nullptr;
    };
    void setWindows(const Windows& windows);
    const Windows& windows() const { return windows_; }

    void ApplyInterfaceTexts();

    QMenu* mDatei = nullptr;
    QAction* mBeenden = nullptr;
    QMenu* mTraining = nullptr;
    QAction* mZahlen = nullptr;
    QAction* mBinaer = nullptr;
    QAction* mKarten = nullptr;
    QAction* mSpokenNo = nullptr;
    QMenu* mOptionen = nullptr;
    QAction* mStandard = nullptr;
    QAction* mQuendor = nullptr;
    QAction* mVerlauf = nullptr;
    QAction* mSprache = nullptr;
    QMenu* mHilfe = nullptr;
    QAction* mAbout = nullptr;

public Q_SLOTS:
    void mZahlenClick();
    void mBinaerClick();
    void mStandardClick();
    void mVerlaufClick();
    void mSpracheClick();
    void mAboutClick();

private:
    void FormCreate(const QString& programFile);
    void FormDestroy();
    void showModal(QDialog* window);

    RecordsTable records_;
    HistoryStore history_;
    AppContext ctx_;
    Windows windows_;
};
