#pragma once
// A step of a test's set-up that did not do what it should (a copy, a folder, a database
// that the program's generator did not make). Thrown rather than reported, so that the
// test stops at once with the step's text (GoogleTest shows it as the test's failure) and
// a benchmark does not measure a half-made firm.
#include <QString>

#include <stdexcept>

namespace tarix::test {

class SetupFailure : public std::runtime_error {
public:
    explicit SetupFailure(const QString &what) : std::runtime_error(what.toStdString()) {}
};

} // namespace tarix::test
