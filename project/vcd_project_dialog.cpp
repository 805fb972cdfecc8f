// SPDX-License-Identifier: GPL-3.0-or-later
// The Create VCD Project dialog's handlers: each reads the controls it needs, changes the fields,
// shows them again and refreshes the pictures or the warnings.
#include "project/vcd_project_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "project/project_file_writer.h"
#include "project/vcd_warnings.h"
#include "ui/native_dialogs.h"

namespace ratewise {
namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowText(QLineEdit* field, const QString& text)
{
    if (field->text() == text)
        return;
    const QSignalBlocker blocker(field);
    field->setText(text);
}

void ShowIndex(QComboBox* list, int index)
{
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index);
}

} // namespace

VcdProjectDialog::VcdProjectDialog(const VcdProjectOpening& opening, QWidget* parent)
    : QDialog(parent), m_units(DialogFont()), m_audioIndex(opening.audioIndex),
      m_videoShown(opening.videoKbps), m_calcAudioKbps(opening.calcAudioKbps),
      m_calcVideoKbps(opening.calcVideoKbps)
{
    setObjectName(QStringLiteral("vcdProjectDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    setFont(DialogFont());
    m_controls = BuildVcdProjectDialogControls(this, m_units);
    setFixedSize(m_units.X(kVcdDialogWidthUnits), m_units.Y(kVcdDialogHeightUnits));

    m_settings.isPal = opening.isPal;
    m_settings.sourceAspect = opening.sourceAspect;
    m_settings.conversion = opening.conversion;
    m_settings.videoKbps = opening.videoKbps;
    m_settings.destination.clear();

    // Initialisation: standard audio, "Normal" quality, then the pictures and the warnings.
    m_settings.audioKbps = kStandardVcdAudioKbps;
    m_settings.quality = kQualityNormal;
    ShowFields();
    RefreshPictures();
    RefreshWarningList();

    Connect();
}

void VcdProjectDialog::Connect()
{
    const VcdProjectDialogControls& c = m_controls;
    connect(c.conversion, &QComboBox::currentIndexChanged, this, [this] {
        RefreshPictures();
        RefreshWarningList();
    });
    connect(c.audio, &QComboBox::currentIndexChanged, this, [this] { OnAudioChosen(); });
    connect(c.video, &QLineEdit::textChanged, this, [this] { OnVideoEdited(); });
    // The quality and the destination are taken as soon as they change, so a button that shows
    // the fields never puts back an older choice or path over what the user just gave.
    connect(c.quality, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_settings.quality = index; });
    connect(c.destination, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.destination = text.toStdString(); });
    connect(c.browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(c.getFromRatewise, &QPushButton::clicked, this, [this] { OnGetFromRatewise(); });
    connect(c.standardVcd, &QPushButton::clicked, this, [this] { OnStandardVcd(); });
    connect(c.ok, &QPushButton::clicked, this, [this] { OnOk(); });
    connect(c.cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::array<std::optional<AspectPicture>, 4> VcdProjectDialog::ShownPictures() const
{
    std::array<std::optional<AspectPicture>, 4> shown{};
    for (std::size_t group = 0; group < shown.size(); ++group) {
        for (std::size_t kind = 0; kind < 3; ++kind) {
            if (!m_controls.pictures[group][kind]->isHidden())
                shown[group] = static_cast<AspectPicture>(kind);
        }
    }
    return shown;
}

bool VcdProjectDialog::ReadFields()
{
    const VcdProjectDialogControls& c = m_controls;
    m_settings.conversion = c.conversion->currentIndex();
    m_audioIndex = c.audio->currentIndex();

    const std::optional<unsigned int> video = ParseVideoKbpsField(c.video->text().toStdString());
    if (!video) {
        c.video->setFocus();
        CurrentNativeDialogs().ShowMessage(this, ToQString(kVideoRangeMessage));
        return false;
    }
    m_settings.videoKbps = *video;
    m_videoShown = *video;

    m_sourceAspectText = c.sourceAspect->text();
    m_settings.destination = c.destination->text().toStdString();
    m_settings.quality = c.quality->currentIndex();
    return true;
}

void VcdProjectDialog::ShowFields()
{
    const VcdProjectDialogControls& c = m_controls;
    ShowIndex(c.conversion, m_settings.conversion);
    ShowIndex(c.audio, m_audioIndex);
    ShowText(c.video, QString::number(m_videoShown));
    ShowText(c.sourceAspect, m_sourceAspectText);
    ShowText(c.destination, QString::fromStdString(m_settings.destination));
    ShowIndex(c.quality, m_settings.quality);
}

void VcdProjectDialog::RefreshPictures()
{
    ReadFields();
    const AspectView view = AspectPictures(m_settings.sourceAspect, m_settings.conversion);
    m_sourceAspectText = QString::fromStdString(view.sourceAspectText);
    if (!view.conversionEnabled)
        m_controls.conversion->setEnabled(false);
    m_settings.conversion = view.conversion;
    // A 16:9 source without a conversion leaves the pictures as they are.
    if (view.pictures) {
        for (const auto& group : m_controls.pictures) {
            for (QLabel* picture : group)
                picture->hide();
        }
        for (std::size_t group = 0; group < view.pictures->size(); ++group)
            m_controls.pictures[group][static_cast<std::size_t>((*view.pictures)[group])]->show();
    }
    ShowFields();
}

void VcdProjectDialog::RefreshWarningList()
{
    const WarningList list = RefreshWarnings(m_settings);
    m_settings.keep16x9Flag = list.keep16x9Flag;
    QListWidget* warnings = m_controls.warnings;
    warnings->clear();
    for (const std::string& line : list.lines)
        warnings->addItem(QString::fromStdString(line));
}

void VcdProjectDialog::OnAudioChosen()
{
    ReadFields();
    if (m_audioIndex >= 0 && m_audioIndex < static_cast<int>(kVcdAudioBitrates.size()))
        m_settings.audioKbps = kVcdAudioBitrates[static_cast<std::size_t>(m_audioIndex)];
    RefreshWarningList();
}

void VcdProjectDialog::OnVideoEdited()
{
    // A rejected text leaves the bitrate the warnings describe as it was.
    ReadFields();
    RefreshWarningList();
}

void VcdProjectDialog::OnBrowse()
{
    ReadFields();
    const FileDialogRequest request{QString::fromLatin1(kNameFilter), QString::fromLatin1(kDefaultSuffix),
                                    false, QString()};
    const std::optional<QString> chosen = CurrentNativeDialogs().AskSaveFileName(this, request);
    if (!chosen)
        return;
    m_settings.destination = chosen->toStdString();
    ShowFields();
}

void VcdProjectDialog::OnGetFromRatewise()
{
    m_videoShown = m_calcVideoKbps;
    const bool videoAccepted = IsVideoKbpsInRange(m_calcVideoKbps);
    if (videoAccepted)
        m_settings.videoKbps = static_cast<unsigned int>(m_calcVideoKbps);
    m_audioIndex = AudioIndexAtLeast(m_calcAudioKbps);
    m_settings.audioKbps = kVcdAudioBitrates[static_cast<std::size_t>(m_audioIndex)];
    ShowFields();
    RefreshWarningList();
    // A calculator bitrate outside the accepted range (a negative one when the audio alone
    // overfills the media) is shown as it is and refused at once, as if it had been typed.
    if (!videoAccepted)
        ReadFields();
}

void VcdProjectDialog::OnStandardVcd()
{
    m_settings.videoKbps = kStandardVcdVideoKbps;
    m_videoShown = kStandardVcdVideoKbps;
    m_audioIndex = kStandardVcdAudioIndex;
    m_settings.audioKbps = kStandardVcdAudioKbps;
    ShowFields();
    RefreshWarningList();
}

void VcdProjectDialog::OnOk()
{
    // Nothing is written while the video field holds a value outside its range; the reading has
    // told the user so.
    if (!ReadFields())
        return;
    RefreshWarningList();
    const ProjectWriteResult result = ProjectFileWriter::write(m_settings);
    // The destination may have gained its ".tpr", even when the file could not be written.
    ShowFields();
    if (result != ProjectWriteResult::Written) {
        CurrentNativeDialogs().ShowMessage(this, ToQString(ProjectWriteMessage(result)));
        return;
    }
    accept();
}

} // namespace ratewise
