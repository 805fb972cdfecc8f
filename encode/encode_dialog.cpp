// SPDX-License-Identifier: GPL-3.0-or-later
#include "encode/encode_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

#include "encode/audio_rules.h"
#include "encode/language_codes.h"
#include "encode/plan_runner.h"
#include "encode/qprocess_child.h"
#include "encode/title_location.h"
#include "ifo/stream_attributes.h"
#include "ifo/title_set_info.h"
#include "ui/native_dialogs.h"

namespace ratewise {
namespace {

const char* const kPresets[] = {"ultrafast", "superfast", "veryfast", "faster",   "fast",
                                "medium",    "slow",      "slower",   "veryslow", "placebo"};

QString CodingName(DvdAudio coding)
{
    switch (coding) {
    case DvdAudio::Ac3:
        return QStringLiteral("AC-3");
    case DvdAudio::Mpeg1:
    case DvdAudio::Mpeg2:
        return QStringLiteral("MPEG audio");
    case DvdAudio::Lpcm:
        return QStringLiteral("LPCM");
    case DvdAudio::Dts:
        return QStringLiteral("DTS");
    default:
        break;
    }
    return QStringLiteral("audio");
}

QString Layout(int channels)
{
    return channels == 1   ? QStringLiteral("mono")
           : channels == 2 ? QStringLiteral("stereo")
           : channels == 6 ? QStringLiteral("5.1")
                           : QStringLiteral("%1 channels").arg(channels);
}

QString Kbits(double bitsPerSecond)
{
    return QStringLiteral("%1 kbit/s").arg(bitsPerSecond / 1000.0, 0, 'f', 1);
}

// The figures of the plan: per medium its target, the video bitrate, each stream's share and the
// margins held back.
QString FiguresText(const EncodeCommand& plan)
{
    QStringList lines;
    for (const MediumPlan& medium : plan.media) {
        lines << QStringLiteral("Medium %1 of %2: chapters %3-%4, %5 s, %6 bytes")
                     .arg(medium.medium)
                     .arg(medium.mediumCount)
                     .arg(medium.share.firstChapter)
                     .arg(medium.share.lastChapter)
                     .arg(medium.share.seconds, 0, 'f', 3)
                     .arg(medium.targetBytes, 0, 'f', 0);
        lines << QStringLiteral("  video: %1 (the calculator's %2 kbit/s of 1024 bits)")
                     .arg(Kbits(medium.videoBitsPerSecond))
                     .arg(medium.share.calculatorVideoKbps, 0, 'f', 3);
        for (const AudioTrack& track : medium.audio)
            lines << QStringLiteral("  audio %1 (%2): %3 %4")
                         .arg(track.stream + 1)
                         .arg(QString::fromStdString(track.language))
                         .arg(track.codec == AudioCodec::Copy ? QStringLiteral("copied,")
                              : track.codec == AudioCodec::Aac
                                  ? QStringLiteral("AAC %1,").arg(
                                        QLatin1String(MixdownLabel(MixdownFor(track.channels))))
                                  : QStringLiteral("AC-3 %1,")
                                        .arg(QLatin1String(MixdownLabel(MixdownFor(track.channels)))))
                         .arg(Kbits(track.bitsPerSecond));
        for (const SubtitleTrack& track : medium.subtitles)
            lines << QStringLiteral("  subtitles %1 (%2): copied, %3")
                         .arg(track.stream + 1)
                         .arg(QString::fromStdString(track.language))
                         .arg(Kbits(track.bitsPerSecond));
        lines << QStringLiteral("  container: %1 bytes; margin: %2 % of the video%3")
                     .arg(medium.overheadBytes, 0, 'f', 0)
                     .arg(medium.toleranceMargin * 100.0, 0, 'f', 2)
                     .arg(medium.audioMarginBytes > 0
                              ? QStringLiteral(", %1 bytes for AAC").arg(medium.audioMarginBytes, 0, 'f', 0)
                              : QString());
    }
    return lines.join(QLatin1Char('\n'));
}

QString Executable(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

QPlainTextEdit* TextBox(QWidget* parent, const char* name, int lines)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    box->setMinimumHeight(box->fontMetrics().lineSpacing() * lines + 12);
    return box;
}

} // namespace

QString FindStreamProgram()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {dir + QStringLiteral("/ratewise-cli"), dir + QStringLiteral("/../cli/ratewise-cli")})
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    return Executable(QStringLiteral("ratewise-cli"));
}

EncodeDialog::EncodeDialog(const LoadedTitleSet& loaded, const CalculatorState& state, QWidget* parent)
    : QDialog(parent), m_loaded(loaded), m_state(state), m_encoder(new QComboBox(this)),
      m_encoderNote(new QLabel(this)), m_codec(new QComboBox(this)), m_audioCodec(new QComboBox(this)),
      m_speed(new QComboBox(this)), m_streams(new QListWidget(this)), m_folder(new QLineEdit(this)),
      m_browse(new QPushButton(QStringLiteral("Browse..."), this)), m_name(new QLineEdit(this)),
      m_figures(TextBox(this, "figuresText", 6)), m_progress(new QProgressBar(this)),
      m_step(new QLabel(this)), m_timeLeft(new QLabel(this)), m_result(TextBox(this, "resultText", 4)),
      m_start(new QPushButton(QStringLiteral("Start"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)),
      m_close(new QPushButton(QStringLiteral("Close"), this)), m_tick(new QTimer(this)),
      m_process(std::make_unique<QProcessChild>())
{
    setObjectName(QStringLiteral("encodeDialog"));
    setWindowTitle(QString::fromLatin1(kTitle));
    m_encoder->setObjectName(QStringLiteral("encoderList"));
    m_encoderNote->setObjectName(QStringLiteral("encoderNote"));
    m_codec->setObjectName(QStringLiteral("codecList"));
    m_audioCodec->setObjectName(QStringLiteral("audioCodecList"));
    m_speed->setObjectName(QStringLiteral("speedList"));
    m_streams->setObjectName(QStringLiteral("streamList"));
    m_folder->setObjectName(QStringLiteral("folderEdit"));
    m_browse->setObjectName(QStringLiteral("browseButton"));
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_progress->setObjectName(QStringLiteral("encodeProgress"));
    m_step->setObjectName(QStringLiteral("stepLabel"));
    m_timeLeft->setObjectName(QStringLiteral("timeLeftLabel"));
    m_start->setObjectName(QStringLiteral("startButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_close->setObjectName(QStringLiteral("closeButton"));

    // The encoders: what is not installed stays in the list, greyed, and says why.
    m_streamProgram = QFile::encodeName(FindStreamProgram()).toStdString();
    m_encoder->addItem(QStringLiteral("HandBrakeCLI"), int(Encoder::HandBrake));
    m_encoder->addItem(QStringLiteral("ffmpeg"), int(Encoder::Ffmpeg));
    QStringList notes;
    auto* model = qobject_cast<QStandardItemModel*>(m_encoder->model());
    const QString missing[2] = {
        Executable(QStringLiteral("HandBrakeCLI")).isEmpty() ? QStringLiteral("HandBrakeCLI is not installed")
                                                             : QString(),
        Executable(QStringLiteral("ffmpeg")).isEmpty() ? QStringLiteral("ffmpeg is not installed")
        : m_streamProgram.empty()
            ? QStringLiteral("ffmpeg reads the disc through ratewise-cli, which is not installed")
            : QString()};
    for (int i = 0; i < 2; ++i)
        if (!missing[i].isEmpty()) {
            model->item(i)->setEnabled(false);
            model->item(i)->setToolTip(missing[i]);
            notes << missing[i];
        }
    m_encoderNote->setText(notes.join(QStringLiteral("; ")));
    m_encoderNote->setVisible(!notes.isEmpty());
    m_encoder->setCurrentIndex(missing[0].isEmpty() || !missing[1].isEmpty() ? 0 : 1);

    m_codec->addItem(QStringLiteral("H.264 (x264)"), int(VideoCodec::X264));
    m_codec->addItem(QStringLiteral("H.265 (x265)"), int(VideoCodec::X265));
    m_audioCodec->addItem(QStringLiteral("AAC"), int(AudioCodec::Aac));
    m_audioCodec->addItem(QStringLiteral("AC-3"), int(AudioCodec::Ac3));
    m_audioCodec->addItem(QStringLiteral("Copy"), int(AudioCodec::Copy));
    m_speed->addItem(QStringLiteral("Encoder default"), QString());
    for (const char* preset : kPresets)
        m_speed->addItem(QString::fromLatin1(preset), QString::fromLatin1(preset));

    // Output: beside the user's videos, named after the disc and its title.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    m_folder->setText(QDir::toNativeSeparators(folder));
    // One track's file is named after the disc and its title (or track); several tracks' files
    // add their track numbers to the disc's name.
    const std::vector<int>& selected = m_loaded.selectedTracks;
    const int track = !selected.empty() ? selected.front() : m_loaded.focusedTrack;
    QString name = QStringLiteral("title.mkv");
    if (m_loaded.load && track >= 0) {
        const TitleLocation location = LocateTrack(*m_loaded.load, track);
        QString disc = QFileInfo(QFile::decodeName(location.handBrakeInput.c_str())).completeBaseName();
        if (disc.isEmpty())
            disc = QStringLiteral("title");
        name = selected.size() > 1
                   ? disc + QStringLiteral(".mkv")
                   : disc + QStringLiteral("-%1.mkv").arg(location.title > 0 ? location.title : track + 1);
    }
    m_name->setText(name);
    FillStreams();

    // Layout: the choices, the figures, the run.
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Encoder:"), m_encoder);
    form->addRow(QString(), m_encoderNote);
    form->addRow(QStringLiteral("Video codec:"), m_codec);
    form->addRow(QStringLiteral("Audio codec:"), m_audioCodec);
    form->addRow(QStringLiteral("Speed:"), m_speed);
    form->addRow(QStringLiteral("Streams:"), m_streams);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    form->addRow(QStringLiteral("Folder:"), folderRow);
    form->addRow(QStringLiteral("Name:"), m_name);
    // Room for five streams; more scroll.
    const int row = m_streams->fontMetrics().lineSpacing() + 2;
    m_streams->setFixedHeight(row * std::clamp(m_streams->count(), 2, 5) + 2 * m_streams->frameWidth() + 4);

    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(m_step, 1);
    stepRow->addWidget(m_timeLeft);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("The plan:"), this));
    layout->addWidget(m_figures, 1);
    layout->addWidget(m_progress);
    layout->addLayout(stepRow);
    layout->addWidget(m_result, 1);
    layout->addLayout(buttons);
    for (QLabel* label : findChildren<QLabel*>())
        if (label->objectName().isEmpty())
            label->setObjectName(QStringLiteral("encodeFormLabel"));

    // Keyboard: the choices top to bottom, then the texts and the buttons; Enter starts.
    QWidget* order[] = {m_encoder, m_codec,   m_audioCodec, m_speed, m_streams, m_folder, m_browse,
                        m_name,    m_figures, m_result,     m_start, m_cancel,  m_close};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_start->setDefault(true);
    m_cancel->setAutoDefault(false);
    m_close->setAutoDefault(false);
    m_browse->setAutoDefault(false);
    m_cancel->setEnabled(false);

    connect(m_start, &QPushButton::clicked, this, [this] { StartEncode(); });
    connect(m_cancel, &QPushButton::clicked, this, &EncodeDialog::CancelEncode);
    connect(m_close, &QPushButton::clicked, this, &EncodeDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &EncodeDialog::Browse);
    for (QComboBox* combo : {m_encoder, m_codec, m_audioCodec, m_speed})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { Replan(); });
    connect(m_streams, &QListWidget::itemChanged, this, [this] { Replan(); });
    // Typing a folder or a name plans again only when the container changes: a plan with copied
    // streams reads the title's packs.
    connect(m_folder, &QLineEdit::textChanged, this, [this] { Replan(Change::OutputOnly); });
    connect(m_name, &QLineEdit::textChanged, this, [this] { Replan(Change::OutputOnly); });
    m_tick->setInterval(200);
    connect(m_tick, &QTimer::timeout, this, [this] {
        if (m_runner)
            m_runner->OnTick();
        ShowProgress();
    });
    Replan();
    m_encoder->setFocus();
    resize(std::max(sizeHint().width(), fontMetrics().averageCharWidth() * 90), sizeHint().height());
}

EncodeDialog::~EncodeDialog()
{
    for (const std::unique_ptr<QThread>& planner : m_planners)
        planner->wait();
    // A window destroyed while its encode runs (the program quitting) leaves no child and no
    // partial file behind.
    if (Running()) {
        m_process->Attach(nullptr, nullptr);
        m_process->Stop(StopSignal::Kill);
        m_process.reset(); // waits for the killed children
        m_runner->Abandon();
    }
}

bool EncodeDialog::Running() const
{
    return m_runner && m_runner->Running();
}

void EncodeDialog::FillStreams()
{
    // Every stream of the title set with its language, checked as the plan takes them without a
    // choice: the calculator's audio fields and no subtitles.
    std::unique_ptr<ByteSource> ifo = m_loaded.load ? m_loaded.load->OpenIfo() : nullptr;
    const std::unique_ptr<TitleSetInfo> info = ifo ? ifoOpen(*ifo) : nullptr;
    if (!info)
        return;
    const int audio = ifoCountAudioStreams(info.get());
    for (int stream = 0; stream < audio; ++stream) {
        const std::optional<AudioAttributes> attributes = ifoGetAudioAttributes(info.get(), stream);
        const QString language =
            QString::fromStdString(attributes ? LanguageTag(attributes->language) : std::string("und"));
        auto* item = new QListWidgetItem(
            QStringLiteral("Audio %1: %2, %3 %4%5")
                .arg(stream + 1)
                .arg(language, CodingName(static_cast<DvdAudio>(attributes ? attributes->codingMode : 7)),
                     Layout(attributes ? attributes->channelCount : 2),
                     attributes && IsCommentaryAudio(*attributes) ? QStringLiteral(", commentary")
                                                                  : QString()),
            m_streams);
        item->setData(Qt::UserRole, stream);
        item->setData(Qt::UserRole + 1, false);
        const bool taken = (stream == 0 && m_state.audio1Kbps > 0) || (stream == 1 && m_state.audio2Kbps > 0);
        item->setCheckState(taken ? Qt::Checked : Qt::Unchecked);
    }
    const int subpictures = ifoCountSubpictureStreams(info.get());
    for (int stream = 0; stream < subpictures; ++stream) {
        const std::optional<SubpictureAttributes> attributes = ifoGetSubpictureAttributes(info.get(), stream);
        auto* item = new QListWidgetItem(
            QStringLiteral("Subtitles %1: %2%3")
                .arg(stream + 1)
                .arg(QString::fromStdString(attributes ? LanguageTag(attributes->language)
                                                       : std::string("und")),
                     attributes && IsCommentarySubpicture(*attributes) ? QStringLiteral(", commentary")
                                                                       : QString()),
            m_streams);
        item->setData(Qt::UserRole, stream);
        item->setData(Qt::UserRole + 1, true);
        item->setCheckState(Qt::Unchecked);
    }
}

EncodeChoice EncodeDialog::Choice() const
{
    EncodeChoice choice;
    choice.encoder = static_cast<Encoder>(m_encoder->currentData().toInt());
    choice.codec = static_cast<VideoCodec>(m_codec->currentData().toInt());
    choice.audioCodec = static_cast<AudioCodec>(m_audioCodec->currentData().toInt());
    choice.encoderPreset = m_speed->currentData().toString().toStdString();
    choice.streamProgram = m_streamProgram;
    choice.folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    choice.name = m_name->text().trimmed();
    if (m_streams->count() > 0) {
        choice.streams.audioGiven = choice.streams.subtitlesGiven = true;
        for (int i = 0; i < m_streams->count(); ++i) {
            const QListWidgetItem* item = m_streams->item(i);
            if (item->checkState() != Qt::Checked)
                continue;
            if (item->data(Qt::UserRole + 1).toBool())
                choice.streams.subtitles.push_back(item->data(Qt::UserRole).toInt());
            else
                choice.streams.audio.push_back(AudioChoice{
                    .stream = item->data(Qt::UserRole).toInt(), .codec = std::nullopt, .kbps = std::nullopt});
        }
    }
    return choice;
}

void EncodeDialog::Replan(Change change)
{
    if (Running())
        return;
    const EncodeChoice choice = Choice();
    QString why;
    const QString suffix = QFileInfo(choice.name).suffix().toLower();
    const auto* encoders = qobject_cast<const QStandardItemModel*>(m_encoder->model());
    if (const QStandardItem* item = encoders ? encoders->item(m_encoder->currentIndex()) : nullptr;
        item && !item->isEnabled())
        why = item->toolTip() + QLatin1Char('.');
    else if (choice.name.isEmpty() || choice.name.contains(QLatin1Char('/')))
        why = QStringLiteral("Give the file a name.");
    else if (suffix != QLatin1String("mkv") && suffix != QLatin1String("mp4") &&
             suffix != QLatin1String("m4v"))
        why = QStringLiteral("The name must end in .mkv, .mp4 or .m4v.");
    else if (!QFileInfo(choice.folder).isDir())
        why = QStringLiteral("No such folder: %1").arg(choice.folder);
    else if (!QFileInfo(choice.folder).isWritable())
        why = QStringLiteral("The folder cannot be written: %1").arg(choice.folder);
    if (!why.isEmpty()) {
        m_start->setEnabled(false);
        m_figures->setPlainText(why);
        m_plannedSuffix.clear();
        return;
    }
    if (change == Change::OutputOnly && suffix == m_plannedSuffix) {
        m_start->setEnabled(!m_plan.media.empty());
        m_figures->setPlainText(m_figuresText);
        return;
    }
    const int number = ++m_planNumber;
    const bool copies = choice.audioCodec == AudioCodec::Copy || !choice.streams.subtitles.empty() ||
                        std::any_of(choice.streams.audio.begin(), choice.streams.audio.end(),
                                    [](const AudioChoice& audio) { return audio.codec == AudioCodec::Copy; });
    if (!copies) {
        ShowPlan(BuildEncodeCommand(m_loaded, m_state, &choice), suffix);
        return;
    }
    m_start->setEnabled(false);
    m_plannedSuffix.clear();
    m_figures->setPlainText(QStringLiteral("Measuring the copied streams on the disc..."));
    // An earlier measurement still running finishes on its own; its answer is dropped.
    std::erase_if(m_planners, [](const std::unique_ptr<QThread>& thread) { return thread->isFinished(); });
    QThread* planner = m_planners
                           .emplace_back(QThread::create([this, choice, suffix, number] {
                               EncodeCommand plan = BuildEncodeCommand(m_loaded, m_state, &choice);
                               QMetaObject::invokeMethod(
                                   this,
                                   [this, plan = std::move(plan), suffix, number]() mutable {
                                       if (number != m_planNumber || Running())
                                           return;
                                       ShowPlan(std::move(plan), suffix);
                                       if (std::exchange(m_startWhenPlanned, false) && !m_plan.media.empty())
                                           StartEncodeNow();
                                   },
                                   Qt::QueuedConnection);
                           }))
                           .get();
    planner->start();
}

void EncodeDialog::ShowPlan(EncodeCommand plan, const QString& suffix)
{
    m_plan = std::move(plan);
    m_plannedSuffix = suffix;
    const QString why = m_plan.media.empty() ? m_plan.why : QString();
    m_figuresText = why.isEmpty()
                        ? FiguresText(m_plan) +
                              (m_plan.warning.isEmpty() ? QString() : QStringLiteral("\n") + m_plan.warning)
                        : why;
    m_figures->setPlainText(m_figuresText);
    m_start->setEnabled(why.isEmpty());
}

void EncodeDialog::Browse()
{
    FileDialogRequest request;
    request.nameFilter = QStringLiteral("Matroska (*.mkv);;MP4 (*.mp4 *.m4v)");
    request.defaultSuffix = QStringLiteral("mkv");
    request.confirmOverwrite = true;
    request.defaultName = QDir(QDir::fromNativeSeparators(m_folder->text())).filePath(m_name->text());
    const std::optional<QString> chosen = CurrentNativeDialogs().AskSaveFileName(this, request);
    if (!chosen)
        return;
    const QFileInfo file(*chosen);
    m_folder->setText(QDir::toNativeSeparators(file.absolutePath()));
    m_name->setText(file.fileName());
}

void EncodeDialog::SetChoicesEnabled(bool enabled)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{m_encoder, m_codec, m_audioCodec, m_speed,
                                                           m_streams, m_folder, m_browse, m_name})
        widget->setEnabled(enabled);
}

bool EncodeDialog::StartEncode()
{
    if (Running())
        return false;
    Replan();
    // A plan that is being measured starts when its figures are in.
    if (m_plannedSuffix.isEmpty() && !m_planners.empty() && m_planners.back()->isRunning()) {
        m_startWhenPlanned = true;
        return true;
    }
    if (m_plan.media.empty())
        return false;
    return StartEncodeNow();
}

bool EncodeDialog::StartEncodeNow()
{
    QStringList existing;
    for (const MediumPlan& medium : m_plan.media)
        if (QFileInfo::exists(QString::fromStdString(medium.output)))
            existing << QFileInfo(QString::fromStdString(medium.output)).fileName();
    if (!existing.isEmpty() &&
        !CurrentNativeDialogs().AskYesNo(
            this, QStringLiteral("%1 already exists. Replace it?").arg(existing.join(QStringLiteral(", ")))))
        return false;
    m_runner = std::make_unique<PlanRunner>(m_plan.media, *m_process,
                                            Executable(QStringLiteral("ffprobe")).toStdString());
    m_process->Attach(m_runner.get(), [this] { ShowProgress(); });
    m_result->clear();
    m_progress->setValue(0);
    SetChoicesEnabled(false);
    m_start->setEnabled(false);
    m_cancel->setEnabled(true);
    m_cancel->setFocus();
    m_tick->start();
    m_runner->Start();
    ShowProgress();
    return true;
}

void EncodeDialog::CancelEncode()
{
    if (!Running())
        return;
    m_runner->Cancel();
    m_step->setText(QStringLiteral("Stopping the encoder..."));
}

void EncodeDialog::ShowProgress()
{
    if (!m_runner)
        return;
    if (m_runner->Done()) {
        if (m_tick->isActive()) // once
            Finish();
        return;
    }
    const RunProgress& progress = m_runner->Progress();
    m_progress->setValue(static_cast<int>(std::floor(progress.overall * 100.0)));
    if (m_runner->Cancelling())
        return;
    m_step->setText(QString::fromStdString(StepText(progress)));
    m_timeLeft->setText(QString::fromStdString(TimeLeftText(progress)));
}

void EncodeDialog::Finish()
{
    m_tick->stop();
    const RunResult& result = m_runner->Result();
    if (result.outcome == RunResult::Outcome::Done)
        m_progress->setValue(100);
    // The files by their names: their folder is the one above.
    const QString folder =
        QDir::cleanPath(QDir::fromNativeSeparators(m_folder->text().trimmed())) + QLatin1Char('/');
    QStringList lines;
    for (const std::string& line : result.Lines())
        lines << QString::fromStdString(line).replace(folder, QString());
    m_result->setPlainText(lines.join(QLatin1Char('\n')));
    m_step->setText(result.outcome == RunResult::Outcome::Done
                        ? (result.AnyOver() ? QStringLiteral("Done, but a file is over its medium")
                                            : QStringLiteral("Done"))
                    : result.outcome == RunResult::Outcome::Cancelled ? QStringLiteral("Cancelled")
                                                                      : QStringLiteral("The encode failed"));
    m_timeLeft->clear();
    // The runner stays until the next start: this may run inside one of its children's signals.
    SetChoicesEnabled(true);
    m_cancel->setEnabled(false);
    Replan(Change::OutputOnly);
    m_close->setFocus();
}

void EncodeDialog::reject()
{
    if (!Running()) {
        QDialog::reject();
        return;
    }
    if (CurrentNativeDialogs().AskYesNo(this, QStringLiteral("An encode is running. Stop it and remove its "
                                                             "unfinished file?")))
        CancelEncode();
}

void EncodeDialog::closeEvent(QCloseEvent* event)
{
    if (Running()) {
        event->ignore();
        reject();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace ratewise
