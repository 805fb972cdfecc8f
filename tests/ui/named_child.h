// SPDX-License-Identifier: GPL-3.0-or-later
// The control of type W called name below parent; a test that asks for a control the window lacks
// stops at once with its name rather than crashing on a null pointer later.
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace ratewise::test_support {

template <typename W> W* NamedChild(const QObject* parent, const char* name)
{
    W* widget = parent->findChild<W*>(QLatin1String(name));
    if (widget == nullptr)
        qFatal("no control named %s", name);
    return widget;
}

} // namespace ratewise::test_support
