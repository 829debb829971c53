#pragma once
// Modal dialogs that come up while a test runs a step: each is handed to a handler that
// answers and closes it, as the clerk would.
#include <functional>

class QWidget;

namespace tarix::test {

// Runs `body` while a timer hands every modal dialog that comes up to `handle` (which
// closes it); gives up after the time limit, so that a dialog nobody closes fails the
// test instead of hanging it.
void whileDialogs(const std::function<void()> &body, const std::function<void(QWidget *)> &handle,
                  int limitMs = 5000);

} // namespace tarix::test
