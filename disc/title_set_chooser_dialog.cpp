// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/title_set_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "disc/disc_texts.h"

namespace ratewise {

QString TitleSetEntryText(const OpenedDisc& disc, const TitleSetFile& set)
{
    QString text = QString::fromStdString(TitleSetLine(set));
    for (const DiscTitle& title : disc.titles) {
        if (title.titleSet == set.number)
            text += QStringLiteral("\n    ") + QString::fromStdString(DiscTitleLine(disc, title));
    }
    return text;
}

TitleSetChooserDialog::TitleSetChooserDialog(const OpenedDisc& disc, QWidget* parent)
    : QDialog(parent), m_sets(new QListWidget(this))
{
    setObjectName(QStringLiteral("titleSetChooser"));
    setWindowTitle(QStringLiteral("Choose a title set"));
    m_sets->setObjectName(QStringLiteral("titleSetList"));
    const int preselected = disc.DefaultTitleSet();
    for (const TitleSetFile& set : disc.titleSets) {
        auto* item = new QListWidgetItem(TitleSetEntryText(disc, set), m_sets);
        item->setData(Qt::UserRole, set.number);
        if (set.number == preselected)
            m_sets->setCurrentItem(item);
    }
    connect(m_sets, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    const QString source =
        QString::fromStdString(disc.input.label.empty() ? disc.input.source : disc.input.label);
    // A long path is cut in its middle so that the dialog, its buttons and its close box stay on
    // the screen; the label's tip holds the whole path.
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const QString tail = QStringLiteral(" holds these title sets:");
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("titleSetSource"));
    const int room = std::max(200, screenWidth * 3 / 4 - label->fontMetrics().horizontalAdvance(tail));
    label->setText(label->fontMetrics().elidedText(source, Qt::ElideMiddle, room) + tail);
    label->setToolTip(source);
    layout->addWidget(label);
    layout->addWidget(m_sets);
    layout->addWidget(buttons);
    m_sets->setFocus();
    setMaximumWidth(screenWidth);
    resize(std::min(560, screenWidth), 320);
}

int TitleSetChooserDialog::ChosenTitleSet() const
{
    const QListWidgetItem* item = m_sets->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : 0;
}

} // namespace ratewise
