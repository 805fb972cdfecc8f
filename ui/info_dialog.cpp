// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/info_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/info_colours.h"

namespace ratewise {
namespace {

// Where a template puts its window, text and OK button, in dialog units.
struct InfoTemplate {
    QSize window;
    QRect text;
    QPoint ok;
};

InfoTemplate TemplateOf(InfoReportKind kind)
{
    switch (kind) {
    case InfoReportKind::Video:
        return {{146, 89}, {7, 7, 132, 57}, {48, 67}};
    case InfoReportKind::Audio:
        return {{136, 102}, {7, 7, 122, 74}, {42, 87}};
    case InfoReportKind::Subs:
        return {{137, 116}, {7, 5, 123, 90}, {44, 100}};
    }
    return {};
}

} // namespace

QString InfoDialog::Title(InfoReportKind kind)
{
    switch (kind) {
    case InfoReportKind::Video:
        return QStringLiteral("Video Stream Informations");
    case InfoReportKind::Audio:
        return QStringLiteral("Audio Streams Informations");
    case InfoReportKind::Subs:
        return QStringLiteral("Subs Informations");
    }
    return {};
}

InfoDialog::InfoDialog(InfoReportKind kind, std::vector<std::string> lines, QWidget* parent)
    : QDialog(parent), m_lines(std::move(lines)), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("infoDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(Title(kind));
    setModal(true);
    setFont(DialogFont(9));
    const DialogUnits units(font());
    const InfoTemplate layout = TemplateOf(kind);

    m_text->setObjectName(QStringLiteral("infoText"));
    m_text->setGeometry(
        units.Rect(layout.text.x(), layout.text.y(), layout.text.width(), layout.text.height()));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    InfoColours::Prepare(m_text);
    InfoColours::SetText(m_text, QString::fromStdString(InfoReportText(kind, m_lines)));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(units.Rect(layout.ok.x(), layout.ok.y(), 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.X(layout.window.width()), units.Y(layout.window.height()));
}

} // namespace ratewise
