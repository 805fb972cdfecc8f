// SPDX-License-Identifier: GPL-3.0-or-later
// The About box, laid out from its template's dialog units.
#include "ui/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include <array>

#include "common/version.h"
#include "ui/app_resources.h"
#include "ui/dialog_units.h"
#include "ui/native_dialogs.h"

namespace ratewise {
namespace {

constexpr std::array<const char*, 7> kGreetings{
    "Everyone who sent in a bug report",
    "The people who tried the test builds",
    "The Qt developers",
    "The GoogleTest and Benchmark authors",
    "The Debian maintainers",
    "The DVD authoring forums",
    "And you, for using it.",
};

QLabel* AddLabel(QWidget* parent, const DialogUnits& units, const QString& text, QRect where,
                 Qt::Alignment alignment, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment | Qt::AlignTop);
    label->setGeometry(units.Rect(where.x(), where.y(), where.width(), where.height()));
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About Ratewise"));
    setModal(true);
    setFont(DialogFont());
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setGeometry(units.X(12), units.Y(17), 32, 32);

    AddLabel(this, units, QStringLiteral("Ratewise"), QRect(45, 12, 72, 8), Qt::AlignHCenter, "nameLabel");
    // The line between the name and the version holds a web address where there is one.
    AddLabel(this, units, QString(), QRect(41, 26, 81, 8), Qt::AlignHCenter, "webLabel");
    AddLabel(this, units, QStringLiteral("Version " RATEWISE_VERSION), QRect(41, 40, 81, 8), Qt::AlignHCenter,
             "versionLabel");
    AddLabel(this, units, QStringLiteral("Greetings to:"), QRect(15, 50, 78, 8), Qt::AlignLeft,
             "greetingsLabel");
    for (int i = 0; i < static_cast<int>(kGreetings.size()); ++i) {
        QLabel* line = AddLabel(this, units, QString::fromLatin1(kGreetings[static_cast<std::size_t>(i)]),
                                QRect(15, 65 + 10 * i, 140, 8), Qt::AlignLeft, "creditLabel");
        line->setObjectName(QStringLiteral("creditLabel%1").arg(i + 1));
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(units.Rect(55, 136, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.X(164), units.Y(157));
}

void AboutDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The chime starts once, when the box first appears, and is left to finish on its own.
    if (!m_chimed) {
        m_chimed = true;
        CurrentNativeDialogs().PlaySound(AboutChimeUrl());
    }
}

} // namespace ratewise
