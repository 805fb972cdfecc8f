// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests are one program: each test class registers itself under its test's name with
// RATEWISE_WINDOW_TEST(name, Class), and `ratewise_window_tests NAME [Qt Test options]` runs that
// class alone in a fresh QApplication, as a program of its own would (ctest runs one a process).
#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace ratewise::test_support {

bool RegisterWindowTest(const char* name, std::function<std::unique_ptr<QObject>()> make);

} // namespace ratewise::test_support

#define RATEWISE_WINDOW_TEST(name, TestClass)                                                                \
    namespace {                                                                                              \
    [[maybe_unused]] const bool registered##TestClass = ratewise::test_support::RegisterWindowTest(          \
        #name, [] { return std::unique_ptr<QObject>(std::make_unique<TestClass>()); });                      \
    }
