// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/window_test_main.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace ratewise::test_support {
namespace {

std::map<std::string, std::function<std::unique_ptr<QObject>()>>& Registered()
{
    static std::map<std::string, std::function<std::unique_ptr<QObject>()>> tests;
    return tests;
}

} // namespace

bool RegisterWindowTest(const char* name, std::function<std::unique_ptr<QObject>()> make)
{
    return Registered().emplace(name, std::move(make)).second;
}

} // namespace ratewise::test_support

int main(int argc, char** argv)
{
    const auto& tests = ratewise::test_support::Registered();
    const auto test = argc > 1 ? tests.find(argv[1]) : tests.end();
    if (test == tests.end()) {
        std::fprintf(stderr, "usage: %s TEST [Qt Test options]; the tests:\n", argv[0]);
        for (const auto& [name, make] : tests)
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // Qt Test reads its options after the test's name, with the program's name before them.
    argv[1] = argv[0];
    int qtArgc = argc - 1;
    char** qtArgv = argv + 1;
    QApplication app(qtArgc, qtArgv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const std::unique_ptr<QObject> object = test->second();
    return QTest::qExec(object.get(), qtArgc, qtArgv);
}
