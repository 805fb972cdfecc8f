// SPDX-License-Identifier: GPL-3.0-or-later
// The Encode window: the plan of the focused or selected tracks with the calculator as it stands,
// its encoder, codecs, streams and output chosen here, run with QProcess (no shell) with one
// progress bar for the whole job, the step and the time left, cancelled at a click, and the
// result read back from the files. Enter starts; Escape closes, or, while an encode runs, asks
// whether to stop it.
#pragma once

#include <QDialog>

#include <memory>
#include <vector>

#include "encode/encode_command.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;

namespace ratewise {

class PlanRunner;
class QProcessChild;

class EncodeDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Encode";

    EncodeDialog(const LoadedTitleSet& loaded, const CalculatorState& state, QWidget* parent);
    ~EncodeDialog() override;

    // The plan as the window's choices make it now.
    const EncodeCommand& Plan() const { return m_plan; }
    bool Running() const;
    // Starts the plan (after asking before replacing a file); false when it cannot start.
    bool StartEncode();
    void CancelEncode();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FillStreams();
    // Plans again with the window's choices; `OutputOnly` after an edit of the folder or name (the
    // streams stay as planned). A plan that copies streams reads the title's sectors to measure
    // them, which takes seconds on a real disc: it is worked out on a thread of its own while the
    // window stays responsive.
    enum class Change { Any, OutputOnly };
    void Replan(Change change = Change::Any);
    void ShowPlan(EncodeCommand plan, const QString& suffix);
    bool StartEncodeNow(); // the plan as it stands
    EncodeChoice Choice() const;
    void ShowProgress();
    void Finish();
    void SetChoicesEnabled(bool enabled);
    void Browse();

    LoadedTitleSet m_loaded;
    CalculatorState m_state;
    EncodeCommand m_plan;
    std::string m_streamProgram;
    QString m_plannedSuffix; // the output ending of m_plan; empty when there is none
    QString m_figuresText;

    QComboBox* m_encoder;
    QLabel* m_encoderNote;
    QComboBox* m_codec;
    QComboBox* m_audioCodec;
    QComboBox* m_speed;
    QListWidget* m_streams;
    QLineEdit* m_folder;
    QPushButton* m_browse;
    QLineEdit* m_name;
    QPlainTextEdit* m_figures;
    QProgressBar* m_progress;
    QLabel* m_step;
    QLabel* m_timeLeft;
    QPlainTextEdit* m_result;
    QPushButton* m_start;
    QPushButton* m_cancel;
    QPushButton* m_close;
    QTimer* m_tick;

    std::vector<std::unique_ptr<QThread>> m_planners; // measuring copied streams, newest last
    int m_planNumber = 0;                             // the newest plan asked for; older answers are dropped
    bool m_startWhenPlanned = false;                  // Start was pressed while the plan was being measured

    std::unique_ptr<QProcessChild> m_process;
    std::unique_ptr<PlanRunner> m_runner;
};

// Where ratewise-cli is for the ffmpeg plan's `stream`: beside this program, in the build tree's
// cli/ beside app/, or on PATH; empty when nowhere.
QString FindStreamProgram();

} // namespace ratewise
